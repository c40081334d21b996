#pragma once
// Run-wide playback state that the session starts and the engine drives.
#include <cstdint>
#include <string>

// Resuming: play was given while paused; the next step goes on from where it paused.
enum class PlayState : unsigned char { Playing = 0, Stopped = 1, Paused = 3, Resuming = 4 };

// LastView: the queue ran out on a document or picture, which stays shown.
enum class ActiveMedia : unsigned char { None = 0, Midi = 1, Wave = 2, Video = 3, CdTrack = 4, LastView = 5 };

struct PlaybackState {
    PlayState playState = PlayState::Stopped;
    ActiveMedia activeMedia = ActiveMedia::None;
    int PlayedCount = 0;         // rows marked played since the marks were last reset
    int ContinuousPosition = 0;  // row started last in Continuous mode
    int IntroSeconds = 5;
    int IntroRemaining = 0;   // seconds left of the running intro countdown
    long CdTrackStart = 0;    // disc position at which the current track started, ms
    long CdTrackEndMark = 0;  // from here the current track counts as finished
    long CdTrackLength = 0;
    bool ViewerEngaged = false;  // the viewer was shown from hidden or activated since the last step
    bool MonitorReady = false;   // no monitor tick is inside its display part
    // The item that plays or shows, kept after it left the queue (desktop media controls).
    std::string currentItem;
    std::uint64_t currentItemId = 0;
};
