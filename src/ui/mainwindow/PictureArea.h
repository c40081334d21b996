#pragma once
// The main window's picture area as the session's video area: the picture label fills
// the client behind the controls; for a video it comes in front of them, cleared, with the
// video drawn at its own size in a native child at the window's centre.
#include <string>

#include "core/playback/VideoArea.h"

class QLabel;
class QMainWindow;
class QWidget;

class PictureArea final : public VideoArea {
public:
    PictureArea(QMainWindow& window, QLabel& picture);

    void placeVideo(MediaPlayer& player, VideoFit fit) override;
    void restorePictureArea() override;
    void showMusicCover(const std::string& musicPath) override;

private:
    void drawCover();

    QMainWindow& window;
    QLabel& picture;        // PMultiImage1
    QWidget* videoSurface;  // native child of the picture area, for video alone
    std::string coverOf;    // the music file whose cover the area shows or waits for
    bool waitingForTags = false;
};
