#pragma once
// Run-wide playback state that the session starts and the engine drives.
#include <cstdint>
#include <string>

enum PlayState : unsigned char { psPlaying = 0, psStopped = 1, psPaused = 3, psResume = 4 };

enum ActiveMedia : unsigned char { amNone = 0, amMidi = 1, amWave = 2, amVideo = 3, amCdTrack = 4, amLastView = 5 };

struct PlaybackState {
    PlayState playState = psStopped;
    ActiveMedia activeMedia = amNone;
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
