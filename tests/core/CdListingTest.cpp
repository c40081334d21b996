#include "core/cd/CdListing.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cd/CdEntry.h"
#include "core/cd/DiscId.h"

namespace {

std::size_t characterCount(const std::string& utf8)
{
    std::size_t characters = 0;
    for (const char c : utf8)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters;
}

}  // namespace

// ---- Entries and identifiers ----

TEST(CdEntry, EntriesOfANewDiscAndOfNamedTracks)
{
    EXPECT_EQ(CdEntry::forTrack(1), "01:Name of Track.cdt");
    EXPECT_EQ(CdEntry::forTrack(12), "12:Name of Track.cdt");
    EXPECT_EQ(CdEntry::named(3, "Intro: Take 1.5"), "03:Intro: Take 1.5.cdt");
    EXPECT_EQ(CdEntry::named(4, "two\nlines\tand tab"), "04:two lines and tab.cdt");
    // Long names keep their first 40 characters, accented ones too: Windows-1252 stores them
    // in the slot one byte each.
    EXPECT_EQ(CdEntry::named(5, std::string(39, 'x') + "\xC3\xA9" + "tail"),
              "05:" + std::string(39, 'x') + "\xC3\xA9.cdt");
    const std::string accented =
        "Caf\xC3\xA9 \xC3\xA0 la cr\xC3\xA8me, d\xC3\xA9j\xC3\xA0 vu, \xC3\xBC\xC3\xB1\xC3\xAF xylophones";
    ASSERT_EQ(characterCount(accented), 40u);
    EXPECT_EQ(CdEntry::named(6, accented), "06:" + accented + ".cdt");
    EXPECT_EQ(CdEntry::renamed("07:Old.cdt", accented + " and more"), "07:" + accented + ".cdt");
    // A name Windows-1252 cannot hold is stored in UTF-8: as many characters as the slot's
    // bytes keep (43 for the name, two bytes a Greek letter), never half of one.
    std::string greek;
    for (int letter = 0; letter < 40; ++letter)
        greek += "\xCE\xB1";  // alpha
    EXPECT_EQ(CdEntry::named(8, greek), "08:" + greek.substr(0, 2 * 21) + ".cdt");
}

TEST(CdEntry, OnlyLowerCaseCdtEntriesLeaveWithTheDisc)
{
    EXPECT_TRUE(CdEntry::isEjectedWithTheDisc("01:Name of Track.cdt"));
    EXPECT_TRUE(CdEntry::isEjectedWithTheDisc("02:Vol. 2: The End.cdt"));
    EXPECT_FALSE(CdEntry::isEjectedWithTheDisc("01:Name of Track.CDT"));
    EXPECT_FALSE(CdEntry::isEjectedWithTheDisc("01:Name of Track.Cdt"));
    EXPECT_FALSE(CdEntry::isEjectedWithTheDisc("/music/song.wav"));
    EXPECT_FALSE(CdEntry::isEjectedWithTheDisc("/music/old.cdt/readme")) << "a dot before the last separator";
    EXPECT_FALSE(CdEntry::isEjectedWithTheDisc("03:no extension"));
    EXPECT_TRUE(CdEntry::isEjectedWithTheDisc("/home/ann/saved.cdt"));
}

TEST(DiscId, IsTheTotalLengthPlusTheTrackCountModulo256)
{
    EXPECT_EQ(DiscIdOf(2723000, 12), 2723012);
    EXPECT_EQ(DiscIdOf(1000, 256 + 3), 1003);
    EXPECT_EQ(DiscIdOf(2147483647L, 1), INT32_MIN) << "wraps as the stored 32 bits do";
}

// ---- A disc named from its stored record ----

namespace {

CdRecord storedRecord()
{
    CdRecord record;
    record.title = "Stored title";
    record.author = "Stored author";
    record.category = "Rock";
    record.misc = "line one\r\nline two";
    return record;
}

}  // namespace

TEST(CdListing, ANewDiscShowsThePromptsAndOneEntryPerTrack)
{
    const CdListing listing = CdListing::forNewDisc(12);
    EXPECT_EQ(listing.fields, CdFields::prompts());
    ASSERT_EQ(listing.entries.size(), 12u);
    EXPECT_EQ(listing.entries.front(), "01:Name of Track.cdt");
    EXPECT_EQ(listing.entries.back(), "12:Name of Track.cdt");
}

// A slot starting with five spaces keeps the generated entry; any other text replaces it,
// even one with another track number.
TEST(CdListing, StoredSlotsNameTheTracksExceptEmptyOnes)
{
    CdRecord record = storedRecord();
    record.trackSlots[0] = "01:Opening.cdt";
    record.trackSlots[1] = "     02:left alone";
    record.trackSlots[2] = "07:Moved here.cdt";
    CdListing listing = CdListing::forNewDisc(4);
    listing.nameFrom(record);
    EXPECT_EQ(listing.fields, (CdFields{"Stored title", "Stored author", "Rock", "line one\nline two"}));
    EXPECT_EQ(listing.entries, (std::vector<std::string>{"01:Opening.cdt", "02:Name of Track.cdt", "07:Moved here.cdt",
                                                         "04:Name of Track.cdt"}));
}

TEST(CdListing, AListShorterThanTheStoredSlotsUsesOnlyItsOwn)
{
    CdRecord record = storedRecord();
    for (int j = 0; j < 5; ++j)
        record.trackSlots[static_cast<std::size_t>(j)] = CdEntry::named(j + 1, "stored " + std::to_string(j + 1));
    CdListing listing = CdListing::forNewDisc(2);
    listing.nameFrom(record);
    EXPECT_EQ(listing.entries, (std::vector<std::string>{"01:stored 1.cdt", "02:stored 2.cdt"}));
}

// ---- A disc named from its CD-Text ----

TEST(CdListing, CdTextNamesWhatTheDiscNames)
{
    CdListing listing = CdListing::forNewDisc(3);
    listing.nameFrom(DiscText{"Album", "", {"First", "", "Third"}});
    EXPECT_EQ(listing.fields.title, "Album");
    EXPECT_EQ(listing.fields.author, CdFields::kAuthorPrompt);
    EXPECT_EQ(listing.fields.category, CdFields::kCategoryPrompt);
    EXPECT_EQ(listing.entries, (std::vector<std::string>{"01:First.cdt", "02:Name of Track.cdt", "03:Third.cdt"}));

    CdListing more = CdListing::forNewDisc(1);
    more.nameFrom(DiscText{"", "Performer", {"Only", "Beyond the last track"}});
    EXPECT_EQ(more.fields.author, "Performer");
    EXPECT_EQ(more.entries, (std::vector<std::string>{"01:Only.cdt"}));

    // Names longer than the record keeps show as they are stored.
    std::string longTitle;
    for (int letter = 0; letter < 150; ++letter)
        longTitle += "\xCE\xB2";  // beta: the title is stored in UTF-8, 127 letters
    CdListing cut = CdListing::forNewDisc(1);
    cut.nameFrom(DiscText{longTitle, std::string(300, 'p'), {std::string(45, 't')}});
    EXPECT_EQ(cut.fields.title, longTitle.substr(0, 2 * 127));
    EXPECT_EQ(cut.fields.author, std::string(255, 'p'));
    EXPECT_EQ(cut.entries, (std::vector<std::string>{"01:" + std::string(40, 't') + ".cdt"}));
    const CdRecord stored = cut.recordFor(1);
    EXPECT_EQ(stored.title, cut.fields.title);
    EXPECT_EQ(stored.trackSlots[0], cut.entries[0]);
}

// ---- The record that stores a disc ----

TEST(CdListing, TheRecordHoldsTheTextsOneSlotPerEntryAndSpacesInTheRest)
{
    CdListing listing = CdListing::forNewDisc(2);
    listing.fields = {"T", "A", "C", "one\ntwo\n"};
    listing.entries[1] = "02:" + std::string(60, 'n') + ".cdt";
    const CdRecord record = listing.recordFor(2723012);
    EXPECT_EQ(record.discId, 2723012);
    EXPECT_EQ(record.title, "T");
    EXPECT_EQ(record.misc, "one\r\ntwo\r\n");
    EXPECT_EQ(record.trackSlots[0], "01:Name of Track.cdt");
    EXPECT_EQ(record.trackSlots[1], "02:" + std::string(47, 'n')) << "cut to its first 50 bytes";
    EXPECT_EQ(record.trackSlots[2], std::string(48, ' '));
    EXPECT_EQ(record.trackSlots[98], std::string(48, ' '));
}

TEST(CdListing, NotesCutToTheirFieldNeverEndInHalfALineEnd)
{
    CdListing listing = CdListing::forNewDisc(1);
    listing.fields.misc = std::string(254, 'x') + "\nmore";  // CR at byte 255, LF past the field
    EXPECT_EQ(listing.recordFor(1).misc, std::string(254, 'x'));

    CdListing readBack = CdListing::forNewDisc(1);
    CdRecord record;
    record.misc = "a\rb\r\nc";
    readBack.nameFrom(record);
    EXPECT_EQ(readBack.fields.misc, "a\nb\nc");
}
