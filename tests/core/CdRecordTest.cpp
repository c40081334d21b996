#include "core/cd/CdRecord.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/Utf8Text.h"

namespace {

std::span<const unsigned char, CdRecord::kSize> bytesOf(const std::string& record)
{
    return std::span<const unsigned char, CdRecord::kSize>(reinterpret_cast<const unsigned char*>(record.data()),
                                                           CdRecord::kSize);
}

CdRecord namedRecord()
{
    CdRecord record;
    record.discId = 2723012;
    record.title = "Kind of Blue";
    record.author = "Miles Davis";
    record.category = "Jazz";
    record.misc = "Recorded 1959\r\nColumbia";
    record.trackSlots[0] = "01:So What.cdt";
    record.trackSlots[1] = "02:Freddie Freeloader.cdt";
    return record;
}

}  // namespace

// ---- Where everything lies in the 6080 bytes ----

TEST(CdRecord, FieldsLieAtTheirOffsetsAsLengthByteAndText)
{
    const std::string bytes = namedRecord().encode();
    ASSERT_EQ(bytes.size(), 6080u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xC4\x8C\x29\x00", 4)) << "2723012 little-endian";
    EXPECT_EQ(bytes.substr(4, 13), std::string("\x0CKind of Blue"));
    EXPECT_EQ(bytes.substr(260, 12), std::string("\x0BMiles Davis"));
    EXPECT_EQ(bytes.substr(516, 5), std::string("\x04Jazz"));
    EXPECT_EQ(bytes.substr(772, 24), std::string("\x17Recorded 1959\r\nColumbia"));
    EXPECT_EQ(bytes.substr(1028, 15), std::string("\x0E"
                                                  "01:So What.cdt"));
    EXPECT_EQ(bytes.substr(1028 + 51, 26), std::string("\x19"
                                                       "02:Freddie Freeloader.cdt"));
    // A slot without a track: 48 spaces.
    EXPECT_EQ(bytes.substr(1028 + 51 * 98, 49), "\x30" + std::string(48, ' '));
    // What follows a text and the fill bytes are zeros.
    EXPECT_EQ(bytes.substr(4 + 13, 256 - 13), std::string(256 - 13, '\0'));
    EXPECT_EQ(bytes.substr(6077), std::string(3, '\0'));
}

TEST(CdRecord, ReadsBackWhatItWrote)
{
    const CdRecord written = namedRecord();
    const CdRecord read = CdRecord::decode(bytesOf(written.encode()));
    EXPECT_EQ(read.discId, written.discId);
    EXPECT_EQ(read.title, written.title);
    EXPECT_EQ(read.author, written.author);
    EXPECT_EQ(read.category, written.category);
    EXPECT_EQ(read.misc, written.misc);
    EXPECT_EQ(read.trackSlots, written.trackSlots);

    CdRecord negative;
    negative.discId = -5;
    EXPECT_EQ(CdRecord::decode(bytesOf(negative.encode())).discId, -5);
}

// ---- Texts longer than their fields ----

TEST(CdRecord, LongTextsAreCutToTheirFieldsOnACharacterBoundary)
{
    CdRecord record;
    record.title = std::string(300, 'x');
    record.author = std::string(254, 'a') + "\xC5\x82";  // "ł", no Windows-1252: UTF-8 to byte 256
    record.trackSlots[0] = "01:" + std::string(46, 'n') + "\xE2\x86\x92.cdt";  // "→" (UTF-8) across byte 50
    const std::string bytes = record.encode();
    EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 255);
    EXPECT_EQ(static_cast<unsigned char>(bytes[260]), 254) << "the ł is left out whole";
    EXPECT_EQ(static_cast<unsigned char>(bytes[1028]), 49);

    const CdRecord read = CdRecord::decode(bytesOf(bytes));
    EXPECT_EQ(read.title, std::string(255, 'x'));
    EXPECT_EQ(read.author, std::string(254, 'a'));
    EXPECT_EQ(read.trackSlots[0], "01:" + std::string(46, 'n'));
    EXPECT_TRUE(IsValidUtf8(read.trackSlots[0]));
}

// A damaged file: length bytes that claim more than the field holds are read only as far as
// the field goes, never into the next one.
TEST(CdRecord, LengthBytesBeyondTheirFieldsReadOnlyTheField)
{
    std::string bytes = namedRecord().encode();
    for (int slot = 0; slot < 99; ++slot)
        bytes[1028 + 51 * static_cast<std::size_t>(slot)] = '\xFF';
    bytes[1028 + 51 * 98 + 1] = 'Z';  // the last slot's text runs up to the fill bytes
    bytes[6077] = 'F';
    const CdRecord read = CdRecord::decode(bytesOf(bytes));
    EXPECT_EQ(read.title, "Kind of Blue");
    for (const std::string& slot : read.trackSlots)
        EXPECT_EQ(slot.size(), 50u);
    EXPECT_EQ(read.trackSlots[0].substr(0, 14), "01:So What.cdt");
    EXPECT_EQ(read.trackSlots[98], "Z" + std::string(47, ' ') + std::string(2, '\0'));
}

// Records written by the Windows program hold texts in its ANSI code page.
TEST(CdRecord, TextsThatAreNotUtf8AreReadAsWindows1252)
{
    std::string bytes = CdRecord().encode();
    bytes.replace(4, 8,
                  std::string("\x07"
                              "Caf\xE9 \x80"
                              "5",
                              8));
    EXPECT_EQ(CdRecord::decode(bytesOf(bytes)).title,
              "Caf\xC3\xA9 \xE2\x82\xAC"
              "5");
}

// Texts are stored as the Windows program stores them when its code page can hold them, so
// accented names keep as many characters as the field has bytes; other texts in UTF-8.
TEST(CdRecord, TextsAreStoredInWindows1252WhereItHoldsThemAndElseInUtf8)
{
    CdRecord record;
    record.title =
        "Caf\xC3\xA9 \xE2\x82\xAC"
        "5";  // "Café €5"
    record.author =
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA";                       // "Łódź": UTF-8
    record.category = "\xC3\x83\xC2\xA9";  // "Ã©", whose Windows-1252 bytes read as UTF-8 "é"
    std::string accented;                  // 150 characters, 30 of them "é"
    for (int part = 0; part < 30; ++part)
        accented +=
            "abc\xC3\xA9"
            "d";
    record.misc = accented;
    record.trackSlots[0] = "01:" + std::string(38, 'x') + "\xC3\xA8\xC3\xA8.cdt";  // 47 characters
    const std::string bytes = record.encode();
    EXPECT_EQ(bytes.substr(4, 8), std::string("\x07"
                                              "Caf\xE9 \x80"
                                              "5",
                                              8));
    EXPECT_EQ(bytes.substr(260, 8),
              "\x07\xC5\x81\xC3\xB3"
              "d\xC5\xBA");
    EXPECT_EQ(bytes.substr(516, 5), "\x04\xC3\x83\xC2\xA9");
    EXPECT_EQ(static_cast<unsigned char>(bytes[772]), 150);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1028]), 47);

    const CdRecord read = CdRecord::decode(bytesOf(bytes));
    EXPECT_EQ(read.title, record.title);
    EXPECT_EQ(read.author, record.author);
    EXPECT_EQ(read.category, record.category);
    EXPECT_EQ(read.misc, accented) << "all 150 characters";
    EXPECT_EQ(read.trackSlots[0], record.trackSlots[0]);

    // A field keeps as many accented characters as it has bytes.
    std::string longAccented;
    for (int letter = 0; letter < 300; ++letter)
        longAccented += "\xC3\xA9";
    record.title = longAccented;
    EXPECT_EQ(CdRecord::decode(bytesOf(record.encode())).title, longAccented.substr(0, 2 * 255));

    // Records written by earlier versions hold UTF-8: they read as they did.
    std::string earlier = CdRecord().encode();
    earlier.replace(4, 6,
                    "\x05"
                    "Caf\xC3\xA9");
    EXPECT_EQ(CdRecord::decode(bytesOf(earlier)).title, "Caf\xC3\xA9");
}

TEST(CdRecord, ASlotIsEmptyWhenItStartsWithFiveSpacesOrHoldsNothing)
{
    EXPECT_TRUE(CdRecord::slotIsEmpty(std::string(48, ' ')));
    EXPECT_TRUE(CdRecord::slotIsEmpty("     x"));
    EXPECT_TRUE(CdRecord::slotIsEmpty(""));
    EXPECT_FALSE(CdRecord::slotIsEmpty("    x"));
    EXPECT_FALSE(CdRecord::slotIsEmpty(" 01:Name.cdt"));
}

// ---- Cutting UTF-8 ----

TEST(Utf8Text, PrefixNeverEndsInsideACharacter)
{
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5";  // a é € 🎵
    EXPECT_EQ(Utf8Prefix(text, 100), text);
    EXPECT_EQ(Utf8Prefix(text, 2), "a");
    EXPECT_EQ(Utf8Prefix(text, 3), "a\xC3\xA9");
    EXPECT_EQ(Utf8Prefix(text, 5), "a\xC3\xA9");
    EXPECT_EQ(Utf8Prefix(text, 9), "a\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(Utf8Prefix(text, 0), "");
    EXPECT_EQ(Utf8Prefix(std::string(8, '\x80'), 4), std::string(4, '\x80')) << "not UTF-8: cut where asked";
}
