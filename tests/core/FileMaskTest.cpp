#include "core/files/FileMask.h"

#include <gtest/gtest.h>

#include <array>

#include "core/files/FileTypeFilters.h"

namespace {

std::array<bool, kFileTypeFilterCount> allTicked()
{
    std::array<bool, kFileTypeFilterCount> ticked{};
    ticked.fill(true);
    return ticked;
}

}  // namespace

TEST(FileMask, WildcardsFollowTheUsualRules)
{
    EXPECT_TRUE(WildcardMatch("*.mid", "song.mid"));
    EXPECT_TRUE(WildcardMatch("*.mid", "a.b.mid"));
    EXPECT_FALSE(WildcardMatch("*.mid", "song.midi"));
    EXPECT_FALSE(WildcardMatch("*.mid", "songmid"));
    EXPECT_TRUE(WildcardMatch("s?ng.*", "sung.wav"));
    EXPECT_FALSE(WildcardMatch("s?ng.*", "sng.wav"));
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYYbZc"));
    EXPECT_FALSE(WildcardMatch("a*b*c", "aXXbYYbZ"));
    EXPECT_TRUE(WildcardMatch("**?", "x"));
    EXPECT_FALSE(WildcardMatch("?", ""));
    EXPECT_FALSE(WildcardMatch("", "x"));
}

TEST(FileMask, LettersMatchInEitherCaseOtherBytesExactly)
{
    EXPECT_TRUE(WildcardMatch("*.MiD", "SONG.mid"));
    EXPECT_TRUE(WildcardMatch("readme", "README"));
    EXPECT_TRUE(WildcardMatch("*\xc3\xa9.wav", "caf\xc3\xa9.WAV"));
    EXPECT_FALSE(WildcardMatch("*\xc3\xa9.wav", "caf\xc3\x89.wav")) << "only ASCII letters fold";
    EXPECT_FALSE(WildcardMatch("[a].mid", "a.mid")) << "brackets are ordinary characters";
}

TEST(FileMask, ANameMatchesWhenAnyPatternDoes)
{
    const FileMask mask("@@@@@._+_;*.mid;*.wav;track??.cdt;notes");
    EXPECT_TRUE(mask.matches("song.MID"));
    EXPECT_TRUE(mask.matches("loop.wav"));
    EXPECT_TRUE(mask.matches("Track01.CDT"));
    EXPECT_FALSE(mask.matches("Track1.cdt"));
    EXPECT_TRUE(mask.matches("NOTES"));
    EXPECT_FALSE(mask.matches("notes.txt"));
    EXPECT_FALSE(mask.matches("picture.bmp"));
    EXPECT_TRUE(mask.matches("@@@@@._+_")) << "the placeholder is an ordinary literal pattern";
}

TEST(FileMask, EmptyPiecesAddNothing)
{
    EXPECT_TRUE(FileMask("").empty());
    EXPECT_TRUE(FileMask(";;;").empty());
    EXPECT_FALSE(FileMask("").matches(""));
    EXPECT_FALSE(FileMask().matches("song.mid"));
    const FileMask mask(";*.mid;;");
    EXPECT_TRUE(mask.matches("a.mid"));
    EXPECT_FALSE(mask.matches("a.wav"));
}

TEST(FileMask, TheFilterPanelsMasksListTheirTypesOnly)
{
    const FileMask none(BuildFileMask({}));
    EXPECT_FALSE(none.matches("song.mid"));
    EXPECT_FALSE(none.matches("anything"));
    EXPECT_TRUE(none.matches("@@@@@._+_"));

    const FileMask all(BuildFileMask(allTicked()));
    for (const char* name :
         {"a.mid", "a.WAV", "a.avi", "a.txt", "a.bmp", "a.ico", "a.wmf", "a.jpg", "a.png", "a.pcx", "A.RTF"})
        EXPECT_TRUE(all.matches(name)) << name;
    for (const char* name : {"a.mod", "a.jpeg", "a.mid.bak", "mid", "a.cdt"})
        EXPECT_FALSE(all.matches(name)) << name;
}
