#pragma once
// Renaming CD tracks: a track row is the two-digit number, ":", the track's name and
// ".cdt" ("03:Intro.cdt"). A new name keeps the number and the ".cdt" and is cut to 40
// characters, the length the disc's record keeps for a name.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kCdTrackNameLimit = 40;

// The row without its first three characters (number and colon) and its last four (".cdt");
// empty for a row too short to hold them.
std::string CdTrackName(std::string_view row);

// The row for the track with its new name: the row's number and colon, the first 40
// characters of newName, ".cdt".
std::string RenamedCdEntry(std::string_view row, std::string_view newName);

// "Track #" followed by the 1-based row number: the note beside "From:" for a track.
std::string CdTrackNote(int row);
