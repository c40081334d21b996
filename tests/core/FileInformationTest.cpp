#include "core/files/FileInformation.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "core/playback/MediaPlayer.h"
#include "core/playback/PlaybackState.h"
#include "support/ErrorOf.h"
#include "support/FakeFileManager.h"
#include "support/ScopedTmpfs.h"
#include "support/ScriptedBackend.h"
#include "support/TempDir.h"

namespace {

// Plain formats standing in for the locale's: the window's own are tested with real locales.
std::string groupedWithCommas(std::uint64_t size)
{
    std::string digits = std::to_string(size);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string formatted(const char* format, const std::tm& time)
{
    char text[32];
    std::strftime(text, sizeof text, format, &time);
    return text;
}

FileInfoFormats testFormats()
{
    return {groupedWithCommas, [](const std::tm& t) { return formatted("%d/%m/%Y", t); },
            [](const std::tm& t) { return formatted("%H:%M:%S", t); }};
}

time_t localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_isdst = -1;
    return std::mktime(&time);
}

void setModificationTime(const std::string& path, time_t seconds)
{
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimes(path.c_str(), times), 0);
}

class FileInformationTest : public ::testing::Test {
protected:
    FileInformationTest()
    {
        auto scripted = std::make_unique<ScriptedBackend>();
        backend = scripted.get();
        player = std::make_unique<MediaPlayer>(std::move(scripted));
        window.formats = testFormats();
        information = std::make_unique<FileInformation>(views, playback, *player);
    }

    // Shows the line for the one file `name` after giving it these bytes and this time.
    std::string lineFor(const std::string& name, const std::string& bytes, time_t written)
    {
        dir.write(name, bytes);
        setModificationTime(dir.file(name), written);
        window.refreshFileList();
        window.files.select({name});
        information->ShowFileInfo();
        return window.fileInfo.value_or("");
    }

    TempDir dir;
    FakeFileManagerWindow window{dir.path().string()};
    FileManagerViews views{&window, &window, &FileManagerDialogs::none()};
    PlaybackState playback;
    ScriptedBackend* backend = nullptr;
    std::unique_ptr<MediaPlayer> player;
    std::unique_ptr<FileInformation> information;
};

TEST_F(FileInformationTest, TheLineGivesNameSizeDateAndTimeButNoTimeAtMidnight)
{
    EXPECT_EQ(lineFor("song.mid", std::string(1234567, 'x'), localTime(2024, 3, 9, 14, 5, 7)),
              "song.mid:  1,234,567 bytes.  09/03/2024 14:05:07");
    EXPECT_EQ(lineFor("empty.wav", "", localTime(2023, 12, 31, 0, 0, 0)), "empty.wav:  0 bytes.  31/12/2023");
    EXPECT_EQ(lineFor("one.wav", "", localTime(2023, 12, 31, 0, 0, 1)), "one.wav:  0 bytes.  31/12/2023 00:00:01");
    EXPECT_EQ(lineFor("caf\xE9.mid", "", localTime(2023, 1, 2, 3, 4, 6)),
              "caf\xC3\xA9.mid:  0 bytes.  02/01/2023 03:04:06");
}

// Music and video files add what their tags and streams say; other kinds are not read.
TEST_F(FileInformationTest, MusicAndVideoAddTheirTagsAndStream)
{
    MusicTags tags;
    tags.readable = true;
    tags.title = "One";
    tags.artists = {"A", "B"};
    tags.album = "Disc";
    tags.trackNumber = 3;
    tags.lengthMs = 201500;
    tags.codec = "MP3";
    tags.bitrateKbps = 192;
    tags.sampleRate = 44100;
    for (const char* name : {"one.mp3", "one.mkv", "one.wav"})
        backend->musicTags[dir.file(name)] = tags;
    const time_t written = localTime(2024, 3, 9, 14, 5, 6);
    const std::string facts =
        "Title: One, Artist: A, B, Album: Disc, Track: 3, Length: 3:21, Codec: MP3, "
        "Bit rate: 192 kbit/s, Sample rate: 44100 Hz";
    EXPECT_EQ(lineFor("one.mp3", "", written), "one.mp3:  0 bytes.  09/03/2024 14:05:06  " + facts);
    EXPECT_EQ(lineFor("one.mkv", "", written), "one.mkv:  0 bytes.  09/03/2024 14:05:06  " + facts);
    EXPECT_EQ(lineFor("one.wav", "", written), "one.wav:  0 bytes.  09/03/2024 14:05:06");
    EXPECT_EQ(lineFor("none.flac", "", written), "none.flac:  0 bytes.  09/03/2024 14:05:06") << "no tags, no more";
}

TEST_F(FileInformationTest, SizesPastFourGigabytesShowWhole)
{
    dir.write("huge.avi", "");
    ASSERT_EQ(::truncate(dir.file("huge.avi").c_str(), 5LL << 30), 0);  // sparse: no space taken
    window.refreshFileList();
    window.files.select({"huge.avi"});

    information->ShowFileInfo();

    ASSERT_TRUE(window.fileInfo);
    EXPECT_NE(window.fileInfo->find(":  5,368,709,120 bytes.  "), std::string::npos) << *window.fileInfo;
}

TEST_F(FileInformationTest, OnlyTheCurrentRowIsDescribed)
{
    dir.write("a.mid", "a");
    dir.write("bb.mid", "bb");
    window.refreshFileList();
    window.files.select({"bb.mid", "a.mid"});  // a.mid clicked last

    information->ShowFileInfo();

    EXPECT_EQ(window.fileInfo.value_or("").rfind("a.mid:  1 bytes.", 0), 0u);
}

TEST_F(FileInformationTest, AVanishedFileOrNoSelectionIsSaidInTheInformationBarAndTheLineStays)
{
    window.fileInfo = "earlier line";
    information->ShowFileInfo();
    EXPECT_EQ(window.lastInfo(), "To display file info, select one file.");

    dir.write("gone.mid", "x");
    window.refreshFileList();
    window.files.select({"gone.mid"});
    ::unlink(dir.file("gone.mid").c_str());
    information->ShowFileInfo();

    EXPECT_EQ(window.lastInfo(), "Can not read gone.mid: File not found.");
    EXPECT_EQ(window.fileInfo, "earlier line");
}

TEST_F(FileInformationTest, AttributesAreReadOnlyAndHiddenAsLinuxHasThem)
{
    FileFacts facts;
    EXPECT_EQ(AttributeText(facts), "");
    facts.hidden = true;
    EXPECT_EQ(AttributeText(facts), "Hidden ");
    facts.readOnly = true;
    EXPECT_EQ(AttributeText(facts), "ReadOnly ,Hidden ");

    ScopedTmpfs volume("1m");
    if (!volume.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    std::fclose(std::fopen(volume.file("song.mid").c_str(), "w"));
    ASSERT_TRUE(volume.remountReadOnly());
    window.directory = volume.path();
    window.refreshFileList();
    window.files.select({"song.mid"});

    information->ShowFileInfo();

    EXPECT_EQ(window.fileInfo.value_or("").rfind("song.mid:  ReadOnly 0 bytes.  ", 0), 0u) << *window.fileInfo;
}

TEST_F(FileInformationTest, ACdTrackShowsNumberNameAndLengthInWholeSeconds)
{
    window.cdTab = true;
    backend->insertDisc({245'900, 75 * 60'000, 100 * 60'000 + 5'999, 60'000, 60'000});
    window.cd.rows = {"01:Intro.cdt", "02:Name of Track.cdt", "03:Live: Encore.cdt", "04:AC/DC Live.cdt",
                      "05:Left\\Right.cdt"};
    std::vector<std::string> lines;
    for (int row = 0; row < 5; ++row) {
        window.cd.selected = {row};
        window.cd.current = row;
        information->ShowFileInfo();
        lines.push_back(window.fileInfo.value_or(""));
    }

    EXPECT_EQ(lines, (std::vector<std::string>{"Track:1 - Intro.cdt, length: 04:05",
                                               "Track:2 - Name of Track.cdt, length: 75:00",
                                               "Track:3 -  Encore.cdt, length: 100:05",
                                               "Track:4 - AC/DC Live.cdt, length: 01:00",  // "/" is text here
                                               "Track:5 - Right.cdt, length: 01:00"}));
    EXPECT_FALSE(player->isOpen());
    EXPECT_EQ(player->deviceType(), kCdAudioDevice);
    EXPECT_EQ(player->fileName(), "");
}

TEST_F(FileInformationTest, ACdTrackIsNotAskedForWhilePlayingAndAFailedQueryLeavesThePlayerClosed)
{
    window.cdTab = true;
    window.cd.rows = {"01:Intro.cdt"};
    information->ShowFileInfo();
    EXPECT_EQ(window.lastInfo(), "To display file info, select one file.");

    window.cd.select({"01:Intro.cdt"});
    playback.playState = PlayState::Playing;
    information->ShowFileInfo();
    EXPECT_EQ(window.lastInfo(), "Can not get cd track info while multimedia is playing.");

    playback.playState = PlayState::Paused;  // no disc in the drive
    EXPECT_EQ(errorOf([&] { information->ShowFileInfo(); }), "There is no disc in the drive");
    EXPECT_FALSE(window.fileInfo);
    EXPECT_FALSE(player->isOpen());
}

}  // namespace
