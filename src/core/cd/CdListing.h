#pragma once
// What the CD panel shows of a disc: the four texts and one entry per track. Built for a disc
// just read, then named from its stored record or, for a disc never stored, from its CD-Text;
// and turned back into the record that stores it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/cd/CdFields.h"
#include "core/cd/CdRecord.h"
#include "core/playback/DiscText.h"

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
    // The disc's own names where it has them: album title, performer, track titles; each
    // cut as the record keeps it (fitToRecord).
    void nameFrom(const DiscText& text);
    // Every text cut to what its field of the record keeps, so that the panel shows what is
    // stored: names found elsewhere (CD-Text, an online lookup) pass through here.
    void fitToRecord();

    // Whether a title, author or category text, or the notes as the panel shows them (lines
    // ending in "\n"), fit their fields whole: the panel's limit while the user types.
    static bool textFits(std::string_view text);
    static bool notesFit(std::string_view notes);

    // The record for discId: the texts cut to their fields (whole characters, as many as the
    // field's bytes keep: see CdRecordText), the notes' lines ending in CR LF,
    // one slot per entry and 48 spaces in the others.
    CdRecord recordFor(std::int32_t discId) const;

    friend bool operator==(const CdListing&, const CdListing&) = default;
};
