#pragma once
// The playback engine: turns the play queue into sound, video and shown documents, one
// step at a time. Commands set the play state and run a step; the monitor runs a step when
// the playing item ends. The windows are reached through PlaybackViews only, so the rules
// run in tests on a scripted player without a window.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/playback/MediaPlayer.h"
#include "core/playback/PlayModes.h"
#include "core/playback/PlaybackState.h"
#include "core/playback/PlaybackViews.h"
#include "core/formats/MediaKind.h"
#include "core/queue/PlayQueue.h"

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
                   const PlaybackViews& views);

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
    void startVideo(const std::string& path, VideoFit fit);
    void startIntroIfChecked();
    void setPlayingCommands(bool playing);
    void notePausedItem();
    void resume();
    void reopenPausedItem();

    // What played when Pause came: other commands may close the player while it is paused
    // (reading the disc, a CD track's information), and Play then opens it again there.
    struct PausedItem {
        std::string deviceType;
        std::string fileName;
        long position = 0;
    };
    std::optional<PausedItem> pausedItem;

    PlayQueue& queue;
    PlayModes& modes;
    PlaybackState& state;
    MediaPlayer& player;
    const PlaybackViews& views;
};
