// The engine and the monitor on a scripted player whose clock the tests move.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/playback/PlaybackEngine.h"
#include "core/playback/PlaybackMonitor.h"
#include "support/ScriptedBackend.h"
#include "core/base/SonorailError.h"

namespace {

// Every view of the engine and the monitor in one: the dispatcher, the information bar, the
// viewer, the video area and the display.
struct FakeWindow final : CommandControl, InformationBar, Viewer, VideoArea, PlaybackDisplay {
    explicit FakeWindow(PlaybackState& state) : state(state) {}

    void setOperation(Command, std::function<void()>) override {}
    void ExecuteCommand(Command command) override { run(command); }
    void SetCommandEnabled(Command command, bool on) override { enabled[command] = on; }
    void showInfo(const std::string& text) override { info = text; }
    void clearTimeDisplays() override { lengthText = positionText = ""; }
    void setIntroCountdown(bool running) override { introRunning = running; }
    std::string introSecondsText() const override { return introText; }
    bool viewerVisible() const override { return viewerShown; }
    void hideViewer() override { viewerShown = false; }
    void showDocument(const std::string& path, const std::string& caption) override { show(path, caption); }
    void showPicture(const std::string& path, const std::string& caption) override { show(path, caption); }
    void restorePictureArea() override { videoInFront = false; }
    void placeVideo(MediaPlayer& player, VideoFit fit) override
    {
        player.setDisplayRect({});
        videoRect = player.displayRect();
        videoInFront = true;
        videoFit = fit;
    }
    void showMusicCover(const std::string& musicPath) override { covers.push_back(musicPath); }
    void setTimeDisplays(const std::string& length, const std::string& position) override
    {
        lengthText = length;
        positionText = position;
    }
    void showIconFrame(int frame) override { frames.push_back(frame); }
    void trackViewer() override {}

    void show(const std::string& path, const std::string& caption)
    {
        if (!viewerShown)
            state.ViewerEngaged = true;  // showing a hidden viewer engages it
        viewerShown = true;
        caption_ = caption;
        shown.push_back(path);
        if (unreadable.count(path))
            throw SonorailError("File not found");
    }

    PlaybackState& state;
    std::function<void(Command)> run;  // a command run the way the user runs it
    std::map<Command, bool> enabled;
    std::string info;
    std::string lengthText, positionText;
    std::string introText = "5";
    bool introRunning = false;
    bool viewerShown = false;
    bool videoInFront = false;
    DisplayRect videoRect;
    VideoFit videoFit = VideoFit::OwnSize;
    std::vector<std::string> covers;
    std::string caption_;
    std::vector<std::string> shown;
    std::set<std::string> unreadable;
    std::vector<int> frames;
};

class PlaybackEngineTest : public ::testing::Test {
protected:
    PlaybackEngineTest()
    {
        auto scripted = std::make_unique<ScriptedBackend>();
        backend = scripted.get();
        player = std::make_unique<MediaPlayer>(std::move(scripted));
        engine = std::make_unique<PlaybackEngine>(queue, modes, state, *player, views);
        engine->seedSource = [this] { return seed++; };
        monitor = std::make_unique<PlaybackMonitor>(*engine, state, *player, views);
        window.run = [this](Command command) {
            if (command == Command::Next)
                engine->Next();
        };
        state.MonitorReady = true;
    }

    void enqueue(std::vector<std::string> texts)
    {
        std::vector<QueueEntry> entries;
        for (std::string& text : texts)
            entries.push_back({text, QueueShortName(text)});
        queue.insert(queue.count(), std::move(entries));
    }

    void sound(const std::string& path, long length) { backend->addMedia(path, {length}); }

    // Runs the monitor for ms milliseconds of playing time, a tick every 200 ms.
    void runFor(long ms)
    {
        for (long passed = 0; passed < ms; passed += 200) {
            backend->advance(200);
            monitor->tick();
        }
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (int row = 0; row < queue.count(); ++row)
            result.push_back(queue.entry(row).text);
        return result;
    }

    // The files opened on the player, in order.
    std::vector<std::string> opened() const
    {
        std::vector<std::string> files;
        for (const std::string& request : backend->requests)
            if (request.rfind("open ", 0) == 0)
                files.push_back(request.substr(request.find(' ', 5) + 1));
        return files;
    }

    std::uint32_t seed = 1000;
    PlayQueue queue;
    PlayModes modes;
    PlaybackState state;
    FakeWindow window{state};
    PlaybackViews views{&window, &window, &window, &window, &window};
    ScriptedBackend* backend = nullptr;
    std::unique_ptr<MediaPlayer> player;
    std::unique_ptr<PlaybackEngine> engine;
    std::unique_ptr<PlaybackMonitor> monitor;
};

TEST_F(PlaybackEngineTest, SoundPictureSoundRunsThroughAndStops)
{
    sound("/a.mid", 1000);
    sound("/c.wav", 600);
    enqueue({"/a.mid", "/b.bmp", "/c.wav"});
    engine->Play();
    EXPECT_EQ(state.activeMedia, ActiveMedia::Midi);
    EXPECT_EQ(window.shown, (std::vector<std::string>{"/b.bmp"})) << "the picture after a sound shows at once";
    EXPECT_EQ(texts(), (std::vector<std::string>{"/c.wav"}));
    EXPECT_FALSE(window.enabled[Command::Play]);
    EXPECT_TRUE(window.enabled[Command::Stop]);

    runFor(1000);
    EXPECT_EQ(state.activeMedia, ActiveMedia::Wave);
    EXPECT_TRUE(queue.empty());
    runFor(600);
    EXPECT_EQ(state.playState, PlayState::Stopped);
    EXPECT_EQ(state.activeMedia, ActiveMedia::None);
    EXPECT_FALSE(window.viewerShown);
    EXPECT_EQ(window.info, " ");
    EXPECT_TRUE(window.enabled[Command::Play]);
    EXPECT_FALSE(window.enabled[Command::Next]);
    EXPECT_EQ(opened(), (std::vector<std::string>{"/a.mid", "/c.wav"}));
}

TEST_F(PlaybackEngineTest, APictureFirstWaitsForTheViewerToClose)
{
    sound("/b.mid", 400);
    enqueue({"/a.bmp", "/b.mid"});
    engine->Play();
    EXPECT_EQ(state.activeMedia, ActiveMedia::None);
    EXPECT_EQ(window.caption_, "Current item:  /a.bmp");
    runFor(2000);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/b.mid"})) << "nothing advances while the picture shows";

    window.viewerShown = false;  // the user closed the viewer (the monitor sees it hidden and engaged)
    monitor->tick();
    EXPECT_EQ(state.activeMedia, ActiveMedia::Midi);
    EXPECT_TRUE(queue.empty());
}

TEST_F(PlaybackEngineTest, ATextAsTheLastRowStopsWhenItsViewerCloses)
{
    enqueue({"/notes.txt"});
    engine->Play();
    EXPECT_EQ(state.activeMedia, ActiveMedia::LastView);
    EXPECT_EQ(state.playState, PlayState::Playing);
    window.viewerShown = false;
    monitor->tick();
    EXPECT_EQ(state.playState, PlayState::Stopped);
}

TEST_F(PlaybackEngineTest, PlayWithAnEmptyQueueStops)
{
    engine->Play();
    EXPECT_EQ(state.playState, PlayState::Stopped);
    EXPECT_TRUE(window.enabled[Command::Play]);
    EXPECT_TRUE(backend->requests.empty() || backend->requests == std::vector<std::string>{});
}

TEST_F(PlaybackEngineTest, BackwardsAndRandomTakeTheirRowsAndRemoveThem)
{
    for (const char* path : {"/0.mid", "/1.mid", "/2.mid", "/3.mid"})
        sound(path, 200);
    enqueue({"/0.mid", "/1.mid", "/2.mid", "/3.mid"});
    modes.setChecked(PlayMode::Backwards, true);
    engine->Play();
    EXPECT_EQ(opened().back(), "/3.mid");
    EXPECT_EQ(texts().size(), 3u);

    modes.setChecked(PlayMode::Random, true);
    RandomGenerator expected;
    expected.reseed(seed);
    const int row = expected.draw(3);
    const std::string chosen = texts()[static_cast<std::size_t>(row)];
    engine->Next();
    EXPECT_EQ(opened().back(), chosen);
    EXPECT_EQ(texts().size(), 2u);
}

TEST_F(PlaybackEngineTest, ContinuousWalksWrapsAndKeepsRows)
{
    for (const char* path : {"/x.mid", "/y.mid", "/z.mid"})
        sound(path, 200);
    enqueue({"/x.mid", "/y.mid", "/z.mid"});
    modes.setChecked(PlayMode::Continuous, true);
    engine->Play();
    runFor(200 * 4);
    EXPECT_EQ(opened(), (std::vector<std::string>{"/x.mid", "/y.mid", "/z.mid", "/x.mid", "/y.mid"}));
    EXPECT_EQ(queue.count(), 3);

    // Rows removed so that the position lies past the end: the next step wraps to row 0.
    queue.removeIf([](int row) { return row >= 1; });
    engine->Next();
    EXPECT_EQ(opened().back(), "/x.mid");

    engine->Stop();
    engine->Play();  // from stopped: starts over at the top
    EXPECT_EQ(opened().back(), "/x.mid");
}

TEST_F(PlaybackEngineTest, ContinuousWithBackwardsRepeatsTheLastRow)
{
    sound("/a.mid", 200);
    sound("/b.mid", 200);
    enqueue({"/a.mid", "/b.mid"});
    modes.setChecked(PlayMode::Continuous, true);
    modes.setChecked(PlayMode::Backwards, true);
    engine->Play();
    runFor(600);
    EXPECT_EQ(opened(), (std::vector<std::string>{"/b.mid", "/b.mid", "/b.mid", "/b.mid"}));
}

TEST_F(PlaybackEngineTest, ShufflePlaysEveryRowOnceBeforeAnyRepeats)
{
    for (const char* path : {"/a.wav", "/b.wav", "/c.wav"})
        sound(path, 200);
    enqueue({"/a.wav", "/b.wav", "/c.wav"});
    modes.setChecked(PlayMode::Shuffle, true);
    engine->Play();
    runFor(200 * 5);
    std::vector<std::string> order = opened();
    ASSERT_GE(order.size(), 6u);
    EXPECT_EQ(std::set<std::string>(order.begin(), order.begin() + 3).size(), 3u);
    EXPECT_EQ(std::set<std::string>(order.begin() + 3, order.begin() + 6).size(), 3u);
    EXPECT_EQ(queue.count(), 3) << "Shuffle keeps the rows";
}

TEST_F(PlaybackEngineTest, PauseResumeNextAndStop)
{
    sound("/a.wav", 5000);
    sound("/b.wav", 5000);
    enqueue({"/a.wav", "/b.wav"});
    engine->Play();
    runFor(1000);
    engine->Pause();
    EXPECT_FALSE(window.enabled[Command::Pause]);
    EXPECT_TRUE(window.enabled[Command::Play]);
    runFor(2000);
    EXPECT_EQ(player->position(), 1000) << "paused holds the position";
    engine->Play();
    EXPECT_EQ(state.playState, PlayState::Playing);
    runFor(400);
    EXPECT_EQ(player->position(), 1400) << "Play resumes where it paused";

    engine->Pause();
    engine->Next();
    EXPECT_EQ(opened().back(), "/b.wav");
    engine->Stop();
    EXPECT_EQ(state.playState, PlayState::Stopped);
    EXPECT_FALSE(player->isOpen());
}

TEST_F(PlaybackEngineTest, IntroCutsEveryItemAndPauseKeepsTheSecondsLeft)
{
    sound("/b.wav", 60000);
    enqueue({"/a.png", "/b.wav"});
    modes.setChecked(PlayMode::Intro, true);
    window.introText = "3";
    engine->Play();
    EXPECT_EQ(window.shown, (std::vector<std::string>{"/a.png"}));
    EXPECT_TRUE(window.introRunning) << "a viewer row gets its intro too";
    EXPECT_EQ(state.IntroRemaining, 3);
    monitor->introTick();
    engine->Pause();
    EXPECT_FALSE(window.introRunning);
    engine->Play();
    EXPECT_TRUE(window.introRunning);
    EXPECT_EQ(state.IntroRemaining, 2) << "resuming keeps the seconds that were left";
    monitor->introTick();
    EXPECT_EQ(opened(), std::vector<std::string>{});
    monitor->introTick();
    EXPECT_EQ(opened(), (std::vector<std::string>{"/b.wav"})) << "the intro's end sends Next";
    EXPECT_EQ(state.IntroRemaining, 3);

    window.introText = "abc";
    enqueue({"/c.png"});
    EXPECT_THROW(engine->Next(), SonorailError);
    EXPECT_TRUE(queue.empty()) << "the row started before the seconds were read";
}

TEST_F(PlaybackEngineTest, CdTrackAdvancesAtItsEndMarkAndCountsFromItsStart)
{
    backend->insertDisc({600000, 200000, 100000});
    sound("/after.wav", 1000);
    enqueue({"02:Second.cdt", "/after.wav"});
    engine->Play();
    EXPECT_EQ(state.activeMedia, ActiveMedia::CdTrack);
    EXPECT_EQ(state.CdTrackStart, 600000);
    EXPECT_EQ(state.CdTrackEndMark, 600000 + 200000 - 1000);
    runFor(5000);
    EXPECT_EQ(window.positionText, "00:05");
    EXPECT_EQ(window.lengthText, "03:20");
    runFor(200000 - 1000 - 5000 - 200);
    EXPECT_EQ(state.activeMedia, ActiveMedia::CdTrack);
    runFor(200);
    EXPECT_EQ(state.activeMedia, ActiveMedia::Wave) << "the next row starts 1000 ms before the track's end";
}

TEST_F(PlaybackEngineTest, AFailedOpenLeavesTheRowAndIsReportedOnce)
{
    sound("/a.mid", 5000);
    enqueue({"/a.mid", "/missing.wav", "/c.mid"});
    engine->Play();
    EXPECT_THROW(engine->Next(), SonorailError);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/missing.wav", "/c.mid"}));
    EXPECT_EQ(state.playState, PlayState::Playing);
    EXPECT_FALSE(window.introRunning);
    // The player is closed while the engine still names the MIDI file: the monitor treats
    // that as nothing running instead of failing on every tick.
    EXPECT_NO_THROW(runFor(2000));
    EXPECT_EQ(state.activeMedia, ActiveMedia::None);
    EXPECT_EQ(texts().size(), 2u) << "nothing advances by itself";
}

TEST_F(PlaybackEngineTest, AFailureWhilePlayingIsReportedOnceAndTheQueueGoesOn)
{
    backend->addMedia("/broken.wav", {5000, true, true});
    sound("/next.wav", 5000);
    enqueue({"/broken.wav", "/next.wav"});
    engine->Play();
    backend->advance(200);
    EXPECT_THROW(monitor->tick(), SonorailError);
    EXPECT_EQ(state.activeMedia, ActiveMedia::Wave);
    EXPECT_EQ(opened().back(), "/next.wav");
    EXPECT_NO_THROW(runFor(1000));
}

TEST_F(PlaybackEngineTest, AnUnreadableDocumentStaysQueued)
{
    window.unreadable.insert("/gone.txt");
    enqueue({"/gone.txt"});
    EXPECT_THROW(engine->Play(), SonorailError);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/gone.txt"}));
    EXPECT_TRUE(window.viewerShown);
}

TEST_F(PlaybackEngineTest, VideoIsPlacedAtItsOwnSizeAndStaysInFrontUntilStop)
{
    backend->addMedia("/clip.avi", {2000, true, false, 320, 240});
    sound("/after.wav", 2000);
    enqueue({"/clip.avi", "/after.wav"});
    engine->Play();
    EXPECT_EQ(state.activeMedia, ActiveMedia::Video);
    EXPECT_EQ(window.videoRect, (DisplayRect{0, 0, 320, 240}));
    runFor(2000);
    EXPECT_EQ(state.activeMedia, ActiveMedia::Wave);
    EXPECT_TRUE(window.videoInFront) << "a following sound does not move the picture area back";
    engine->Stop();
    EXPECT_FALSE(window.videoInFront);
}

// Music plays as wave sound does, with its cover for its time; films play as AVI clips do,
// scaled down to the picture area where a clip keeps its own size.
TEST_F(PlaybackEngineTest, MusicAndFilmsPlayAsWaveAndAviDo)
{
    sound("/one.mp3", 800);
    backend->addMedia("/film.mkv", {1000, true, false, 1920, 1080});
    sound("/two.FLAC", 600);
    backend->addMedia("/clip.avi", {400, true, false, 160, 120});
    enqueue({"/one.mp3", "/picture.png", "/film.mkv", "/two.FLAC", "/clip.avi"});
    engine->Play();
    EXPECT_EQ(state.activeMedia, ActiveMedia::Wave);
    EXPECT_EQ(window.shown, (std::vector<std::string>{"/picture.png"})) << "the look-ahead passes music as sound";
    runFor(800);
    EXPECT_EQ(state.activeMedia, ActiveMedia::Video);
    EXPECT_EQ(window.videoFit, VideoFit::ScaleDownToArea);
    runFor(1000);
    EXPECT_EQ(state.activeMedia, ActiveMedia::Wave);
    runFor(600);
    EXPECT_EQ(window.videoFit, VideoFit::OwnSize);
    runFor(400);
    EXPECT_EQ(state.playState, PlayState::Stopped);
    EXPECT_EQ(opened(), (std::vector<std::string>{"/one.mp3", "/film.mkv", "/two.FLAC", "/clip.avi"}));
    EXPECT_EQ(window.covers, (std::vector<std::string>{"/one.mp3", "", "/two.FLAC", ""}));
}

TEST_F(PlaybackEngineTest, MonitorShowsTimesAndTurnsTheIcon)
{
    sound("/long.wav", 185000);
    enqueue({"/long.wav"});
    monitor->tick();
    EXPECT_EQ(window.frames, (std::vector<int>{1})) << "the icon turns while stopped";
    engine->Play();
    runFor(1400);
    EXPECT_EQ(window.lengthText, "03:05");
    EXPECT_EQ(window.positionText, "00:01");
    EXPECT_EQ(window.frames, (std::vector<int>{1, 2, 3, 0, 1, 2, 3, 0}));
    EXPECT_EQ(FormatPlayTime(0), "00:00");
    EXPECT_EQ(FormatPlayTime(59999), "00:59");
}

TEST(RandomGenerator, DrawsAreTheUpperBitsOfTheProductWithTheNextSeed)
{
    RandomGenerator random;
    random.reseed(0);
    EXPECT_EQ(random.draw(10), 0);  // seed 1
    EXPECT_EQ(random.currentSeed(), 1u);
    EXPECT_EQ(random.draw(1 << 30), 33693953);  // seed 134775814: (134775814 * 2^30) >> 32
    random.reseed(0xFFFFFFFFu);
    EXPECT_EQ(random.draw(100), 96);  // the seed wraps to 4160191484
    EXPECT_EQ(random.currentSeed(), 4160191484u);
}

}  // namespace
