#pragma once
// What playback shows in the main window besides the item itself: the time labels, the
// animated icon, and the intro countdown with its seconds box.
#include <string>

class PlaybackDisplay {
public:
    virtual ~PlaybackDisplay() = default;
    virtual void setTimeDisplays(const std::string& length, const std::string& position) = 0;
    virtual void clearTimeDisplays() = 0;
    virtual void showIconFrame(int frame) = 0;
    // Starts or stops the one-second countdown timer.
    virtual void setIntroCountdown(bool running) = 0;
    // The seconds box as the user left it.
    virtual std::string introSecondsText() const = 0;

    // A display that shows nothing: the session's until its main window exists. Its
    // seconds box holds the box's start value.
    static PlaybackDisplay& none()
    {
        struct Nowhere final : PlaybackDisplay {
            void setTimeDisplays(const std::string&, const std::string&) override {}
            void clearTimeDisplays() override {}
            void showIconFrame(int) override {}
            void setIntroCountdown(bool) override {}
            std::string introSecondsText() const override { return "5"; }
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
