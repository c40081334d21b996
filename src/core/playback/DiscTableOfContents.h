#pragma once
// A disc's table of contents as online disc databases count it: sector addresses from the
// start of the 150-sector (2 s) lead-in, so that the first track of a plain audio CD starts
// at 150.
#include <vector>

struct DiscTableOfContents {
    static constexpr long kLeadInSectors = 150;

    int firstTrack = 1;
    int lastTrack = 0;
    // The start of each track from firstTrack to lastTrack.
    std::vector<long> trackStarts;
    long leadOut = 0;  // the first sector after the last track

    bool empty() const { return trackStarts.empty(); }
    friend bool operator==(const DiscTableOfContents&, const DiscTableOfContents&) = default;
};
