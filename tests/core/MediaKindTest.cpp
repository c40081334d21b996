#include "core/formats/MediaKind.h"

#include <gtest/gtest.h>

TEST(MediaKind, EachExtensionGivesItsKindInAnyCase)
{
    const std::pair<const char*, MediaKind> cases[] = {
        {"a.mid", mkMidi},   {"a.wav", mkWave},     {"a.avi", mkVideo},    {"a.cdt", mkCdTrack}, {"a.txt", mkText},
        {"a.bmp", mkBitmap}, {"a.ico", mkIcon},     {"a.wmf", mkMetafile}, {"a.png", mkPng},     {"a.jpg", mkJpeg},
        {"a.pcx", mkPcx},    {"a.rtf", mkRichText}, {"a.mp3", mkMusic},    {"a.ogg", mkMusic},   {"a.oga", mkMusic},
        {"a.opus", mkMusic}, {"a.flac", mkMusic},   {"a.m4a", mkMusic},    {"a.aac", mkMusic},   {"a.wma", mkMusic},
        {"a.mp4", mkMovie},  {"a.m4v", mkMovie},    {"a.mkv", mkMovie},    {"a.webm", mkMovie},  {"a.mov", mkMovie},
        {"a.mpg", mkMovie},  {"a.mpeg", mkMovie},   {"a.wmv", mkMovie},    {"a.ogv", mkMovie},
    };
    for (const auto& [name, kind] : cases) {
        EXPECT_EQ(ClassifyEntry(name), kind) << name;
        std::string upper = name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(ClassifyEntry(upper), kind) << upper;
    }
    EXPECT_EQ(ClassifyEntry("SONG.Mid"), mkMidi);
    EXPECT_EQ(ClassifyEntry("song.mId"), mkMidi);
}

TEST(MediaKind, TheExtensionIsWhatFollowsTheLastDotOfTheLastComponent)
{
    EXPECT_EQ(ClassifyEntry("C:\\A.B\\SONG.Mid"), mkMidi);
    EXPECT_EQ(ClassifyEntry("/music/a:b/song.mid"), mkMidi);
    EXPECT_EQ(ClassifyEntry("/a:b.mid"), mkMidi);
    EXPECT_EQ(ClassifyEntry("01:Track.cdt"), mkCdTrack);
    EXPECT_EQ(ClassifyEntry("archive.mid.wav"), mkWave);
    EXPECT_EQ(ClassifyEntry(".mid"), mkMidi);
}

TEST(MediaKind, NoKindWithoutAWholeKnownExtension)
{
    EXPECT_EQ(ClassifyEntry("/music/NEW.DIR/README"), mkNone);
    EXPECT_EQ(ClassifyEntry("C:\\MIDI.DIR\\README"), mkNone);
    EXPECT_EQ(ClassifyEntry("/music/a.b:c/README"), mkNone);
    EXPECT_EQ(ClassifyEntry("/x.y:z"), mkNone);
    EXPECT_EQ(ClassifyEntry("/music/song.mid/"), mkNone);
    EXPECT_EQ(ClassifyEntry("song.midi"), mkNone);
    EXPECT_EQ(ClassifyEntry("song.mi"), mkNone);
    EXPECT_EQ(ClassifyEntry("song."), mkNone);
    EXPECT_EQ(ClassifyEntry("song"), mkNone);
    EXPECT_EQ(ClassifyEntry(""), mkNone);
    EXPECT_EQ(ClassifyEntry("song.jpeg"), mkNone);
    EXPECT_EQ(ClassifyEntry("song.mp3.part"), mkNone);
    EXPECT_EQ(ClassifyEntry("song.m\xc3\x8d"
                            "d"),
              mkNone)
        << "no folding beyond ASCII";
}

TEST(MediaKind, PlayerTakesSoundVideoAndTracksViewerTextAndPictures)
{
    for (MediaKind kind : {mkMidi, mkWave, mkVideo, mkCdTrack, mkMusic, mkMovie}) {
        EXPECT_TRUE(IsPlayerKind(kind)) << kind;
        EXPECT_FALSE(IsViewerKind(kind)) << kind;
    }
    for (MediaKind kind : {mkText, mkBitmap, mkIcon, mkMetafile, mkPng, mkJpeg, mkPcx, mkRichText}) {
        EXPECT_TRUE(IsViewerKind(kind)) << kind;
        EXPECT_FALSE(IsPlayerKind(kind)) << kind;
    }
    EXPECT_FALSE(IsPlayerKind(mkNone));
    EXPECT_FALSE(IsViewerKind(mkNone));
}
