// The least a program can spend while it waits and still does something five times a second,
// on the machine at hand: the floor that the program's own idle figure is read against.
//   idle_floor_probe wake   wakes every 200 ms and does nothing else
//   idle_floor_probe turn   wakes every 200 ms and names another of four server-side pixmaps
//                           as the background of a 32 x 32 window (the two requests the
//                           animated icon sends per turn), with libxcb and nothing else
//   idle_floor_probe qt     a Qt window with one empty 200 ms timer
//   idle_floor_probe start  a Qt window (one QWidget, shown) that ends after its first paint
// Each prints "shown" once it waits (the start probe at its first paint, as the program's
// start-up probe does); the startup benchmark measures it like the program.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <xcb/xcb.h>

namespace {

constexpr int kTickMilliseconds = 200;

void reportShown()
{
    std::puts("shown");
    std::fflush(stdout);
}

int wakeOnly()
{
    reportShown();
    for (;;)
        ::poll(nullptr, 0, kTickMilliseconds);
}

int turnOnServer()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fputs("idle_floor_probe: no X display\n", stderr);
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t background[] = {screen->white_pixel};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 32, 32, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, background);
    std::array<xcb_pixmap_t, 4> frames{};
    for (xcb_pixmap_t& frame : frames) {
        frame = xcb_generate_id(connection);
        xcb_create_pixmap(connection, screen->root_depth, frame, window, 32, 32);
    }
    xcb_map_window(connection, window);
    xcb_flush(connection);
    reportShown();
    for (std::size_t turn = 0;; ++turn) {
        ::poll(nullptr, 0, kTickMilliseconds);
        const std::uint32_t frame[] = {frames[turn % frames.size()]};
        xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXMAP, frame);
        xcb_clear_area(connection, 0, window, 0, 0, 0, 0);
        xcb_flush(connection);
    }
}

int qtTimerOnly(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(400, 300);
    window.show();
    QTimer timer;
    timer.setInterval(kTickMilliseconds);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start();
    QTimer::singleShot(0, [] { reportShown(); });
    return application.exec();
}

// Reports the first paint of the window it watches and ends the run, as the program's
// start-up probe does with its main window.
class FirstPaintWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            reportShown();
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

int qtStartToFirstPaint(int argc, char** argv)
{
    QApplication application(argc, argv);
    FirstPaintWatch watch;
    QWidget window;
    window.resize(400, 300);
    window.installEventFilter(&watch);
    window.show();
    return application.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "wake") == 0)
        return wakeOnly();
    if (std::strcmp(mode, "turn") == 0)
        return turnOnServer();
    if (std::strcmp(mode, "qt") == 0)
        return qtTimerOnly(argc, argv);
    if (std::strcmp(mode, "start") == 0)
        return qtStartToFirstPaint(argc, argv);
    std::fputs("usage: idle_floor_probe wake|turn|qt|start\n", stderr);
    return 2;
}
