#include "ui/mainwindow/PictureArea.h"

#include <QLabel>
#include <QMainWindow>

#include "core/playback/MediaPlayer.h"

PictureArea::PictureArea(QMainWindow& window, QLabel& picture)
    : window(window), PMultiImage1(picture), videoSurface(new QWidget(&picture))
{
    // Its native window is made when the first video starts (winId), and only for itself:
    // native ancestors would make the whole window paint slower from the start.
    videoSurface->setObjectName(QStringLiteral("videoSurface"));
    videoSurface->setAttribute(Qt::WA_DontCreateNativeAncestors);
    videoSurface->hide();
}

void PictureArea::restorePictureArea()
{
    videoSurface->hide();
    PMultiImage1.setGeometry(window.centralWidget()->rect());
    PMultiImage1.lower();
    PMultiImage1.update();
}

// The video at its own size, centred on the whole window, in front of the controls.
void PictureArea::placeVideo(MediaPlayer& player)
{
    PMultiImage1.raise();
    player.setDisplayRect({});
    player.setDisplayWindow(static_cast<unsigned long>(videoSurface->winId()));
    const DisplayRect own = player.displayRect();
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const QRect frame = window.frameGeometry();
    const int left = (frame.width() - width) / 2;
    const int top = (frame.height() - height) / 2;
    player.setDisplayRect({left, top, 0, 0});
    PMultiImage1.setGeometry(window.centralWidget()->rect());
    PMultiImage1.clear();
    videoSurface->setGeometry(left, top, width, height);
    videoSurface->show();
    PMultiImage1.raise();
    window.update();
}
