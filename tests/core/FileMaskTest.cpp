#include "core/files/FileMask.h"

#include <gtest/gtest.h>

#include <utility>

// "*" stands for any run of characters, "?" for exactly one; ASCII letters match in either case,
// every other byte (brackets too) only itself.
TEST(FileMask, WildcardsFollowTheUsualRulesAndOnlyAsciiLettersFold)
{
    const std::pair<const char*, const char*> matching[] = {
        {"*.mid", "song.mid"},  {"*.mid", "a.b.mid"}, {"s?ng.*", "sung.wav"}, {"*", ""},
        {"a*b*c", "aXXbYYbZc"}, {"**?", "x"},         {"*.MiD", "SONG.mid"},  {"readme", "README"},
    };
    const std::pair<const char*, const char*> notMatching[] = {
        {"*.mid", "song.midi"},
        {"*.mid", "songmid"},
        {"s?ng.*", "sng.wav"},
        {"a*b*c", "aXXbYYbZ"},
        {"?", ""},
        {"", "x"},
        {"[a].mid", "a.mid"},
    };
    for (const auto& [pattern, name] : matching)
        EXPECT_TRUE(WildcardMatch(pattern, name)) << pattern << " on " << name;
    for (const auto& [pattern, name] : notMatching)
        EXPECT_FALSE(WildcardMatch(pattern, name)) << pattern << " on " << name;
    EXPECT_TRUE(WildcardMatch("*\xc3\xa9.wav", "caf\xc3\xa9.WAV"));
    EXPECT_FALSE(WildcardMatch("*\xc3\xa9.wav", "caf\xc3\x89.wav"));
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
