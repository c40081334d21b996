#pragma once
// Small media files written byte by byte, so the back-end tests know every length and size
// without shipping sample files: a PCM wave, a Standard MIDI File, an uncompressed AVI and a
// BIN/CUE audio-CD image.
#include <string>
#include <vector>

namespace test_media {

inline constexpr int kCdSectorBytes = 2352;  // one sector of CD audio
inline constexpr int kCdSectorsPerSecond = 75;

// 16-bit mono PCM at 22 050 Hz: a quiet 440 Hz tone of the given length.
std::string waveFile(int milliseconds);
// Format 0, one track: notes on one channel at 120 beats a minute, the track ending
// exactly after the given length.
std::string midiFile(int milliseconds);
// Bottom-up 24-bit RGB frames (a bar that moves), with an index.
std::string aviFile(int width, int height, int frames, int framesPerSecond);

// A disc image: the .bin holds the tracks back to back (track 1 silent, later tracks tones)
// and the .cue names it. Track n starts at the sum of the sectors before it.
struct CdImage {
    std::string cue;
    std::string bin;
};
CdImage cdImage(const std::string& binName, const std::vector<int>& trackSectors);

}  // namespace test_media
