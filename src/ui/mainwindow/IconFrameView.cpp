#include "ui/mainwindow/IconFrameView.h"

#include <QPainter>

#include "core/base/IoErrorText.h"

IconFrameView::IconFrameView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void IconFrameView::loadStrip(const std::string& path)
{
    if (!massicons.load(QString::fromStdString(path), "BMP"))
        throw SonorailError(IoErrorText::cannotOpenFile(path));
    for (std::size_t frame = 0; frame < frames.size(); ++frame)
        frames[frame] = massicons.copy(32 * static_cast<int>(frame), 0, 32, 32);
    setFrame(frames[0]);
}

void IconFrameView::showFrame(int frame)
{
    if (!massicons.isNull())
        setFrame(frames[static_cast<std::size_t>(frame)]);
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
