#include "ui/mainwindow/IconFrameView.h"

#include <QPainter>

IconFrameView::IconFrameView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void IconFrameView::setFrame(const QPixmap& frame)
{
    if (frame.cacheKey() == shown.cacheKey())
        return;
    shown = frame;
    update();
}

void IconFrameView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (shown.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawPixmap(0, 0, shown);
}
