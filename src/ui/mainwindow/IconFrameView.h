#pragma once
// The animated icon's picture: one 32 by 32 frame, repainted five times a second for the
// whole run. A plain opaque widget that only draws its frame keeps each turn down to one
// small repaint (a label would also ask its parent to lay out again every time).
#include <QPixmap>
#include <QWidget>
#include <array>
#include <string>

class IconFrameView : public QWidget {
public:
    explicit IconFrameView(QWidget* parent = nullptr);

    // Reads the strip of four frames ("icons.bmp") and shows the first; a strip that cannot
    // be read raises its error and the icon stays blank.
    void loadStrip(const std::string& path);
    // Frame 0 to 3 of the strip; nothing without a strip.
    void showFrame(int frame);

    void setFrame(const QPixmap& frame);
    const QPixmap& frame() const { return shown; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap massicons;
    std::array<QPixmap, 4> frames;  // cut once: the icon turns five times a second for the whole run
    QPixmap shown;
};
