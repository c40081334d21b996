#include "media/CdDisc.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include <string>
#include <vector>

#include "MediaTestSupport.h"
#include "support/HangWatchdog.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"
#include "media/VlcBackend.h"
#include "core/cd/DiscId.h"
#include "core/playback/MediaPlayer.h"
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
    EXPECT_EQ(errorOf([&] { CdDisc{missing}; }),
              "Cannot open the CD device " + missing + ": No such file or directory");
}

// libcdio trusts a cue sheet: a first track other than 1 has it write outside its track
// table, and it opens whatever files the sheet names, waiting for ever on a named pipe.
// Such images are refused before it sees them, with one error that says why.
TEST_F(CdImageTest, ImagesLibcdioWouldMishandleAreRefusedBeforeItReadsThem)
{
    const HangWatchdog watchdog("opening images with named pipes in them");
    const auto sheetFromData = [&](const std::string& name) {
        test_files::write(dir.file(name), test_files::read(SONORAIL_TEST_DATA "/cue/" + name));
        return dir.file(name);
    };
    const std::string image = test_media::cdImage("disc.bin", kTrackSectors).bin;
    test_files::write(dir.file("disc.bin"), image);
    test_files::write(dir.file("tracks-98-99.bin"), image);
    const std::string numbered = sheetFromData("tracks-98-99.cue");
    EXPECT_EQ(errorOf([&] { CdDisc{numbered}; }),
              "Cannot read the CD image " + numbered +
                  ": line 2: TRACK 98 where track 1 belongs (tracks are numbered from 1 in order)");

    test_files::write(dir.file("valid-two-tracks.bin"), image);
    EXPECT_EQ(CdDisc(sheetFromData("valid-two-tracks.cue")).numberOfTracks(), 2) << "the same sheet numbered from 1";

    const std::string piped = writeImage("piped");
    std::filesystem::remove(dir.file("piped.bin"));
    ASSERT_EQ(::mkfifo(dir.file("piped.bin").c_str(), 0600), 0);
    EXPECT_EQ(errorOf([&] { CdDisc{piped}; }),
              "Cannot read the CD image " + piped + ": its data file " + dir.file("piped.bin") + ": it is not a file");

    const std::string pipedSheet = dir.file("pipe.cue");
    ASSERT_EQ(::mkfifo(pipedSheet.c_str(), 0600), 0);
    EXPECT_EQ(errorOf([&] { CdDisc{pipedSheet}; }),
              "Cannot open the CD device " + pipedSheet + ": it is neither a drive nor a disc image");

    const std::string cut = writeImage("cut");
    ASSERT_EQ(truncate(dir.file("cut.bin").c_str(), 300L * test_media::kCdSectorBytes), 0);
    EXPECT_EQ(errorOf([&] { CdDisc{cut}; }), "Cannot read the CD image " + cut + ": its data file " +
                                                 dir.file("cut.bin") + " ends before track 3 starts");
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

// ---- CD-Text ----

namespace {

// The cue sheet with CD-Text lines: the disc's TITLE and PERFORMER before its FILE line,
// each track's TITLE after its TRACK line (libcdio reads them as the disc's CD-Text).
std::string withText(std::string cue, const std::string& album, const std::string& performer,
                     const std::vector<std::string>& titles)
{
    for (std::size_t i = titles.size(); i-- > 0;) {
        const std::string track = std::string("TRACK 0") + static_cast<char>('1' + i) + " AUDIO\n";
        const std::size_t at = cue.find(track);
        if (!titles[i].empty())
            cue.insert(at + track.size(), "    TITLE \"" + titles[i] + "\"\n");
    }
    return "TITLE \"" + album + "\"\nPERFORMER \"" + performer + "\"\n" + cue;
}

}  // namespace

TEST_F(CdImageTest, ReadsTheCdTextOfACueSheet)
{
    const std::string cue = writeImage("disc");
    test_files::write(cue, withText(test_files::read(cue), "Night Songs", "The Quiet Ones",
                                    {"Dusk", "",
                                     "Stra\xC3\x9F"
                                     "e"}));
    CdDisc disc(cue);
    const DiscText& text = disc.text();
    EXPECT_EQ(text.albumTitle, "Night Songs");
    EXPECT_EQ(text.performer, "The Quiet Ones");
    EXPECT_EQ(text.trackTitles, (std::vector<std::string>{"Dusk", "",
                                                          "Stra\xC3\x9F"
                                                          "e"}))
        << "a UTF-8 sheet stays UTF-8";
    disc.eject();
    EXPECT_EQ(disc.text().albumTitle, "Night Songs") << "kept once read";
}

TEST_F(CdImageTest, ADiscWithoutCdTextHasNone)
{
    CdDisc disc(writeImage("disc"));
    EXPECT_TRUE(disc.text().empty());
    EXPECT_EQ(CdDisc(writeImage("other")).text().trackTitles.size(), 0u);
}

// A Latin-1 sheet (as older Windows tools wrote them) arrives as UTF-8 too.
TEST_F(CdImageTest, ALatin1CueSheetIsReadAsLatin1)
{
    const std::string cue = writeImage("disc");
    test_files::write(cue, withText(test_files::read(cue), "Caf\xE9", "", {}));
    EXPECT_EQ(CdDisc(cue).text().albumTitle, "Caf\xC3\xA9");
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

    void configureDevice(const std::string& device) { backend.setCdDevice(device); }

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

// The disc's identifier comes from the total length and the number of tracks the player
// reads: a 12-track disc of 2,723,000 ms is 2,723,012. The image's .bin is a sparse file
// of the disc's full size, so nothing of its 480 MB is written.
TEST_F(DiscBackendTest, TheIdentifierOfATwelveTrackDisc)
{
    std::string cue = "FILE \"twelve.bin\" BINARY\n";
    const long sectorsPerTrack = 17000;  // eleven of them, and the twelfth 17225: 204225 sectors
    for (int track = 1; track <= 12; ++track) {
        const long start = (track - 1) * sectorsPerTrack;
        char line[96];
        std::snprintf(line, sizeof line, "  TRACK %02d AUDIO\n    INDEX 01 %02ld:%02ld:%02ld\n", track, start / 75 / 60,
                      start / 75 % 60, start % 75);
        cue += line;
    }
    test_files::write(dir.file("twelve.cue"), cue);
    test_files::write(dir.file("twelve.bin"), "");
    ASSERT_EQ(truncate(dir.file("twelve.bin").c_str(), 204225L * test_media::kCdSectorBytes), 0);
    auto twelveTrackDrive = std::make_unique<VlcBackend>();
    twelveTrackDrive->setCdDevice("twelve.cue");

    MediaPlayer player(std::move(twelveTrackDrive));
    player.selectDevice(kCdAudioDevice, "");
    player.open();
    player.setTimeFormatMilliseconds();
    EXPECT_EQ(DiscIdOf(player.length(), player.numberOfTracks()), 2723012);
    EXPECT_EQ(player.discText().albumTitle, "");
    player.close();
}

TEST_F(DiscBackendTest, TheCdTextOfTheOpenDisc)
{
    const std::string cue = writeImage("disc");
    test_files::write(cue, withText(test_files::read(cue), "Album", "Band", {"One", "Two", "Three"}));
    configureDevice("disc.cue");
    backend.open("CDAudio", "");
    EXPECT_EQ(backend.discText().albumTitle, "Album");
    EXPECT_EQ(backend.discText().trackTitles.size(), 3u);
    backend.close();
    EXPECT_NE(errorOf([&] { backend.discText(); }), "") << "a closed player has no disc";
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
