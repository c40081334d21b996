#include "media/VlcBackend.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>

#include "MediaTestSupport.h"
#include "support/HangWatchdog.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"

using media_test::eventually;
using media_test::staysTrue;

namespace {

// The lengths written into the files' headers are whole milliseconds; libVLC turns them
// into its microsecond clock and back, so only rounding separates its figure from ours.
constexpr long kLengthTolerance = 20;

constexpr int kVideoWidth = 64;
constexpr int kVideoHeight = 48;

class VlcBackendTest : public ::testing::Test {
protected:
    VlcBackendTest() { media_test::useDummyOutputs(); }

    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string path = dir.file(name);
        test_files::write(path, bytes);
        return path;
    }
    std::string shortWave() { return write("short.wav", test_media::waveFile(1500)); }
    std::string shortMidi() { return write("short.mid", test_media::midiFile(1500)); }
    std::string shortVideo() { return write("short.avi", test_media::aviFile(kVideoWidth, kVideoHeight, 10, 10)); }
    // Long enough to pause and seek in while it plays.
    std::string longWave() { return write("long.wav", test_media::waveFile(6'000)); }

    bool reachesItsEnd()
    {
        return eventually([&] { return backend.position() == backend.length(); });
    }
    bool advancesPast(long milliseconds)
    {
        return eventually([&] { return backend.position() > milliseconds; });
    }

    TempDir dir;
    VlcBackend backend;
};

std::string randomBytes(std::size_t count)
{
    std::mt19937 generator(20240607);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

}  // namespace

// ---- Opening ----

TEST_F(VlcBackendTest, OpenKnowsTheLengthOfEachKindOfFile)
{
    backend.open("WaveAudio", shortWave());
    EXPECT_NEAR(backend.length(), 1500, kLengthTolerance);
    backend.open("Sequencer", shortMidi());
    EXPECT_NEAR(backend.length(), 1500, kLengthTolerance);
    backend.open("AVIVideo", shortVideo());
    EXPECT_NEAR(backend.length(), 1000, kLengthTolerance);
    EXPECT_EQ(backend.position(), 0);
}

TEST_F(VlcBackendTest, DisplayRectIsTheVideosOwnSizeUnlessPlacedElsewhere)
{
    backend.open("AVIVideo", shortVideo());
    EXPECT_EQ(backend.displayRect(), (DisplayRect{0, 0, kVideoWidth, kVideoHeight}));
    backend.setDisplayRect({12, 34, 0, 0});
    EXPECT_EQ(backend.displayRect(), (DisplayRect{12, 34, 0, 0}));
    backend.setDisplayRect({});
    EXPECT_EQ(backend.displayRect(), (DisplayRect{0, 0, kVideoWidth, kVideoHeight}));

    backend.open("WaveAudio", shortWave());
    EXPECT_EQ(backend.displayRect(), DisplayRect{}) << "sound has no picture, and a new item forgets the old rect";
}

TEST_F(VlcBackendTest, AFileIsOneTrackSpanningIt)
{
    backend.open("WaveAudio", shortWave());
    EXPECT_EQ(backend.numberOfTracks(), 1);
    EXPECT_EQ(backend.trackPosition(1), 0);
    EXPECT_EQ(backend.trackLength(1), backend.length());
    EXPECT_NE(errorOf([&] { backend.trackPosition(2); }), "");
    EXPECT_NE(errorOf([&] { backend.trackLength(0); }), "");
    EXPECT_FALSE(backend.canEject());
}

TEST_F(VlcBackendTest, FilesThatCannotBeOpenedThrowNamingTheFile)
{
    const std::string missing = dir.file("missing.mid");
    EXPECT_EQ(errorOf([&] { backend.open("Sequencer", missing); }),
              "Cannot open file " + missing + ": No such file or directory");

    const std::string garbage = write("x.wav", randomBytes(64 * 1024));
    const std::string empty = write("empty.wav", "");
    const std::string truncated = write("truncated.avi", test_media::aviFile(16, 16, 2, 10).substr(0, 40));
    const std::string pipe = dir.file("pipe.wav");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const HangWatchdog watchdog("opening a named pipe as a sound");
    for (const std::string& path : {garbage, empty, truncated, dir.path().string(), pipe}) {
        const std::string error = errorOf([&] { backend.open("WaveAudio", path); });
        EXPECT_EQ(error.rfind("Cannot open file " + path + ": ", 0), 0u) << error;
        EXPECT_GT(error.size(), ("Cannot open file " + path + ": ").size()) << "a reason follows";
    }
}

TEST_F(VlcBackendTest, RefusedOpenLeavesTheDeviceClosed)
{
    backend.open("WaveAudio", shortWave());
    EXPECT_NE(errorOf([&] { backend.open("WaveAudio", dir.file("missing.wav")); }), "");
    EXPECT_NE(errorOf([&] { backend.position(); }), "");
    EXPECT_EQ(backend.takeLateFailure(), std::nullopt);
}

TEST_F(VlcBackendTest, UnknownDeviceTypeThrows)
{
    EXPECT_EQ(errorOf([&] { backend.open("Videodisc", shortWave()); }), "Unknown media device Videodisc");
}

TEST_F(VlcBackendTest, RequestsOnAClosedDeviceThrow)
{
    EXPECT_NE(errorOf([&] { backend.play(); }), "");
    EXPECT_NE(errorOf([&] { backend.position(); }), "");
    backend.open("WaveAudio", shortWave());
    backend.close();
    EXPECT_NE(errorOf([&] { backend.length(); }), "");
    EXPECT_NE(errorOf([&] { backend.seek(0); }), "");
    EXPECT_NO_THROW(backend.close()) << "closing twice is harmless";
}

// libVLC's start costs about as much as the program's whole start-up, so it waits for the
// first request that needs it; a file refused before libVLC is asked does not start it.
TEST_F(VlcBackendTest, LibVlcStartsAtTheFirstRequestThatNeedsIt)
{
    EXPECT_FALSE(backend.engineStarted());
    EXPECT_NE(errorOf([&] { backend.open("WaveAudio", dir.file("missing.wav")); }), "");
    EXPECT_FALSE(backend.engineStarted());
    backend.open("WaveAudio", shortWave());
    EXPECT_TRUE(backend.engineStarted());
}

// ---- Playing ----

class PlaysToItsEnd : public VlcBackendTest, public ::testing::WithParamInterface<const char*> {};

// The program moves on when the position equals the length; libVLC ends items with its clock
// still short of the length, so this must hold exactly, and keep holding.
TEST_P(PlaysToItsEnd, PositionEqualsLengthOnceEnded)
{
    const std::string device = GetParam();
    const std::string file = device == "WaveAudio" ? shortWave() : device == "Sequencer" ? shortMidi() : shortVideo();
    backend.open(device, file);
    backend.play();
    ASSERT_TRUE(reachesItsEnd()) << "stuck at " << backend.position() << " of " << backend.length();
    EXPECT_TRUE(staysTrue([&] { return backend.position() == backend.length(); }));
    backend.play();
    EXPECT_TRUE(staysTrue([&] { return backend.position() == backend.length(); })) << "play at the end does nothing";
    EXPECT_EQ(backend.takeLateFailure(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(EachKind, PlaysToItsEnd, ::testing::Values("WaveAudio", "Sequencer", "AVIVideo"));

TEST_F(VlcBackendTest, PauseHoldsThePositionAndPlayResumesFromIt)
{
    backend.open("WaveAudio", longWave());
    backend.play();
    ASSERT_TRUE(advancesPast(0));
    backend.pause();
    const long paused = backend.position();
    EXPECT_LT(paused, backend.length());
    EXPECT_TRUE(staysTrue([&] { return backend.position() == paused; }));
    backend.pause();
    EXPECT_EQ(backend.position(), paused) << "a second pause changes nothing";

    backend.play();
    ASSERT_TRUE(advancesPast(paused));
    EXPECT_TRUE(reachesItsEnd());
}

TEST_F(VlcBackendTest, SeekBeforePlaySetsWherePlayStarts)
{
    backend.open("WaveAudio", longWave());
    backend.seek(4'500);
    EXPECT_EQ(backend.position(), 4'500);
    backend.play();
    EXPECT_GE(backend.position(), 4'500) << "no moment back at the start";
    ASSERT_TRUE(advancesPast(4'500));
    EXPECT_TRUE(reachesItsEnd());
}

TEST_F(VlcBackendTest, SeekWhilePlayingMovesThePosition)
{
    backend.open("WaveAudio", longWave());
    backend.play();
    ASSERT_TRUE(advancesPast(0));
    backend.seek(4'000);
    EXPECT_GE(backend.position(), 4'000);
    ASSERT_TRUE(advancesPast(4'000));
    backend.seek(1'000);
    EXPECT_LT(backend.position(), 4'000) << "back again";
    EXPECT_TRUE(reachesItsEnd());
}

TEST_F(VlcBackendTest, SeekWhilePausedStaysPausedAtTheNewPosition)
{
    backend.open("WaveAudio", longWave());
    backend.play();
    ASSERT_TRUE(advancesPast(0));
    backend.pause();
    backend.seek(5'000);
    EXPECT_TRUE(staysTrue([&] { return backend.position() == 5'000; }));
    backend.play();
    ASSERT_TRUE(advancesPast(5'000));
    EXPECT_TRUE(reachesItsEnd());
}

TEST_F(VlcBackendTest, SeekToTheEndOrPastItEndsTheItem)
{
    backend.open("WaveAudio", longWave());
    backend.play();
    ASSERT_TRUE(advancesPast(0));
    backend.seek(backend.length() + 5000);
    EXPECT_EQ(backend.position(), backend.length());
    backend.play();
    EXPECT_TRUE(staysTrue([&] { return backend.position() == backend.length(); }));

    backend.seek(-10);
    EXPECT_EQ(backend.position(), 0) << "before the start is the start";
}

TEST_F(VlcBackendTest, ReplaysAfterSeekingBackFromTheEnd)
{
    backend.open("Sequencer", shortMidi());
    backend.play();
    ASSERT_TRUE(reachesItsEnd());
    backend.seek(0);
    EXPECT_EQ(backend.position(), 0);
    backend.play();
    EXPECT_TRUE(reachesItsEnd());
}

// A file taken away between open and play (a USB stick pulled, a file deleted) fails only
// inside libVLC's input thread, after play has returned.
TEST_F(VlcBackendTest, FailureAfterPlayStartedIsHandedOutOnceAndEndsTheItem)
{
    const std::string file = shortWave();
    backend.open("WaveAudio", file);
    ASSERT_EQ(unlink(file.c_str()), 0);
    backend.play();

    std::optional<std::string> failure;
    ASSERT_TRUE(eventually([&] { return (failure = backend.takeLateFailure()).has_value(); }));
    EXPECT_EQ(failure->rfind("Cannot play " + file + ": ", 0), 0u) << *failure;
    EXPECT_NE(failure->find("No such file"), std::string::npos) << "libVLC's reason: " << *failure;
    EXPECT_EQ(backend.position(), backend.length());
    EXPECT_EQ(backend.takeLateFailure(), std::nullopt) << "handed out once";
}

// ---- Telling of an item's end ----

// The listener hears of an end on libVLC's thread, once the end can already be read from
// the position; a failure while playing ends the item too. Taken back, it hears no more.
TEST_F(VlcBackendTest, EndListenerHearsOfEndsAndFailuresUntilTakenBack)
{
    std::atomic<int> heard = 0;
    std::atomic<bool> onOtherThread = true;
    const std::thread::id requestThread = std::this_thread::get_id();
    backend.setEndListener([&] {
        onOtherThread = onOtherThread && std::this_thread::get_id() != requestThread;
        ++heard;
    });

    backend.open("WaveAudio", shortWave());
    backend.play();
    ASSERT_TRUE(eventually([&] { return heard == 1; }));
    EXPECT_EQ(backend.position(), backend.length()) << "the end is recorded before the listener is told";
    EXPECT_TRUE(onOtherThread);

    const std::string vanishing = write("vanishing.wav", test_media::waveFile(1500));
    backend.open("WaveAudio", vanishing);
    ASSERT_EQ(unlink(vanishing.c_str()), 0);
    backend.play();
    ASSERT_TRUE(eventually([&] { return heard == 2; }));
    EXPECT_TRUE(backend.takeLateFailure().has_value());

    backend.setEndListener(nullptr);
    backend.open("WaveAudio", shortWave());
    backend.play();
    ASSERT_TRUE(reachesItsEnd());
    EXPECT_TRUE(staysTrue([&] { return heard == 2; }));
}

TEST_F(VlcBackendTest, CloseWhilePlayingStopsAndAllowsTheNextOpen)
{
    backend.open("WaveAudio", longWave());
    backend.play();
    ASSERT_TRUE(advancesPast(0));
    backend.open("Sequencer", shortMidi());  // closes the wave first
    EXPECT_EQ(backend.position(), 0);
    backend.play();
    EXPECT_TRUE(reachesItsEnd());
    backend.close();
}
