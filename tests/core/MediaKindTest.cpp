#include "core/formats/MediaKind.h"

#include <gtest/gtest.h>

TEST(MediaKind, EachExtensionGivesItsKindInAnyCase)
{
    const std::pair<const char*, MediaKind> cases[] = {
        {"a.mid", MediaKind::Midi},    {"a.wav", MediaKind::Wave},     {"a.avi", MediaKind::Video},
        {"a.cdt", MediaKind::CdTrack}, {"a.txt", MediaKind::Text},     {"a.bmp", MediaKind::Bitmap},
        {"a.ico", MediaKind::Icon},    {"a.wmf", MediaKind::Metafile}, {"a.png", MediaKind::Png},
        {"a.jpg", MediaKind::Jpeg},    {"a.pcx", MediaKind::Pcx},      {"a.rtf", MediaKind::RichText},
        {"a.mp3", MediaKind::Music},   {"a.ogg", MediaKind::Music},    {"a.oga", MediaKind::Music},
        {"a.opus", MediaKind::Music},  {"a.flac", MediaKind::Music},   {"a.m4a", MediaKind::Music},
        {"a.aac", MediaKind::Music},   {"a.wma", MediaKind::Music},    {"a.mp4", MediaKind::Movie},
        {"a.m4v", MediaKind::Movie},   {"a.mkv", MediaKind::Movie},    {"a.webm", MediaKind::Movie},
        {"a.mov", MediaKind::Movie},   {"a.mpg", MediaKind::Movie},    {"a.mpeg", MediaKind::Movie},
        {"a.wmv", MediaKind::Movie},   {"a.ogv", MediaKind::Movie},
    };
    for (const auto& [name, kind] : cases) {
        EXPECT_EQ(ClassifyEntry(name), kind) << name;
        std::string upper = name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(ClassifyEntry(upper), kind) << upper;
    }
    EXPECT_EQ(ClassifyEntry("SONG.Mid"), MediaKind::Midi);
    EXPECT_EQ(ClassifyEntry("song.mId"), MediaKind::Midi);
}

TEST(MediaKind, TheExtensionIsWhatFollowsTheLastDotOfTheLastComponent)
{
    EXPECT_EQ(ClassifyEntry("C:\\A.B\\SONG.Mid"), MediaKind::Midi);
    EXPECT_EQ(ClassifyEntry("/music/a:b/song.mid"), MediaKind::Midi);
    EXPECT_EQ(ClassifyEntry("/a:b.mid"), MediaKind::Midi);
    EXPECT_EQ(ClassifyEntry("01:Track.cdt"), MediaKind::CdTrack);
    EXPECT_EQ(ClassifyEntry("archive.mid.wav"), MediaKind::Wave);
    EXPECT_EQ(ClassifyEntry(".mid"), MediaKind::Midi);
}

TEST(MediaKind, NoKindWithoutAWholeKnownExtension)
{
    EXPECT_EQ(ClassifyEntry("/music/NEW.DIR/README"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("C:\\MIDI.DIR\\README"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("/music/a.b:c/README"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("/x.y:z"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("/music/song.mid/"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("song.midi"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("song.mi"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("song."), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("song"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry(""), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("song.jpeg"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("song.mp3.part"), MediaKind::None);
    EXPECT_EQ(ClassifyEntry("song.m\xc3\x8d"
                            "d"),
              MediaKind::None)
        << "no folding beyond ASCII";
}

TEST(MediaKind, PlayerTakesSoundVideoAndTracksViewerTextAndPictures)
{
    for (MediaKind kind :
         {MediaKind::Midi, MediaKind::Wave, MediaKind::Video, MediaKind::CdTrack, MediaKind::Music, MediaKind::Movie}) {
        EXPECT_TRUE(IsPlayerKind(kind)) << static_cast<int>(kind);
        EXPECT_FALSE(IsViewerKind(kind)) << static_cast<int>(kind);
    }
    for (MediaKind kind : {MediaKind::Text, MediaKind::Bitmap, MediaKind::Icon, MediaKind::Metafile, MediaKind::Png,
                           MediaKind::Jpeg, MediaKind::Pcx, MediaKind::RichText}) {
        EXPECT_TRUE(IsViewerKind(kind)) << static_cast<int>(kind);
        EXPECT_FALSE(IsPlayerKind(kind)) << static_cast<int>(kind);
    }
    EXPECT_FALSE(IsPlayerKind(MediaKind::None));
    EXPECT_FALSE(IsViewerKind(MediaKind::None));
}
