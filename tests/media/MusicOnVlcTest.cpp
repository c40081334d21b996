// Today's music and video files through the real libVLC and TagLib: the samples that
// tools/make-music-samples.sh wrote (1.5 s each) play to their ends with their files' lengths,
// and their tags and covers read as the script set them; broken files give no tags and no crash.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

#include "MediaTestSupport.h"
#include "media/MusicTagReader.h"
#include "media/VlcBackend.h"
#include "support/TempDir.h"

using media_test::eventually;

namespace {

constexpr long kSampleLength = 1500;

std::string sample(const std::string& name) { return std::string(SONORAIL_TEST_DATA) + "/music/" + name; }

std::string bytesOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

struct Sample {
    const char* name;
    const char* device;
    const char* codec;
    bool cover;
};

class EachSample : public ::testing::TestWithParam<Sample> {
protected:
    EachSample() { media_test::useDummyOutputs(); }
};

TEST_P(EachSample, PlaysToItsEndWithTheFilesLength)
{
    VlcBackend backend;
    backend.open(GetParam().device, sample(GetParam().name));
    EXPECT_NEAR(backend.length(), kSampleLength, 300);
    backend.play();
    EXPECT_TRUE(eventually([&] { return backend.position() == backend.length(); }))
        << "stuck at " << backend.position() << " of " << backend.length();
    EXPECT_EQ(backend.takeLateFailure(), std::nullopt);
}

TEST_P(EachSample, TagsReadAsWritten)
{
    const MusicTags tags = MusicTagReader::readFile(sample(GetParam().name));
    if (std::string(GetParam().codec).empty()) {  // no tag reader for this container
        EXPECT_FALSE(tags.readable);
        return;
    }
    ASSERT_TRUE(tags.readable);
    EXPECT_EQ(tags.artists, std::vector<std::string>{"Sonorail Test Band"});
    EXPECT_EQ(tags.album, "Test Pressing");
    EXPECT_EQ(tags.albumArtist, "Various Testers");
    EXPECT_EQ(tags.genre, "Electronic");
    EXPECT_GT(tags.trackNumber, 0);
    EXPECT_FALSE(tags.title.empty());
    EXPECT_NEAR(tags.lengthMs, kSampleLength, 300);
    EXPECT_EQ(tags.codec, GetParam().codec);
    EXPECT_GT(tags.sampleRate, 0);
    EXPECT_EQ(!tags.cover.empty(), GetParam().cover);
    if (GetParam().cover) {
        EXPECT_EQ(tags.cover.substr(0, 3), "\xff\xd8\xff") << "the JPEG the script embedded";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, EachSample,
    ::testing::Values(Sample{"one.mp3", "WaveAudio", "MP3", true}, Sample{"two.flac", "WaveAudio", "FLAC", true},
                      Sample{"three.ogg", "WaveAudio", "Vorbis", false},
                      Sample{"four.opus", "WaveAudio", "Opus", false}, Sample{"five.m4a", "WaveAudio", "AAC", true},
                      Sample{"six.mp4", "AVIVideo", "AAC", false}, Sample{"seven.webm", "AVIVideo", "", false}),
    [](const auto& info) {
        std::string name = info.param.name;
        name[name.find('.')] = '_';
        return name;
    });

TEST(MusicVideo, AFilmLargerThanTheWindowReportsItsOwnSize)
{
    media_test::useDummyOutputs();
    VlcBackend backend;
    backend.open("AVIVideo", sample("six.mp4"));
    EXPECT_EQ(backend.displayRect(), (DisplayRect{0, 0, 960, 540}));
}

TEST(MusicTagReader, FilesWithoutTagsOrOfAnotherKindGiveNoTagsAndNoCrash)
{
    const MusicTags untagged = MusicTagReader::readFile(sample("untagged.wma"));
    EXPECT_TRUE(untagged.readable);
    EXPECT_FALSE(untagged.hasTags());
    EXPECT_EQ(untagged.codec.substr(0, 19), "Windows Media Audio");
    EXPECT_NEAR(untagged.lengthMs, kSampleLength, 300);

    TempDir dir;
    const std::string mp3 = bytesOf(sample("one.mp3"));
    dir.write("cut.mp3", mp3.substr(0, 10));  // a tag header whose tag is missing
    dir.write("flac.mp3", bytesOf(sample("two.flac")));
    dir.write("empty.flac", "");
    for (const char* name : {"cut.mp3", "flac.mp3", "empty.flac", "missing.ogg"})
        EXPECT_FALSE(MusicTagReader::readFile(dir.file(name)).hasTags()) << name;
    ASSERT_EQ(mkfifo(dir.file("pipe.mp3").c_str(), 0600), 0);
    EXPECT_FALSE(MusicTagReader::readFile(dir.file("pipe.mp3")).readable) << "a named pipe is never opened";
    std::filesystem::create_directory(dir.file("folder.flac"));
    EXPECT_FALSE(MusicTagReader::readFile(dir.file("folder.flac")).readable);
    const MusicTags misnamed = MusicTagReader::readBytes(mp3.substr(0, 1000), ".opus");
    EXPECT_FALSE(misnamed.readable) << misnamed.codec << " " << misnamed.lengthMs;
}

}  // namespace
