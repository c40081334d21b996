#pragma once
// The animated icon's picture: one 32 by 32 frame, turned five times a second for the whole
// run. On X11 the turns are shown by a window of the X server's own (X11IconWindow) while
// the whole icon can be seen, which costs the program next to nothing; elsewhere (Wayland,
// the offscreen platform of the tests), and while the icon is partly covered, the widget
// repaints itself. A plain opaque widget that only draws its frame keeps such a repaint to
// its own 32 x 32 pixels (a label would also ask its parent to lay out again every time).
#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

class X11IconWindow;

class IconFrameView : public QWidget {
public:
    explicit IconFrameView(QWidget* parent = nullptr);
    ~IconFrameView() override;

    // Reads the strip of four frames ("icons.bmp") and shows the first; a strip that cannot
    // be read raises its error and the icon stays blank.
    void loadStrip(const std::string& path);
    // Frame 0 to 3 of the strip; nothing without a strip.
    void showFrame(int frame);

    void setFrame(const QPixmap& frame);
    const QPixmap& frame() const;
    // True while the X server shows the frames.
    bool shownByServer() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Sight { Whole, Part, None };

    Sight sight() const;
    void startServerIcon();
    void watch(QWidget* widget);
    void watchSurroundings();
    void followSurroundings();
    void takeRememberedFrame();

    QPixmap massicons;
    std::array<QPixmap, 4> frames;  // cut once: the icon turns five times a second for the whole run
    QPixmap shown;
    std::unique_ptr<X11IconWindow> serverIcon;
    bool serverIconTried = false;
    Sight lastSight = Sight::None;
    int rememberedFrame = -1;  // the frame the server shows, not yet taken into `shown`
};
