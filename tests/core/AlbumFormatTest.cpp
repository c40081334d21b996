#include <gtest/gtest.h>

#include "core/formats/AlbumFormat.h"

namespace {

using Texts = std::vector<std::string>;

TEST(AlbumFormat, AFileAndACdTrackAreTwoLinesEachEndedByCrLf)
{
    const Texts texts = {"/home/ann/Music/song.mid", "03:Track Three.cdt"};
    EXPECT_EQ(ComposeAlbum(texts), "/home/ann/Music/song.mid\r\n03:Track Three.cdt\r\n");
    EXPECT_EQ(ParseAlbum(ComposeAlbum(texts)), texts);
}

TEST(AlbumFormat, ReadingAcceptsTheLineEndsOfEverySystemAndAnUnendedLastLine)
{
    const Texts expected = {"/a.mid", "/b.wav", "/c.avi"};
    EXPECT_EQ(ParseAlbum("/a.mid\n/b.wav\n/c.avi\n"), expected);
    EXPECT_EQ(ParseAlbum("/a.mid\r/b.wav\r/c.avi"), expected);
    EXPECT_EQ(ParseAlbum("/a.mid\r\n/b.wav\n/c.avi"), expected);
    EXPECT_EQ(ParseAlbum("/a.mid\n\r/b.wav"), (Texts{"/a.mid", "", "/b.wav"}))
        << "LF then CR is two line ends, so an empty entry between";
    EXPECT_EQ(ParseAlbum("/a.mid\r\n\r\n/b.wav\r\n"), (Texts{"/a.mid", "", "/b.wav"}));
    EXPECT_TRUE(ParseAlbum("").empty());
    EXPECT_EQ(ParseAlbum("\r\n"), Texts{""});
}

TEST(AlbumFormat, AByteZeroEndsTheAlbum)
{
    EXPECT_EQ(ParseAlbum(std::string("/a.mid\r\n/b.w\0av\r\n/c.avi\r\n", 24)), (Texts{"/a.mid", "/b.w"}));
    EXPECT_TRUE(ParseAlbum(std::string("\0/a.mid\r\n", 9)).empty());
}

TEST(AlbumFormat, NamesKeepTheirBytesWhateverTheirEncoding)
{
    const Texts texts = {"/M\xFCsik/caf\xC3\xA9.mid", "/odd \xFF\xFE name.wav", ""};
    EXPECT_EQ(ParseAlbum(ComposeAlbum(texts)), texts);
}

TEST(AlbumFormat, ATextThatWouldBreakItsLineIsNeverWritten)
{
    using namespace std::string_literals;
    const Texts texts = {"/a.mid", "/b\n.mid", "/c\r.wav", "/d\0.avi"s, "/e.mid"};
    EXPECT_EQ(ComposeAlbum(texts), "/a.mid\r\n/e.mid\r\n");
}

}  // namespace
