#pragma once
// What a music file says of itself: its tags, its stream and its front cover. Read by the
// media layer; shown in tool tips, File > Info and the desktop's media controls.
#include <cstdint>
#include <string>
#include <vector>

struct MusicTags {
    bool readable = false;  // the file could be read as music at all
    std::string title;      // UTF-8, as every text here
    std::vector<std::string> artists;
    std::string album;
    std::string albumArtist;
    std::string genre;
    int trackNumber = 0;  // 0: none
    long long lengthMs = 0;
    std::string codec;  // "MP3", "FLAC", "Vorbis", "Opus", "AAC", "WMA", ...
    int bitrateKbps = 0;
    int sampleRate = 0;
    int channels = 0;
    std::string coverMimeType;  // of the embedded front cover, when there is one
    std::string cover;          // its bytes

    bool hasTags() const { return !title.empty() || !artists.empty() || !album.empty(); }
};

// "m:ss" ("h:mm:ss" from an hour on).
std::string MusicLengthText(long long milliseconds);

// The tool tip of a music row: "Artist - Title (Album, m:ss)", leaving out what is missing;
// empty when the file holds no tags.
std::string MusicToolTip(const MusicTags& tags);

// What File > Info adds for a music or video file: its tags, then length, codec, bit rate and
// sample rate, each only where known, separated by ", "; empty when nothing is known.
std::string MusicInfoText(const MusicTags& tags);

// The picture beside a music file that stands for its album (cover.jpg, folder.jpg,
// front.jpg, or those names capitalised or in capitals), or empty.
std::string CoverBeside(const std::string& musicPath);

// A file name for a cover's bytes that differs whenever the bytes do: the same picture
// embedded in every track of an album is written once.
std::string CoverFileName(const std::string& coverBytes, const std::string& mimeType);
