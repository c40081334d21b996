// The check a disc image's cue sheet passes before libcdio reads it.
#include "core/cd/CueSheet.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/ErrorOf.h"

namespace {

const std::string kTwoTracks =
    "REM made by a disc tool\r\n"
    "PERFORMER \"Band\"\r\n"
    "FILE \"my disc.bin\" BINARY\r\n"
    "  TRACK 01 AUDIO\r\n"
    "    TITLE \"One\"\r\n"
    "    FLAGS DCP\r\n"
    "    INDEX 01 00:00:00\r\n"
    "  TRACK 02 AUDIO\r\n"
    "    INDEX 00 00:02:00\r\n"
    "    INDEX 01 00:04:10\r\n";

}  // namespace

TEST(CueSheetTest, ASheetAsDiscToolsWriteItPasses)
{
    const CueSheet sheet = CueSheet::parse(kTwoTracks);
    EXPECT_EQ(sheet.dataFile, "my disc.bin");
    EXPECT_EQ(sheet.numberOfTracks, 2);
    EXPECT_EQ(sheet.lastTrackStart, 4 * 75 + 10);
}

TEST(CueSheetTest, SheetsLibcdioWouldMishandleAreRefusedSayingWhere)
{
    const std::string file = "FILE \"d.bin\" BINARY\n";
    const std::vector<std::pair<std::string, std::string>> refused = {
        {file + "TRACK 98 AUDIO\nINDEX 01 00:00:00\nTRACK 99 AUDIO\nINDEX 01 00:02:00\n",
         "line 2: TRACK 98 where track 1 belongs (tracks are numbered from 1 in order)"},
        {file + "TRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 03 AUDIO\nINDEX 01 00:02:00\n",
         "line 4: TRACK 03 where track 2"},
        {file + "TRACK 1 AUDIO\nINDEX 01 00:05:00\nTRACK 2 AUDIO\nINDEX 01 00:02:00\n",
         "line 5: INDEX 01 starts before the index above it"},
        {file + "TRACK 1 AUDIO\nINDEX 01 00:00:00\nTRACK 2 AUDIO\nINDEX 01 00:00:00\n",
         "line 5: the track starts where the track before it starts"},
        {file + "TRACK 1 AUDIO\nINDEX 02 00:00:00\n", "line 3: INDEX 02 out of order"},
        {file + "TRACK 1 AUDIO\nINDEX 00 00:00:00\n", "line 3: track 1 has no INDEX 01"},
        {file + "TRACK 1 AUDIO\nINDEX 01 00:60:00\n", "line 3: no time (mm:ss:ff): 00:60:00"},
        {file + "TRACK 1 AUDIO\nINDEX 01 00:00:75\n", "line 3: no time (mm:ss:ff): 00:00:75"},
        {file + "TRACK 1 VIDEO\n", "line 2: unknown track mode VIDEO"},
        {file + file + "TRACK 1 AUDIO\nINDEX 01 00:00:00\n", "line 2: a second FILE"},
        {"TRACK 1 AUDIO\nINDEX 01 00:00:00\n", "line 1: TRACK before any FILE"},
        {"INDEX 01 00:00:00\n", "line 1: INDEX before any TRACK"},
        {"FILE d.bin BINARY\nTRACK 1 AUDIO\n", "line 1: missing a file type after the file name (BINARY)"},
        {file + "TRACK 1 AUDIO extra\n", "line 2: unexpected extra"},
        {file + "BOGUS 1\n", "line 2: unknown keyword BOGUS"},
        {file, "the sheet has no TRACK"},
        {"", "the sheet names no data file (FILE)"},
        {file + "REM " + std::string(5000, 'x') + "\n", "line 2: the line is longer than 4000 bytes"},
        {file + std::string("TRACK 1 AUDIO\0", 14), "the sheet holds a byte 0: it is no text"},
    };
    for (const auto& [text, error] : refused) {
        SCOPED_TRACE(text.substr(0, 200));
        EXPECT_EQ(errorOf([&] { CueSheet::parse(text); }).substr(0, error.size()), error);
    }
    std::string hundred = file;
    for (int track = 1; track <= 100; ++track)
        hundred += "TRACK " + std::to_string(track) + " AUDIO\nINDEX 01 " + std::to_string(track) + ":00:00\n";
    EXPECT_EQ(errorOf([&] { CueSheet::parse(hundred); }), "line 200: more than 99 tracks");
}
