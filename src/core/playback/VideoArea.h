#pragma once
// The part of the main window that video is drawn into: its picture area, which lies behind
// the controls and comes in front of them for a video.
class MediaPlayer;

class VideoArea {
public:
    virtual ~VideoArea() = default;
    // Draws the open video into the picture area at its own size, centred, in front of the
    // controls.
    virtual void placeVideo(MediaPlayer& player) = 0;
    // The picture area back behind the controls.
    virtual void restorePictureArea() = 0;

    // An area that shows nothing: the session's until its main window exists.
    static VideoArea& none()
    {
        struct Nowhere final : VideoArea {
            void placeVideo(MediaPlayer&) override {}
            void restorePictureArea() override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
