// The playback engine on the real back end: files the test writes play to their end and
// the queue advances by itself, driven only by the monitor's polling; short items play for
// their whole length.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "AlbumPlayback.h"
#include "MediaTestSupport.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"
#include "core/playback/PlaybackEngine.h"
#include "core/playback/PlaybackMonitor.h"
#include "media/VlcBackend.h"

namespace {

using media_test::QuietWindow;

class EngineOnVlcTest : public ::testing::Test {
protected:
    EngineOnVlcTest()
    {
        media_test::useDummyOutputs();
        wave = dir.file("tone.wav");
        midi = dir.file("tune.mid");
        video = dir.file("clip.avi");
        test_files::write(wave, test_media::waveFile(600));
        test_files::write(midi, test_media::midiFile(600));
        test_files::write(video, test_media::aviFile(64, 48, 10, 10));
    }

    void enqueue(const std::vector<std::string>& paths)
    {
        std::vector<QueueEntry> entries;
        for (const std::string& path : paths)
            entries.push_back({path, QueueShortName(path)});
        queue.insert(queue.count(), std::move(entries));
    }

    // Ticks the monitor as the main window does until playback stops (at most 20 s).
    bool runUntilStopped()
    {
        return media_test::eventually([&] {
            monitor.tick();
            return state.playState == PlayState::Stopped;
        });
    }

    TempDir dir;
    std::string wave, midi, video;
    PlayQueue queue;
    PlayModes modes;
    PlaybackState state;
    QuietWindow window;
    MediaPlayer player{std::make_unique<VlcBackend>()};
    PlaybackViews views{.commands = &window, .viewer = &window, .video = &window};
    PlaybackEngine engine{queue, modes, state, player, views};
    PlaybackMonitor monitor{engine, state, player, views};
};

TEST_F(EngineOnVlcTest, WaveMidiAndVideoPlayToTheirEndsAndTheQueueAdvancesByItself)
{
    window.next = [this] { engine.Next(); };
    state.MonitorReady = true;
    enqueue({wave, dir.file("picture.png"), midi, video});
    engine.Play();
    EXPECT_EQ(state.activeMedia, ActiveMedia::Wave);
    EXPECT_EQ(window.shown, std::vector<std::string>{dir.file("picture.png")});
    EXPECT_TRUE(runUntilStopped());
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(window.videoRect, (DisplayRect{0, 0, 64, 48}));
}

TEST_F(EngineOnVlcTest, ContinuousWrapsAroundOnRealFiles)
{
    window.next = [this] { engine.Next(); };
    state.MonitorReady = true;
    enqueue({wave, midi});
    modes.setChecked(PlayMode::Continuous, true);
    engine.Play();
    int starts = 0;
    std::uint64_t lastId = state.currentItemId;
    const bool wrapped = media_test::eventually([&] {
        monitor.tick();
        if (state.currentItemId != lastId) {
            lastId = state.currentItemId;
            ++starts;
        }
        return starts >= 2;  // a.wav, then b.mid, then a.wav again
    });
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(queue.count(), 2);
    engine.Stop();
}

}  // namespace

// libVLC is done with a short file long before its sound is (on the dummy output, and on
// any output that cannot tell how much it holds): the item still plays for its length.
TEST(AlbumOnVlcTest, ShortWaveAndMidiItemsEachPlayForTheirLength)
{
    media_test::useDummyOutputs();
    TempDir dir;
    const media_test::ShortAlbum album(dir);
    const std::vector<double> played = media_test::AlbumPlayback().play(album.files);
    ASSERT_EQ(played.size(), album.files.size()) << "every item started once, and the album ended";
    for (std::size_t i = 0; i < played.size(); ++i)
        EXPECT_NEAR(played[i], album.lengths[i], media_test::kPlayedLengthTolerance) << album.files[i];
}
