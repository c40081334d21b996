#include "core/queue/MediaKind.h"

#include <gtest/gtest.h>

// The extension is what follows the last dot after the last "/", "\" or ":", compared whole and
// without regard to ASCII case only; which kind each extension gives is checked against the file
// browser's filters.
TEST(MediaKind, TheExtensionIsWhatFollowsTheLastDotOfTheLastComponentTakenWhole)
{
    for (const char* name : {"C:\\A.B\\SONG.Mid", "/music/a:b/song.mid", "/a:b.mid", ".mid"})
        EXPECT_EQ(ClassifyEntry(name), mkMidi) << name;
    EXPECT_EQ(ClassifyEntry("01:Track.cdt"), mkCdTrack);
    EXPECT_EQ(ClassifyEntry("archive.mid.wav"), mkWave);
    for (const char* name :
         {"/music/NEW.DIR/README", "C:\\MIDI.DIR\\README", "/music/a.b:c/README", "/x.y:z", "/music/song.mid/",
          "song.midi", "song.mi", "song.", "song", "", "song.jpeg", "song.mp3.part", "song.m\303\215d"})
        EXPECT_EQ(ClassifyEntry(name), mkNone) << name;
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
