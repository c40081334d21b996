#include "ui/toolbar/DragOutline.h"

#include <QPainter>
#include <QRegion>

DragOutline::DragOutline()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput)
{
    setObjectName(QStringLiteral("toolbarDragOutline"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void DragOutline::showAt(const QRect& bounds)
{
    setGeometry(bounds);
    if (isHidden())
        show();
    raise();
}

// Only the frame belongs to the window; what lies inside it stays visible.
void DragOutline::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setMask(QRegion(rect()) - QRegion(rect().adjusted(kLineWidth, kLineWidth, -kLineWidth, -kLineWidth)));
}

// Black dashes on white, like a focus rectangle: visible on light and dark screens alike.
void DragOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QPen dashes(Qt::black, kLineWidth, Qt::DashLine);
    painter.setPen(dashes);
    const qreal half = kLineWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}
