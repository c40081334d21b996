#pragma once
// The animated icon's picture: one 32 by 32 frame, repainted five times a second for the
// whole run. A plain opaque widget that only draws its frame keeps each turn down to one
// small repaint (a label would also ask its parent to lay out again every time).
#include <QPixmap>
#include <QWidget>

class IconFrameView : public QWidget {
public:
    explicit IconFrameView(QWidget* parent = nullptr);

    void setFrame(const QPixmap& frame);
    const QPixmap& frame() const { return shown; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap shown;
};
