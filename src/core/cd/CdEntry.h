#pragma once
// The text that stands for one audio-CD track in the CD list and in the queue: two digits of
// track number, a colon, the track's name, ".cdt" ("03:Name of Track.cdt"). Only the first
// two characters and the last four mean something fixed; the name may hold colons and dots.
#include <string>
#include <string_view>

class CdEntry {
public:
    static constexpr std::string_view kUnnamedTrack = "Name of Track";
    static constexpr std::string_view kExtension = ".cdt";
    // The most characters a track's name is given (the rename dialog cuts names to it too).
    static constexpr std::size_t kLongestName = 40;

    // "%.2d:Name of Track" for track number, then ".cdt".
    static std::string forTrack(int number);
    // The entry for track number under name, the name cut to kLongestName characters, and
    // further when the entry would not fit its slot of the CD record (CdRecordText: a name
    // Windows-1252 cannot hold is kept in UTF-8), its line breaks and tabs made spaces.
    static std::string named(int number, std::string_view name);
    // The entry under a new name: its own first three characters (the number and the colon),
    // the name cut and cleaned as named() does, ".cdt" (a rename of a CD track).
    static std::string renamed(std::string_view entry, std::string_view name);
    // The track's name: what lies between the track number's colon and the extension.
    static std::string trackName(std::string_view entry);
    // True when the entry's extension (from the last "." after the last "/", "\" or ":") is
    // ".cdt" exactly in lower case: the entries an eject takes out of the queue.
    static bool isEjectedWithTheDisc(std::string_view text);
};
