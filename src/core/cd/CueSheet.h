#pragma once
// The check a cue sheet (the text of a BIN/CUE disc image) passes before libcdio reads it.
// libcdio trusts the sheet: a first track other than 1 makes it write outside its track
// table, and it opens whatever files the sheet names. A sheet passes when it is what disc
// tools write: one data file before the tracks, tracks numbered 1, 2, 3 ... with a known
// mode, each with an INDEX 01, indexes and times in order, only the known keywords. The
// sheet is cut into words the way libcdio cuts it, so both read the same names.
#include <string>
#include <string_view>
#include <vector>

class CueSheet {
public:
    // A sheet of 99 tracks with all their texts is a few kilobytes.
    static constexpr std::size_t kLargestSheet = 256 * 1024;
    // libcdio reads a line in pieces of 4095 bytes; a longer one would be read as two.
    static constexpr std::size_t kLongestLine = 4000;
    static constexpr int kMostTracks = 99;

    std::string dataFile;                  // the FILE name as the sheet gives it
    std::vector<std::string> cdTextFiles;  // CDTEXTFILE names
    int numberOfTracks = 0;
    long lastTrackStart = 0;  // sectors from the data file's start to the last INDEX 01

    // Throws SonorailError ("line N: what is wrong") for a sheet that fails the check.
    static CueSheet parse(std::string_view text);
};
