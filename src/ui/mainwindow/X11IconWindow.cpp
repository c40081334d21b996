#include "ui/mainwindow/X11IconWindow.h"

#include <QGuiApplication>
#include <dlfcn.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

// libxcb's functions are taken from the copy already loaded with libX11 and Qt's X11
// platform plugin, not linked: linked, libxcb would come first among the program's
// libraries, and every look-up of the dynamic linker at start-up would pass through it
// (0.7 M instructions, half a percent of start-up) for a window made only after the first
// paint.
// clang-format off
#define SONORAIL_XCB_FUNCTIONS(F)                                                                    \
    F(xcb_connection_has_error) F(xcb_get_setup) F(xcb_get_geometry) F(xcb_get_geometry_reply)        \
    F(xcb_setup_roots_iterator) F(xcb_screen_next) F(xcb_screen_allowed_depths_iterator)              \
    F(xcb_depth_next) F(xcb_depth_visuals_iterator) F(xcb_visualtype_next)                            \
    F(xcb_setup_pixmap_formats_iterator) F(xcb_format_next) F(xcb_generate_id) F(xcb_create_pixmap)   \
    F(xcb_free_pixmap) F(xcb_create_gc) F(xcb_free_gc) F(xcb_put_image) F(xcb_create_window)          \
    F(xcb_destroy_window_checked) F(xcb_discard_reply) F(xcb_configure_window) F(xcb_map_window)      \
    F(xcb_unmap_window) F(xcb_change_window_attributes) F(xcb_clear_area) F(xcb_flush)
// clang-format on

struct Xcb {
#define SONORAIL_XCB_POINTER(name) decltype(&::name) name = nullptr;
    SONORAIL_XCB_FUNCTIONS(SONORAIL_XCB_POINTER)
#undef SONORAIL_XCB_POINTER
};

std::optional<Xcb> loadXcb()
{
    void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr)
        return std::nullopt;
    Xcb functions;
    bool complete = true;
#define SONORAIL_XCB_TAKE(name) \
    complete = complete && (functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name))) != nullptr;
    SONORAIL_XCB_FUNCTIONS(SONORAIL_XCB_TAKE)
#undef SONORAIL_XCB_TAKE
    return complete ? std::optional<Xcb>(functions) : std::nullopt;
}
#undef SONORAIL_XCB_FUNCTIONS

// Null when libxcb is not in the process (the program does not run on X11).
const Xcb* xcb()
{
    static const std::optional<Xcb> functions = loadXcb();
    return functions ? &*functions : nullptr;
}

xcb_connection_t* qtConnection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !xcb())
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The root window of the screen window is on: the one question asked of the server, once.
std::uint32_t rootOf(xcb_connection_t* connection, std::uint32_t window)
{
    xcb_get_geometry_reply_t* geometry =
        xcb()->xcb_get_geometry_reply(connection, xcb()->xcb_get_geometry(connection, window), nullptr);
    if (!geometry)
        return 0;
    const std::uint32_t root = geometry->root;
    std::free(geometry);
    return root;
}

const xcb_visualtype_t* visualOf(const xcb_screen_t& screen)
{
    const Xcb& x = *xcb();
    for (xcb_depth_iterator_t depth = x.xcb_screen_allowed_depths_iterator(&screen); depth.rem;
         x.xcb_depth_next(&depth)) {
        for (xcb_visualtype_iterator_t visual = x.xcb_depth_visuals_iterator(depth.data); visual.rem;
             x.xcb_visualtype_next(&visual)) {
            if (visual.data->visual_id == screen.root_visual)
                return visual.data;
        }
    }
    return nullptr;
}

std::uint8_t bitsPerPixel(const xcb_setup_t& setup, std::uint8_t depth)
{
    const Xcb& x = *xcb();
    for (xcb_format_iterator_t format = x.xcb_setup_pixmap_formats_iterator(&setup); format.rem;
         x.xcb_format_next(&format)) {
        if (format.data->depth == depth)
            return format.data->bits_per_pixel;
    }
    return 0;
}

// Red, green and blue in the low three bytes of a 32-bit pixel: what every true-colour
// screen of today uses, and the only layout the frames are written in.
bool takesRgbWords(const xcb_setup_t& setup, const xcb_screen_t& screen)
{
    const xcb_visualtype_t* visual = visualOf(screen);
    return visual && visual->_class == XCB_VISUAL_CLASS_TRUE_COLOR && visual->red_mask == 0xFF0000 &&
           visual->green_mask == 0x00FF00 && visual->blue_mask == 0x0000FF &&
           bitsPerPixel(setup, screen.root_depth) == 32;
}

const xcb_screen_t* screenWithRoot(const xcb_setup_t& setup, std::uint32_t root)
{
    const Xcb& x = *xcb();
    for (xcb_screen_iterator_t screen = x.xcb_setup_roots_iterator(&setup); screen.rem; x.xcb_screen_next(&screen)) {
        if (screen.data->root == root)
            return screen.data;
    }
    return nullptr;
}

// One frame as the server's 32-bit pixels, in the server's byte order (what lies outside a
// smaller frame is black).
std::vector<std::uint8_t> serverPixels(const QImage& frame, bool mostSignificantByteFirst)
{
    constexpr int side = X11IconWindow::kSide;
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32).copy(0, 0, side, side);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(side * side * 4);
    for (int y = 0; y < side; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            const std::uint32_t pixel = pixels[x] & 0xFFFFFFu;
            for (int shift : {24, 16, 8, 0})
                bytes.push_back(static_cast<std::uint8_t>(pixel >> (mostSignificantByteFirst ? shift : 24 - shift)));
        }
    }
    return bytes;
}

}  // namespace

std::unique_ptr<X11IconWindow> X11IconWindow::create(const Frames& frames, std::uint32_t parentWindow)
{
    xcb_connection_t* connection = qtConnection();
    if (!connection || parentWindow == 0 || xcb()->xcb_connection_has_error(connection))
        return nullptr;
    const xcb_setup_t& setup = *xcb()->xcb_get_setup(connection);
    const xcb_screen_t* found = screenWithRoot(setup, rootOf(connection, parentWindow));
    if (!found || !takesRgbWords(setup, *found))
        return nullptr;
    Screen screen{found->root, found->root_visual, found->default_colormap, found->root_depth,
                  setup.image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST};
    std::unique_ptr<X11IconWindow> icon(new X11IconWindow(connection, screen));
    icon->upload(frames);
    return icon;
}

X11IconWindow::X11IconWindow(xcb_connection_t* connection, const Screen& screen)
    : connection(connection), screen(screen)
{
}

X11IconWindow::~X11IconWindow()
{
    if (!qGuiApp)  // the connection went with the application
        return;
    destroyWindow();
    for (std::uint32_t pixmap : pixmaps)
        xcb()->xcb_free_pixmap(connection, pixmap);
    xcb()->xcb_flush(connection);
}

void X11IconWindow::upload(const Frames& frames)
{
    const Xcb& x = *xcb();
    const xcb_gcontext_t context = x.xcb_generate_id(connection);
    for (std::size_t i = 0; i < pixmaps.size(); ++i) {
        pixmaps[i] = x.xcb_generate_id(connection);
        x.xcb_create_pixmap(connection, screen.depth, pixmaps[i], screen.root, kSide, kSide);
        if (i == 0)
            x.xcb_create_gc(connection, context, pixmaps[0], 0, nullptr);
        const std::vector<std::uint8_t> pixels = serverPixels(frames[i], screen.mostSignificantByteFirst);
        x.xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmaps[i], context, kSide, kSide, 0, 0, 0, screen.depth,
                        static_cast<std::uint32_t>(pixels.size()), pixels.data());
    }
    x.xcb_free_gc(connection, context);
}

void X11IconWindow::createWindow(std::uint32_t parentWindow, QPoint topLeft)
{
    window = xcb()->xcb_generate_id(connection);
    parent = parentWindow;
    position = topLeft;
    mapped = false;
    // Its own visual and colour map, so that it fits whatever visual the parent has.
    const std::uint32_t values[] = {pixmaps[static_cast<std::size_t>(frame)], 0, screen.colormap};
    xcb()->xcb_create_window(connection, screen.depth, window, parent, static_cast<std::int16_t>(topLeft.x()),
                             static_cast<std::int16_t>(topLeft.y()), kSide, kSide, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                             screen.visual, XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_COLORMAP, values);
}

// The window may already be gone with its old parent: that error is dropped here rather
// than reported by Qt as a warning.
void X11IconWindow::destroyWindow()
{
    if (window == 0)
        return;
    xcb()->xcb_discard_reply(connection, xcb()->xcb_destroy_window_checked(connection, window).sequence);
    window = 0;
    parent = 0;
    mapped = false;
}

void X11IconWindow::place(std::uint32_t parentWindow, QPoint topLeft, bool shown)
{
    bool sent = false;
    if (parentWindow != parent) {
        destroyWindow();
        if (parentWindow != 0)
            createWindow(parentWindow, topLeft);
        sent = true;
    }
    if (window != 0 && topLeft != position) {
        const std::uint32_t values[] = {static_cast<std::uint32_t>(topLeft.x()),
                                        static_cast<std::uint32_t>(topLeft.y())};
        xcb()->xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
        position = topLeft;
        sent = true;
    }
    if (window != 0 && shown != mapped) {
        if (shown) {
            setBackground();
            xcb()->xcb_map_window(connection, window);
        } else {
            xcb()->xcb_unmap_window(connection, window);
        }
        mapped = shown;
        sent = true;
    }
    if (sent)
        xcb()->xcb_flush(connection);
}

void X11IconWindow::showFrame(int shownFrame)
{
    frame = shownFrame;
    if (!mapped)
        return;
    setBackground();
    xcb()->xcb_clear_area(connection, 0, window, 0, 0, 0, 0);
    xcb()->xcb_flush(connection);
}

void X11IconWindow::setBackground()
{
    const std::uint32_t pixmap = pixmaps[static_cast<std::size_t>(frame)];
    xcb()->xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXMAP, &pixmap);
}
