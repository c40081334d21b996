// The gap between two queue items as the program lives it: the session with its main window
// (offscreen), the monitor's 200 ms tick and the real libVLC back end. Measured from the
// moment the back end reports the end of the first item's sound (libVLC done with it and
// its clock at its end) to the moment the next item's play request has been made, in two
// ways (run media_bench --through-null-sink for the end as a real sound server plays it):
//   EndReported  - as the program runs: the end report runs the monitor's tick at once;
//   PolledByTick - the report is kept from the window, so only the 200 ms tick finds the
//                  end (how the program worked before the end was reported).
// What libVLC then needs from the play request to the first sound is PlayToFirstSound in
// MediaBench.cpp.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "core/base/ProgramPaths.h"
#include "core/queue/QueueEditing.h"
#include "core/session/Jukebox.h"
#include "media/VlcBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/toolbar/Toolbar.h"

namespace {

using Clock = std::chrono::steady_clock;

// libVLC's back end, with the moments the bench needs: when libVLC reported an end, and
// when a file was asked to play. The end report reaches the window only when forwarding.
class TimedBackend final : public MediaBackend {
public:
    explicit TimedBackend(bool forwardEnds) : forwardEnds(forwardEnds)
    {
        vlc.setEndListener([this] {
            ended = Clock::now().time_since_epoch().count();
            std::lock_guard lock(mutex);
            if (this->forwardEnds && listener)
                listener();
        });
    }

    std::atomic<Clock::rep> ended{0};
    std::function<void(const std::string& fileName)> onPlay;

    void open(const std::string& deviceType, const std::string& fileName) override
    {
        openedFile = fileName;
        vlc.open(deviceType, fileName);
    }
    void close() override { vlc.close(); }
    void play() override
    {
        vlc.play();
        if (onPlay)
            onPlay(openedFile);
    }
    void pause() override { vlc.pause(); }
    void seek(long milliseconds) override { vlc.seek(milliseconds); }
    long position() override { return vlc.position(); }
    long length() override { return vlc.length(); }
    int numberOfTracks() override { return vlc.numberOfTracks(); }
    long trackPosition(int track) override { return vlc.trackPosition(track); }
    long trackLength(int track) override { return vlc.trackLength(track); }
    DiscText discText() override { return vlc.discText(); }
    bool canEject() override { return vlc.canEject(); }
    void eject() override { vlc.eject(); }
    void setDisplayWindow(unsigned long window) override { vlc.setDisplayWindow(window); }
    void setDisplayRect(const DisplayRect& rect) override { vlc.setDisplayRect(rect); }
    DisplayRect displayRect() override { return vlc.displayRect(); }
    std::optional<std::string> takeLateFailure() override { return vlc.takeLateFailure(); }
    void setEndListener(std::function<void()> endListener) override
    {
        std::lock_guard lock(mutex);
        listener = std::move(endListener);
    }

private:
    VlcBackend vlc;
    const bool forwardEnds;
    std::mutex mutex;
    std::function<void()> listener;
    std::string openedFile;
};

// The session and its windows as the program builds them, on files of a fresh directory.
class PlayingSession {
public:
    explicit PlayingSession(bool forwardEnds)
    {
        std::ofstream(home.file("sr3.ini")) << "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n";
        InstallProgramPaths(
            ProgramPaths::fromLocation({SONORAIL_EXECUTABLE, home.path().string(), std::nullopt, std::nullopt}));
        auto timed = std::make_unique<TimedBackend>(forwardEnds);
        backend = timed.get();
        session = std::make_unique<Jukebox>(std::move(timed), dispatcher, std::vector<std::string>{});
        toolbar = std::make_unique<Toolbar>(*session, dispatcher, [this](Toolbar& bar) -> MainWindow& {
            mainWindow = std::make_unique<MainWindow>(*session, dispatcher, bar);
            return *mainWindow;
        });
        mainWindow->show();
        first = home.file("first.wav");
        test_files::write(first, test_media::waveFile(1000));
        test_files::write(home.file("next.wav"), test_media::waveFile(3000));
        test_files::write(home.file("next.mid"), test_media::midiFile(3000));
        for (const char* music : {"one.mp3", "two.flac"})
            std::filesystem::copy_file(std::string(SONORAIL_TEST_DATA) + "/music/" + music, home.file(music));
    }
    ~PlayingSession()
    {
        mainWindow.reset();
        toolbar.reset();
        session.reset();
    }

    // Plays the first item and then next; returns the seconds from libVLC's report of the
    // first item's end to next's play request.
    double endToNextPlayRequest(const std::string& next)
    {
        const std::string nextPath = home.file(next);
        QEventLoop loop;
        Clock::time_point requested{};
        backend->onPlay = [&](const std::string& fileName) {
            if (fileName == nextPath) {
                requested = Clock::now();
                loop.quit();
            }
        };
        backend->ended = 0;
        session->queueEditing().AddFiles({first, nextPath}, false);
        dispatcher.ExecuteCommand(Command::Play);
        QTimer::singleShot(std::chrono::seconds(20), &loop, [&] { loop.exit(1); });
        if (loop.exec() != 0 || backend->ended == 0)
            throw std::runtime_error("the next item did not start within 20 s: " + (dialogs.shown.empty()
                                                                                        ? std::string("no error shown")
                                                                                        : dialogs.shown.back().text));
        backend->onPlay = nullptr;
        dispatcher.ExecuteCommand(Command::Stop);
        const Clock::time_point ended{Clock::duration(backend->ended.load())};
        return std::chrono::duration<double>(requested - ended).count();
    }

private:
    TempDir home;
    ScriptedDialogs dialogs;
    CommandDispatcher dispatcher;
    TimedBackend* backend = nullptr;
    std::unique_ptr<Jukebox> session;
    std::unique_ptr<Toolbar> toolbar;
    std::unique_ptr<MainWindow> mainWindow;
    std::string first;
};

void ItemToItem(benchmark::State& state, bool endReported, const char* next)
{
    PlayingSession playing(endReported);
    double longest = 0;
    for (auto _ : state) {
        const double seconds = playing.endToNextPlayRequest(next);
        longest = std::max(longest, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["longest_ms"] = longest * 1000;
}
// The names keep their "/": clang-format would space it out of the benchmark's name.
// clang-format off
BENCHMARK_CAPTURE(ItemToItem, EndReported/Wave, true, "next.wav")
    ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ItemToItem, PolledByTick/Wave, false, "next.wav")
    ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ItemToItem, EndReported/Midi, true, "next.mid")
    ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ItemToItem, PolledByTick/Midi, false, "next.mid")
    ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ItemToItem, EndReported/Mp3, true, "one.mp3")
    ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ItemToItem, EndReported/Flac, true, "two.flac")
    ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
// clang-format on

}  // namespace
