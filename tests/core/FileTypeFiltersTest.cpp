#include <gtest/gtest.h>

#include <array>

#include "core/files/FileMask.h"
#include "core/files/FileTypeFilters.h"
#include "core/formats/MediaKind.h"

namespace {

TEST(FileTypeFilters, MaskFollowsTheTableOrderWhateverThePanelShows)
{
    EXPECT_EQ(BuildFileMask({}), "@@@@@._+_");
    std::array<bool, kFileTypeFilterCount> some{};
    some[10] = some[1] = true;
    EXPECT_EQ(BuildFileMask(some), "@@@@@._+_;*.wav;*.rtf");
}

// Every file the queue takes is listed under one filter, and only under one that names its kind.
TEST(FileTypeFilters, EachFilterListsTheFilesOfItsKinds)
{
    const std::pair<const char*, const char*> files[] = {
        {"a.mid", "chkMidi"},  {"a.WAV", "chkWav"},    {"a.avi", "chkAVI"},    {"a.txt", "chktxt"},
        {"a.bmp", "chkbmp"},   {"a.ico", "chkico"},    {"a.wmf", "chkwmf"},    {"a.jpg", "chkjpg"},
        {"a.png", "chkpng"},   {"a.pcx", "chkpcx"},    {"a.rtf", "chkRTF"},    {"a.mp3", "chkmusic"},
        {"a.Ogg", "chkmusic"}, {"a.oga", "chkmusic"},  {"a.opus", "chkmusic"}, {"a.flac", "chkmusic"},
        {"a.m4a", "chkmusic"}, {"a.aac", "chkmusic"},  {"a.wma", "chkmusic"},  {"a.mp4", "chkvideo"},
        {"a.m4v", "chkvideo"}, {"a.MKV", "chkvideo"},  {"a.webm", "chkvideo"}, {"a.mov", "chkvideo"},
        {"a.mpg", "chkvideo"}, {"a.mpeg", "chkvideo"}, {"a.wmv", "chkvideo"},  {"a.ogv", "chkvideo"},
    };
    for (const auto& [name, filter] : files) {
        ASSERT_NE(ClassifyEntry(name), MediaKind::None) << name;
        for (std::size_t i = 0; i < kFileTypeFilterCount; ++i) {
            std::array<bool, kFileTypeFilterCount> one{};
            one[i] = true;
            EXPECT_EQ(FileMask(BuildFileMask(one)).matches(name), FileTypeFilters()[i].checkBox == filter)
                << name << " under " << FileTypeFilters()[i].checkBox;
        }
    }
}

}  // namespace
