#pragma once
// Run-wide playback state that the shell starts and the engine drives.

enum PlayState : unsigned char { psPlaying = 0, psStopped = 1, psPaused = 3, psResume = 4 };

enum ActiveMedia : unsigned char { amNone = 0, amMidi = 1, amWave = 2, amVideo = 3, amCdTrack = 4, amLastView = 5 };

struct PlaybackState {
    PlayState playState = psStopped;
    ActiveMedia activeMedia = amNone;
    int PlayedCount = 0;
    int ContinuousPosition = 0;
    int IntroSeconds = 5;
    bool MonitorReady = false;
};
