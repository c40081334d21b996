#pragma once
// The identifier MusicBrainz files a disc under (28 characters of URL-safe Base64), worked
// out by libdiscid from the disc's table of contents.
#include <string>

#include "core/playback/DiscTableOfContents.h"

class MusicBrainzDiscId {
public:
    // Throws SonorailError for a table of contents libdiscid refuses (no tracks, more than 99,
    // starts out of order or past the lead-out).
    static std::string of(const DiscTableOfContents& toc);
};
