#include "core/formats/MediaKind.h"

#include <gtest/gtest.h>

// The extension is what follows the last dot after the last "/", "\" or ":", compared whole and
// without regard to ASCII case only; which kind each extension gives is checked against the file
// browser's filters.
TEST(MediaKind, TheExtensionIsWhatFollowsTheLastDotOfTheLastComponentTakenWhole)
{
    for (const char* name : {"C:\\A.B\\SONG.Mid", "/music/a:b/song.mid", "/a:b.mid", ".mid"})
        EXPECT_EQ(ClassifyEntry(name), MediaKind::Midi) << name;
    EXPECT_EQ(ClassifyEntry("01:Track.cdt"), MediaKind::CdTrack);
    EXPECT_EQ(ClassifyEntry("archive.mid.wav"), MediaKind::Wave);
    for (const char* name :
         {"/music/NEW.DIR/README", "C:\\MIDI.DIR\\README", "/music/a.b:c/README", "/x.y:z", "/music/song.mid/",
          "song.midi", "song.mi", "song.", "song", "", "song.jpeg", "song.mp3.part", "song.m\303\215d"})
        EXPECT_EQ(ClassifyEntry(name), MediaKind::None) << name;
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
