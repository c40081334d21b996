#include "ui/mainwindow/PictureArea.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QMainWindow>

#include "core/playback/MediaPlayer.h"
#include "ui/queue/MusicTagCache.h"

PictureArea::PictureArea(QMainWindow& window, QLabel& picture)
    : window(window), picture(picture), videoSurface(new QWidget(&picture))
{
    // Its native window is made when the first video starts (winId), and only for itself:
    // native ancestors would make the whole window paint slower from the start.
    videoSurface->setObjectName(QStringLiteral("videoSurface"));
    videoSurface->setAttribute(Qt::WA_DontCreateNativeAncestors);
    videoSurface->hide();
}

void PictureArea::restorePictureArea()
{
    coverOf.clear();
    videoSurface->hide();
    picture.clear();
    picture.setGeometry(window.centralWidget()->rect());
    picture.lower();
    picture.update();
}

// The video centred on the whole window, in front of the controls: at its own size, or
// scaled down with its aspect kept where it is larger than the picture area. The surface's
// size is what libVLC draws into, fitting the picture to it.
void PictureArea::placeVideo(MediaPlayer& player, VideoFit fit)
{
    picture.raise();
    player.setDisplayRect({});
    player.setDisplayWindow(static_cast<unsigned long>(videoSurface->winId()));
    const DisplayRect own = player.displayRect();
    QSize size(own.right - own.left, own.bottom - own.top);
    // A clip keeps its own size, centred on the window's frame; a scaled film is centred on
    // the area it has to fit.
    QSize centreOn = window.frameGeometry().size();
    if (fit == VideoFit::ScaleDownToArea) {
        centreOn = window.centralWidget()->size();
        if (!size.isEmpty() && (size.width() > centreOn.width() || size.height() > centreOn.height()))
            size.scale(centreOn, Qt::KeepAspectRatio);
    }
    const int width = size.width();
    const int height = size.height();
    const int left = (centreOn.width() - width) / 2;
    const int top = (centreOn.height() - height) / 2;
    player.setDisplayRect({left, top, 0, 0});
    picture.setGeometry(window.centralWidget()->rect());
    picture.clear();
    videoSurface->setGeometry(left, top, width, height);
    videoSurface->show();
    picture.raise();
    window.update();
}

void PictureArea::showMusicCover(const std::string& musicPath)
{
    coverOf = musicPath;
    if (!waitingForTags && !coverOf.empty()) {
        waitingForTags = true;
        QObject::connect(&MusicTagCache::instance(), &MusicTagCache::tagsRead, &picture, [this](const QString& path) {
            if (QFile::encodeName(path).toStdString() == coverOf)
                drawCover();
        });
    }
    drawCover();
}

// The cover scaled to fit the area with its aspect kept, centred; nothing without one (or
// before the file's tags have been read).
void PictureArea::drawCover()
{
    QString art;
    if (!coverOf.empty()) {
        if (const KnownMusic* known = MusicTagCache::instance().lookUp(coverOf))
            art = QFile::decodeName(QByteArray::fromStdString(known->artPath));
    }
    const QImage cover = art.isEmpty() ? QImage() : QImage(art);
    if (cover.isNull()) {
        picture.clear();
        return;
    }
    picture.setAlignment(Qt::AlignCenter);
    picture.setPixmap(QPixmap::fromImage(cover.scaled(picture.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
