#include <gtest/gtest.h>

#include "core/formats/M3uPlaylist.h"
#include "core/formats/PlsPlaylist.h"

namespace {

using Texts = std::vector<std::string>;

TEST(M3uReading, DirectivesAndCommentsAreSkippedAndRelativePathsComeFromThePlaylistsFolder)
{
    const std::string playlist =
        "\xEF\xBB\xBF#EXTM3U\r\n"
        "#EXTINF:123,Artist - Title\r\n"
        "song.mid\r\n"
        "\r\n"
        "# a comment\r\n"
        "  sub/clip.avi  \r\n"
        "../other/tune.wav\r\n"
        "/abs/olute.mid\r\n"
        "./here.mid";
    EXPECT_EQ(ReadM3u(playlist, "/music/lists", M3uCharset::Utf8),
              (Texts{"/music/lists/song.mid", "/music/lists/sub/clip.avi", "/music/other/tune.wav", "/abs/olute.mid",
                     "/music/lists/here.mid"}));
}

TEST(M3uReading, FileUrlsAreDecodedAndOtherUrlsLeftOut)
{
    const std::string playlist =
        "file:///home/ann/My%20Music/caf%C3%A9.mid\n"
        "FILE://localhost/srv/a%2Bb.wav\n"
        "file:/short/form.mid\n"
        "file://otherhost/share/x.mid\n"
        "http://radio.example/stream.mp3\n"
        "mms://radio.example/live\n"
        "file:///broken%2escape%zz.mid\n"
        "file:///nul%00byte.mid\n"
        "track:1.mid\n"
        "C:\\Music\\win.mid\n";
    EXPECT_EQ(ReadM3u(playlist, "/lists", M3uCharset::Utf8),
              (Texts{"/home/ann/My Music/caf\xC3\xA9.mid", "/srv/a+b.wav", "/short/form.mid", "/lists/track:1.mid",
                     "/lists/C:\\Music\\win.mid"}))
        << "a name with a colon or a backslash is a relative name, not a URL";
}

TEST(M3uReading, AnM3uIsUtf8WhenValidAndLatin1OtherwiseWhileAnM3u8KeepsItsBytes)
{
    EXPECT_EQ(ReadM3u("/caf\xC3\xA9.mid\n", "/", M3uCharset::Utf8OrLatin1), Texts{"/caf\xC3\xA9.mid"});
    EXPECT_EQ(ReadM3u("/caf\xE9.mid\n/na\xEFve.wav\n", "/", M3uCharset::Utf8OrLatin1),
              (Texts{"/caf\xC3\xA9.mid", "/na\xC3\xAFve.wav"}));
    EXPECT_EQ(ReadM3u("/caf\xE9.mid\n", "/", M3uCharset::Utf8), Texts{"/caf\xE9.mid"});
}

TEST(M3u8Writing, EveryFileEntryReadsBackExactlyAndCdTracksAreLeftOut)
{
    const Texts queue = {"/home/ann/song.mid",
                         "03:Track Three.cdt",
                         "/home/ann/caf\xC3\xA9 & friends #1.wav",
                         "/home/ann/line\nbreak.avi",
                         "/home/ann/ trailing space .mid ",
                         "/home/ann/100%.mid",
                         "/home/ann/not utf-8 \xFF.mid"};
    const std::string written = ComposeM3u8(queue);
    EXPECT_TRUE(written.starts_with("#EXTM3U\n"));
    EXPECT_EQ(written.find(".cdt"), std::string::npos);
    EXPECT_NE(written.find("\n/home/ann/song.mid\n"), std::string::npos) << "plain names stay readable";
    Texts expected = queue;
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(ReadM3u(written, "/elsewhere", M3uCharset::Utf8), expected);
}

TEST(PlsReading, FileKeysInTheOrderOfTheirNumbers)
{
    const std::string playlist =
        "[playlist]\r\n"
        "NumberOfEntries=4\r\n"
        "File10=ten.mid\r\n"
        "Title10=Ten\r\n"
        "file2=/abs/two.wav\r\n"
        "File1 = one.mid \r\n"
        "Length1=-1\r\n"
        "File3=http://radio.example/three\r\n"
        "File2=/abs/duplicate.wav\r\n"
        "Fileabc=/not/a/number.mid\r\n"
        "File4=file:///four%20.avi\r\n"
        "Version=2\r\n"
        "[other]\r\n"
        "File5=/other/section.mid\r\n";
    EXPECT_EQ(ReadPls(playlist, "/lists"), (Texts{"/lists/one.mid", "/abs/two.wav", "/four .avi", "/lists/ten.mid"}));
}

TEST(PlsReading, Latin1TextAndOddInputGiveWhatCanBeRead)
{
    EXPECT_EQ(ReadPls("[Playlist]\nFile1=/caf\xE9.mid\n", "/"), Texts{"/caf\xC3\xA9.mid"});
    EXPECT_TRUE(ReadPls("", "/").empty());
    EXPECT_TRUE(ReadPls("[playlist\nFile1=/x.mid\n", "/").empty()) << "a broken header opens no playlist section";
    EXPECT_TRUE(ReadPls("File99999999999999999999=/x.mid\n", "/").empty());
    EXPECT_EQ(ReadPls("File1=\nFile2=/y.mid\n", "/"), Texts{"/y.mid"});
}

}  // namespace
