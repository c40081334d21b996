#pragma once
// What the CD panel shows of a disc: the four texts and one entry per track. Built for a disc
// just read, then named from its stored record or, for a disc never stored, from its CD-Text;
// and turned back into the record that stores it.
#include <cstdint>
#include <string>
#include <vector>

#include "core/cd/CdFields.h"
#include "core/cd/CdRecord.h"
#include "core/cd/DiscText.h"

struct CdListing {
    CdFields fields;
    std::vector<std::string> entries;

    // The prompts and "Name of Track" for each of the disc's tracks, under the numbers the
    // disc gives them (from firstTrack on).
    static CdListing forNewDisc(int numberOfTracks, int firstTrack = 1);

    // The record's texts in place of the fields; every entry whose slot is not empty becomes
    // the slot's text (even one with another track number). Slots past the last entry are
    // not used.
    void nameFrom(const CdRecord& record);
    // The disc's own names where it has them: album title, performer, track titles.
    void nameFrom(const DiscText& text);

    // The record for discId: the texts cut to their fields, the notes' lines ending in CR LF,
    // one slot per entry and 48 spaces in the others.
    CdRecord recordFor(std::int32_t discId) const;

    friend bool operator==(const CdListing&, const CdListing&) = default;
};
