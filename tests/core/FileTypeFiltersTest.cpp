#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/FileMask.h"
#include "core/files/FileTypeFilters.h"
#include "core/formats/MediaKind.h"

namespace {

using Ticked = std::array<bool, kFileTypeFilterCount>;

// The files a user ticks a filter for, and what the queue does with each of them.
struct FilesOfAFilter {
    std::string_view checkBox;
    MediaKind kind;
    std::vector<std::string> names;
};

const std::vector<FilesOfAFilter>& filesOfEachFilter()
{
    static const std::vector<FilesOfAFilter> files = {
        {"chkMidi", MediaKind::Midi, {"a.mid"}},
        {"chkWav", MediaKind::Wave, {"a.wav"}},
        {"chkAVI", MediaKind::Video, {"a.avi"}},
        {"chktxt", MediaKind::Text, {"a.txt"}},
        {"chkbmp", MediaKind::Bitmap, {"a.bmp"}},
        {"chkico", MediaKind::Icon, {"a.ico"}},
        {"chkwmf", MediaKind::Metafile, {"a.wmf"}},
        {"chkjpg", MediaKind::Jpeg, {"a.jpg"}},
        {"chkpng", MediaKind::Png, {"a.png"}},
        {"chkpcx", MediaKind::Pcx, {"a.pcx"}},
        {"chkRTF", MediaKind::RichText, {"a.rtf"}},
        {"chkmusic", MediaKind::Music, {"a.mp3", "a.ogg", "a.oga", "a.opus", "a.flac", "a.m4a", "a.aac", "a.wma"}},
        {"chkvideo",
         MediaKind::Movie,
         {"a.mp4", "a.m4v", "a.mkv", "a.webm", "a.mov", "a.mpg", "a.mpeg", "a.wmv", "a.ogv"}}};
    return files;
}

// Names are matched and classified without regard to ASCII case.
std::vector<std::string> spellings(const std::string& name)
{
    std::string upper = name;
    std::string mixed = name;
    for (std::size_t i = 0; i < name.size(); ++i) {
        upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
        mixed[i] = i % 2 == 1 ? upper[i] : name[i];
    }
    return {name, upper, mixed};
}

Ticked tick(const std::set<std::string_view>& checkBoxes)
{
    Ticked ticked{};
    for (std::size_t i = 0; i < kFileTypeFilterCount; ++i)
        ticked[i] = checkBoxes.count(FileTypeFilters()[i].checkBox) > 0;
    return ticked;
}

// Lists a file under exactly the filters ticked for it: each filter its own files and no other's,
// several ticked together the files of each, nothing ticked no file at all.
TEST(FileTypeFilters, TickedFiltersListTheirFilesAndNoOthers)
{
    std::set<std::string_view> all;
    for (const FilesOfAFilter& files : filesOfEachFilter())
        all.insert(files.checkBox);
    ASSERT_EQ(std::ranges::count(tick(all), true), kFileTypeFilterCount) << "every filter has its files here";
    std::vector<std::set<std::string_view>> choices = {{}, all, {"chkWav", "chkRTF"}};
    for (std::string_view checkBox : all)
        choices.push_back({checkBox});
    for (const std::set<std::string_view>& choice : choices) {
        const FileMask mask(BuildFileMask(tick(choice)));
        for (const FilesOfAFilter& files : filesOfEachFilter()) {
            for (const std::string& name : files.names) {
                for (const std::string& spelling : spellings(name))
                    EXPECT_EQ(mask.matches(spelling), choice.count(files.checkBox) > 0) << spelling;
            }
        }
    }
    const FileMask everything(BuildFileMask(tick(all)));
    for (const char* name : {"a.mod", "a.jpeg", "a.mid.bak", "mid", "a.cdt", "anything"})
        EXPECT_FALSE(everything.matches(name)) << name;
}

// Whatever a filter lists, the queue takes as the filter's kind; CD tracks come from the disc.
TEST(MediaKind, TheQueueTakesWhatTheFiltersListAsTheirKindInAnyCase)
{
    for (const FilesOfAFilter& files : filesOfEachFilter()) {
        for (const std::string& name : files.names) {
            for (const std::string& spelling : spellings(name))
                EXPECT_EQ(ClassifyEntry(spelling), files.kind) << spelling;
        }
    }
    for (const std::string& spelling : spellings("01:track.cdt"))
        EXPECT_EQ(ClassifyEntry(spelling), MediaKind::CdTrack) << spelling;
}

}  // namespace
