#include "ui/mainwindow/X11IconWindow.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>

namespace {

xcb_connection_t* qtConnection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The root window of the screen window is on: the one question asked of the server, once.
std::uint32_t rootOf(xcb_connection_t* connection, std::uint32_t window)
{
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (!geometry)
        return 0;
    const std::uint32_t root = geometry->root;
    std::free(geometry);
    return root;
}

const xcb_visualtype_t* visualOf(const xcb_screen_t& screen)
{
    for (xcb_depth_iterator_t depth = xcb_screen_allowed_depths_iterator(&screen); depth.rem; xcb_depth_next(&depth)) {
        for (xcb_visualtype_iterator_t visual = xcb_depth_visuals_iterator(depth.data); visual.rem;
             xcb_visualtype_next(&visual)) {
            if (visual.data->visual_id == screen.root_visual)
                return visual.data;
        }
    }
    return nullptr;
}

std::uint8_t bitsPerPixel(const xcb_setup_t& setup, std::uint8_t depth)
{
    for (xcb_format_iterator_t format = xcb_setup_pixmap_formats_iterator(&setup); format.rem; xcb_format_next(&format)) {
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
    for (xcb_screen_iterator_t screen = xcb_setup_roots_iterator(&setup); screen.rem; xcb_screen_next(&screen)) {
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
    if (!connection || parentWindow == 0 || xcb_connection_has_error(connection))
        return nullptr;
    const xcb_setup_t& setup = *xcb_get_setup(connection);
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
        xcb_free_pixmap(connection, pixmap);
    xcb_flush(connection);
}

void X11IconWindow::upload(const Frames& frames)
{
    const xcb_gcontext_t context = xcb_generate_id(connection);
    for (std::size_t i = 0; i < pixmaps.size(); ++i) {
        pixmaps[i] = xcb_generate_id(connection);
        xcb_create_pixmap(connection, screen.depth, pixmaps[i], screen.root, kSide, kSide);
        if (i == 0)
            xcb_create_gc(connection, context, pixmaps[0], 0, nullptr);
        const std::vector<std::uint8_t> pixels = serverPixels(frames[i], screen.mostSignificantByteFirst);
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmaps[i], context, kSide, kSide, 0, 0, 0, screen.depth,
                      static_cast<std::uint32_t>(pixels.size()), pixels.data());
    }
    xcb_free_gc(connection, context);
}

void X11IconWindow::createWindow(std::uint32_t parentWindow, QPoint topLeft)
{
    window = xcb_generate_id(connection);
    parent = parentWindow;
    position = topLeft;
    mapped = false;
    // Its own visual and colour map, so that it fits whatever visual the parent has.
    const std::uint32_t values[] = {pixmaps[static_cast<std::size_t>(frame)], 0, screen.colormap};
    xcb_create_window(connection, screen.depth, window, parent, static_cast<std::int16_t>(topLeft.x()),
                      static_cast<std::int16_t>(topLeft.y()), kSide, kSide, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen.visual, XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_COLORMAP, values);
}

// The window may already be gone with its old parent: that error is dropped here rather
// than reported by Qt as a warning.
void X11IconWindow::destroyWindow()
{
    if (window == 0)
        return;
    xcb_discard_reply(connection, xcb_destroy_window_checked(connection, window).sequence);
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
        const std::uint32_t values[] = {static_cast<std::uint32_t>(topLeft.x()), static_cast<std::uint32_t>(topLeft.y())};
        xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
        position = topLeft;
        sent = true;
    }
    if (window != 0 && shown != mapped) {
        if (shown) {
            setBackground();
            xcb_map_window(connection, window);
        } else {
            xcb_unmap_window(connection, window);
        }
        mapped = shown;
        sent = true;
    }
    if (sent)
        xcb_flush(connection);
}

void X11IconWindow::showFrame(int shownFrame)
{
    frame = shownFrame;
    if (!mapped)
        return;
    setBackground();
    xcb_clear_area(connection, 0, window, 0, 0, 0, 0);
    xcb_flush(connection);
}

void X11IconWindow::setBackground()
{
    const std::uint32_t pixmap = pixmaps[static_cast<std::size_t>(frame)];
    xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXMAP, &pixmap);
}
