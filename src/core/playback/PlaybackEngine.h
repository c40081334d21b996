#pragma once
// The playback engine: turns the play queue into sound, video and shown documents, one
// step at a time. Commands set the play state and run a step; the monitor runs a step when
// the playing item ends. The windows are reached through PlaybackWindow only, so the rules
// run in tests on a scripted player without a window.
#include <cstdint>
#include <functional>
#include <string>

#include "core/commands/Command.h"
#include "core/playback/MediaPlayer.h"
#include "core/playback/PlayModes.h"
#include "core/playback/PlaybackState.h"
#include "core/queue/MediaKind.h"
#include "core/queue/PlayQueue.h"

// What the engine changes in the windows.
class PlaybackWindow {
public:
    virtual ~PlaybackWindow() = default;
    virtual void setCommandEnabled(Command command, bool enabled) = 0;
    virtual void showInfo(const std::string& text) = 0;
    virtual void clearTimeDisplays() = 0;
    virtual void setIntroCountdown(bool running) = 0;
    virtual std::string introSecondsText() const = 0;
    virtual bool viewerVisible() const = 0;
    // Normal window state, hidden.
    virtual void hideViewer() = 0;
    // The viewer over the main window with the document or the picture; showing a hidden
    // viewer engages it. A document that cannot be read raises its error.
    virtual void showDocument(const std::string& path, const std::string& caption) = 0;
    virtual void showPicture(const std::string& path, const std::string& caption) = 0;
    // The picture area of the main window back behind the controls.
    virtual void restorePictureArea() = 0;
    virtual void clearSharedPalette() = 0;
    // Draws the open video into the main window's picture area at its own size, centred.
    virtual void placeVideo(MediaPlayer& player) = 0;

    // The monitor's share: the time labels, the animated icon, the viewer kept over the
    // main window and the toolbar's dock layout.
    virtual void setTimeDisplays(const std::string& length, const std::string& position) = 0;
    virtual void showIconFrame(int frame) = 0;
    virtual void trackViewer() = 0;
    virtual void applyDockLayout() = 0;
};

// The random numbers of Random and Shuffle: a 32-bit linear congruential generator.
class RandomGenerator {
public:
    void reseed(std::uint32_t value) { seed = value; }
    // A draw in 0 .. n - 1: the upper 32 bits of the 64-bit product of the new seed and n.
    int draw(int n);
    std::uint32_t currentSeed() const { return seed; }

private:
    std::uint32_t seed = 0;
};

// The seed of every step: the UTC time of day in milliseconds.
std::uint32_t TimeOfDaySeed();

extern const char* const kCurrentItemPrefix;  // "Current item:  "

class PlaybackEngine {
public:
    PlaybackEngine(PlayQueue& queue, PlayModes& modes, PlaybackState& state, MediaPlayer& player,
                   PlaybackWindow& window);

    // The commands: each sets the play state, then runs a step.
    void Play();
    void Pause();
    void Stop();
    void Next();

    void PlaybackStep(bool lookAhead);

    // Marks every row unplayed again and starts the played count over.
    void ResetPlayedMarks();

    // Where the seed comes from (tests fix it).
    std::function<std::uint32_t()> seedSource = TimeOfDaySeed;
    RandomGenerator random;

private:
    void stopSequence();
    void startSequence(bool lookAhead);
    int chooseRow();
    void startRow(int row, MediaKind kind);
    void startFile(const char* deviceType, const std::string& path);
    void startCdTrack(const std::string& text);
    void startVideo(const std::string& path);
    void startIntroIfChecked();
    void setPlayingCommands(bool playing);

    PlayQueue& queue;
    PlayModes& modes;
    PlaybackState& state;
    MediaPlayer& player;
    PlaybackWindow& window;
};
