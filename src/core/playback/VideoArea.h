#pragma once
// The part of the main window that video is drawn into: its picture area, which lies behind
// the controls and comes in front of them for a video.
#include <string>

class MediaPlayer;

// AVI clips keep their own size; today's films, often larger than the window, are scaled
// down to fit it with their aspect kept (never up).
enum class VideoFit { OwnSize, ScaleDownToArea };

class VideoArea {
public:
    virtual ~VideoArea() = default;
    // Draws the open video into the picture area, centred, in front of the controls.
    virtual void placeVideo(MediaPlayer& player, VideoFit fit) = 0;
    // The picture area back behind the controls, without a video or cover.
    virtual void restorePictureArea() = 0;
    // While a music file plays, its cover fills the picture area behind the controls, scaled
    // to fit; an empty path (any other item) takes it away.
    virtual void showMusicCover(const std::string& musicPath) { static_cast<void>(musicPath); }

    // An area that shows nothing: the session's until its main window exists.
    static VideoArea& none()
    {
        struct Nowhere final : VideoArea {
            void placeVideo(MediaPlayer&, VideoFit) override {}
            void restorePictureArea() override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
