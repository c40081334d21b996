#pragma once
// The outline that shows where a dragged toolbar will land. It is a window of its own,
// above all others and outside the window manager's control, shaped to a two-pixel frame:
// it shows on any desktop, composited or not, while nothing else moves or repaints during
// the drag.
#include <QWidget>

class DragOutline final : public QWidget {
    Q_OBJECT
public:
    DragOutline();

    // Shows the outline around bounds (screen coordinates), or moves it there.
    void showAt(const QRect& bounds);

    static constexpr int kLineWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
