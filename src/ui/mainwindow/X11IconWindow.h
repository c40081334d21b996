#pragma once
// The animated icon as a small window of the X server's own, for the X11 desktop. Its frames
// are uploaded once as pixmaps on the server; a turn then only names another pixmap as the
// window's background and clears the window: two small requests, sent without waiting for a
// reply. A repaint through Qt's backing store would instead wait for the server to finish
// with the shared image on every turn, five times a second for the whole run. The server
// draws the background again by itself whenever the window is uncovered, so the window
// needs no events at all (clicks go through to the widget below).
//
// The window is a child of the top-level window, placed and shown by its owner; it knows
// nothing of the widgets around it.
#include <QImage>
#include <QPoint>
#include <array>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

class X11IconWindow {
public:
    static constexpr int kSide = 32;
    using Frames = std::array<QImage, 4>;

    // Uploads the frames for the screen of parentWindow (an X window of this program, on
    // Qt's X11 connection). Null when the program does not run on X11, or when the screen's
    // pixels are not 24-bit colour in 32-bit words, which is what the frames are written as.
    static std::unique_ptr<X11IconWindow> create(const Frames& frames, std::uint32_t parentWindow);
    ~X11IconWindow();
    X11IconWindow(const X11IconWindow&) = delete;
    X11IconWindow& operator=(const X11IconWindow&) = delete;

    // The window inside parentWindow with its top left corner at topLeft, shown or not.
    // Sends only what changed; a new parent (the top-level window was made anew) gets a new
    // window.
    void place(std::uint32_t parentWindow, QPoint topLeft, bool shown);
    // Frame 0 to 3 as the background; sent at once while shown, else when shown again.
    void showFrame(int frame);
    bool isShown() const { return mapped; }

private:
    struct Screen {
        std::uint32_t root = 0;
        std::uint32_t visual = 0;
        std::uint32_t colormap = 0;
        std::uint8_t depth = 0;
        bool mostSignificantByteFirst = false;
    };

    X11IconWindow(xcb_connection_t* connection, const Screen& screen);
    void upload(const Frames& frames);
    void createWindow(std::uint32_t parentWindow, QPoint topLeft);
    void destroyWindow();
    void setBackground();

    xcb_connection_t* const connection;
    const Screen screen;
    std::array<std::uint32_t, 4> pixmaps{};
    std::uint32_t window = 0;
    std::uint32_t parent = 0;
    QPoint position;
    bool mapped = false;
    int frame = 0;
};
