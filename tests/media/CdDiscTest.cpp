#include "media/CdDisc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MediaTestSupport.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"
#include "media/VlcBackend.h"
#include "core/settings/ProfileFile.h"
#include "core/base/ProgramPaths.h"

using media_test::eventually;
using media_test::staysTrue;

namespace {

// Three tracks of 2 s, 3 s and 1.6 s: 150, 225 and 120 sectors at 75 a second.
const std::vector<int> kTrackSectors = {150, 225, 120};

class CdImageTest : public ::testing::Test {
protected:
    // libcdio and libVLC both look for the .bin beside the .cue, under the same name.
    std::string writeImage(const std::string& name)
    {
        const test_media::CdImage image = test_media::cdImage(name + ".bin", kTrackSectors);
        test_files::write(dir.file(name + ".bin"), image.bin);
        test_files::write(dir.file(name + ".cue"), image.cue);
        return dir.file(name + ".cue");
    }

    TempDir dir;
};

}  // namespace

// ---- The disc as libcdio reads it ----

TEST_F(CdImageTest, ReadsTheTableOfContentsOfAnImage)
{
    const std::string cue = writeImage("disc");
    const CdDisc disc(cue);
    EXPECT_TRUE(disc.isImage());
    EXPECT_FALSE(disc.canEject());
    EXPECT_EQ(disc.location(), cue);
    EXPECT_EQ(disc.firstTrackNumber(), 1);
    ASSERT_EQ(disc.numberOfTracks(), 3);
    EXPECT_EQ(disc.track(1).startSector, 0);
    EXPECT_EQ(disc.track(2).startSector, 150);
    EXPECT_EQ(disc.track(3).startSector, 375);
    EXPECT_EQ(disc.track(1).sectorCount, 150);
    EXPECT_EQ(disc.track(2).sectorCount, 225);
    EXPECT_EQ(disc.track(3).sectorCount, 120);
    EXPECT_EQ(disc.leadOutSector(), 495);
    EXPECT_NE(errorOf([&] { disc.track(4); }), "");
    EXPECT_NE(errorOf([&] { disc.track(0); }), "");
}

TEST_F(CdImageTest, ImagesThatCannotBeReadThrowNamingThem)
{
    const std::string lonelyCue = dir.file("lonely.cue");
    test_files::write(lonelyCue, "FILE \"lonely.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    const std::string error = errorOf([&] { CdDisc{lonelyCue}; });
    EXPECT_EQ(error.rfind("Cannot read the CD image " + lonelyCue + ": ", 0), 0u) << error;
    EXPECT_NE(error.find("lonely.bin"), std::string::npos) << "libcdio names the missing part: " << error;

    const std::string junk = dir.file("junk.cue");
    test_files::write(junk, "these are not\x01\x02 the lines of a cue sheet");
    EXPECT_EQ(errorOf([&] { CdDisc{junk}; }).rfind("Cannot read the CD image " + junk + ": ", 0), 0u);

    const std::string missing = dir.file("missing.cue");
    EXPECT_EQ(errorOf([&] { CdDisc{missing}; }), "Cannot open the CD device " + missing + ": No such file or directory");
}

// A device that answers but holds no disc: /dev/null stands in for an empty drive.
TEST_F(CdImageTest, DriveWithoutADiscThrows)
{
    EXPECT_EQ(errorOf([] { CdDisc{"/dev/null"}; }), "There is no disc in the drive /dev/null");
}

// libcdio's eject fails on an image and leaves its handle unsafe to destroy; an image is
// only released, and can be opened again at once.
TEST_F(CdImageTest, EjectingAnImageReleasesIt)
{
    const std::string cue = writeImage("disc");
    CdDisc disc(cue);
    disc.eject();
    EXPECT_FALSE(disc.isHeld());
    EXPECT_EQ(disc.numberOfTracks(), 3) << "what was read stays readable";
    EXPECT_NO_THROW(disc.eject());
    EXPECT_EQ(CdDisc(cue).numberOfTracks(), 3);
}

// ---- The disc in the media back end ----

namespace {

class DiscBackendTest : public CdImageTest {
protected:
    DiscBackendTest()
    {
        media_test::useDummyOutputs();
        ProgramLocation location;
        location.executablePath = dir.file("sonorail");
        location.sonorailHome = dir.path().string();
        InstallProgramPaths(ProgramPaths::fromLocation(location));
    }

    void configureDevice(const std::string& device)
    {
        ProfileFile(ProgramDir() + "sr3.ini").writeString("CDAudio", "Device", device);
    }

    long trackEnd(int track) { return backend.trackPosition(track) + backend.trackLength(track); }

    VlcBackend backend;
};

}  // namespace

TEST_F(DiscBackendTest, TheDeviceKeyPicksAnImageBesideTheProgram)
{
    writeImage("disc");
    configureDevice("disc.cue");
    backend.open("CDAudio", "");
    EXPECT_FALSE(backend.engineStarted()) << "the table of contents needs no libVLC";
    EXPECT_EQ(backend.numberOfTracks(), 3);
    EXPECT_EQ(backend.trackPosition(1), 0);
    EXPECT_EQ(backend.trackPosition(2), 2000);
    EXPECT_EQ(backend.trackPosition(3), 5000);
    EXPECT_EQ(backend.trackLength(1), 2000);
    EXPECT_EQ(backend.trackLength(2), 3000);
    EXPECT_EQ(backend.trackLength(3), 1600);
    EXPECT_EQ(backend.length(), 6600);
    EXPECT_EQ(backend.position(), 0);
    EXPECT_EQ(backend.displayRect(), DisplayRect{});
}

TEST_F(DiscBackendTest, TheDeviceKeyIsReadAtEveryOpen)
{
    writeImage("first");
    TempDir elsewhere;
    const test_media::CdImage two = test_media::cdImage("two.bin", {75, 75});
    test_files::write(elsewhere.file("two.bin"), two.bin);
    test_files::write(elsewhere.file("two.cue"), two.cue);

    configureDevice("first.cue");
    backend.open("CDAudio", "");
    EXPECT_EQ(backend.numberOfTracks(), 3);
    configureDevice(elsewhere.file("two.cue"));  // absolute
    backend.open("CDAudio", "");
    EXPECT_EQ(backend.numberOfTracks(), 2);
}

TEST_F(DiscBackendTest, ACueNamingAMissingBinThrowsAndLeavesTheDeviceClosed)
{
    test_files::write(dir.file("lonely.cue"), "FILE \"lonely.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    configureDevice("lonely.cue");
    const std::string error = errorOf([&] { backend.open("CDAudio", ""); });
    EXPECT_EQ(error.rfind("Cannot read the CD image " + dir.file("lonely.cue"), 0), 0u) << error;
    EXPECT_NE(errorOf([&] { backend.position(); }), "");
}

TEST_F(DiscBackendTest, TrackTwoPlaysFromItsStartToItsEnd)
{
    writeImage("disc");
    configureDevice("disc.cue");
    backend.open("CDAudio", "");
    backend.seek(backend.trackPosition(2));
    EXPECT_EQ(backend.position(), 2000);
    backend.play();
    ASSERT_TRUE(eventually([&] { return backend.position() > 2000; }));
    EXPECT_LT(backend.position(), trackEnd(2)) << "advances inside track 2 first";

    ASSERT_TRUE(eventually([&] { return backend.position() >= trackEnd(2); }));
    const long stopped = backend.position();
    EXPECT_LT(stopped, backend.length());
    EXPECT_TRUE(staysTrue([&] { return backend.position() == stopped; })) << "one track at a time";
    EXPECT_EQ(backend.takeLateFailure(), std::nullopt);

    backend.play();  // goes on with track 3
    EXPECT_TRUE(eventually([&] { return backend.position() == backend.length(); }));
}

TEST_F(DiscBackendTest, SeekToTheDiscsEndHaltsIt)
{
    writeImage("disc");
    configureDevice("disc.cue");
    backend.open("CDAudio", "");
    backend.play();
    ASSERT_TRUE(eventually([&] { return backend.position() > 0; }));
    backend.seek(backend.length());
    EXPECT_EQ(backend.position(), backend.length());
    backend.play();
    EXPECT_TRUE(staysTrue([&] { return backend.position() == backend.length(); }));
}

TEST_F(DiscBackendTest, PauseHoldsAndSeekingWhilePausedMovesToAnotherTrack)
{
    writeImage("disc");
    configureDevice("disc.cue");
    backend.open("CDAudio", "");
    backend.seek(backend.trackPosition(2));
    backend.play();
    ASSERT_TRUE(eventually([&] { return backend.position() > 2000; }));
    backend.pause();
    const long paused = backend.position();
    EXPECT_TRUE(staysTrue([&] { return backend.position() == paused; }));

    backend.seek(5500);  // inside track 3
    EXPECT_TRUE(staysTrue([&] { return backend.position() == 5500; }));
    backend.play();
    ASSERT_TRUE(eventually([&] { return backend.position() > 5500; }));
    EXPECT_TRUE(eventually([&] { return backend.position() == backend.length(); }));
}

TEST_F(DiscBackendTest, EjectingAnImageReleasesItAndALaterOpenWorks)
{
    writeImage("disc");
    configureDevice("disc.cue");
    backend.open("CDAudio", "");
    EXPECT_FALSE(backend.canEject()) << "an image has no door";
    backend.play();
    ASSERT_TRUE(eventually([&] { return backend.position() > 0; }));
    backend.eject();
    EXPECT_EQ(backend.position(), backend.length()) << "a released disc reads as played out";
    backend.play();
    EXPECT_EQ(backend.position(), backend.length());
    backend.close();

    backend.open("CDAudio", "");
    EXPECT_EQ(backend.numberOfTracks(), 3);
    backend.seek(backend.trackPosition(3));
    backend.play();
    EXPECT_TRUE(eventually([&] { return backend.position() == backend.length(); }));
}
