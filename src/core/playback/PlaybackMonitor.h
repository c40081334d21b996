#pragma once
// The two timers that keep playback moving: the 200 ms monitor finds the end of what plays
// and keeps the displays current; the intro countdown cuts items short.
#include <string>

#include "core/playback/PlaybackEngine.h"

// "%.2d:%.2d" of whole minutes and seconds.
std::string FormatPlayTime(long milliseconds);

class PlaybackMonitor {
public:
    PlaybackMonitor(PlaybackEngine& engine, PlaybackState& state, MediaPlayer& player, const PlaybackViews& views);

    // The monitor timer's tick, and the end of an item reported by the player.
    void tick();
    // The intro countdown's tick.
    void introTick();

    int iconFrame = 0;

private:
    void checkEnds();
    void showTimes();

    PlaybackEngine& engine;
    PlaybackState& state;
    MediaPlayer& player;
    const PlaybackViews& views;
};
