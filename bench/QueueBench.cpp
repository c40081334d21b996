// Adding a whole 50 000-file listing to the play queue, with the queue's two list views
// attached (offscreen) as in the main window, and emptying it again; and 20 000 files added
// one at a time, as a burst of D-Bus OpenUri calls adds them.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListView>
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/queue/QueueEditing.h"
#include "ui/queue/QueueListModel.h"
#include "core/base/DialogSeam.h"

namespace {

struct Listing final : QueueSource {
    std::vector<std::string> names;
    int rowCount() const override { return static_cast<int>(names.size()); }
    bool rowSelected(int) const override { return false; }
    QueueEntry entryFor(int row) const override
    {
        const std::string& name = names[static_cast<std::size_t>(row)];
        return {"/home/someone/Music/a fairly long directory name/" + name, name};
    }
};

Listing makeListing(int count)
{
    static const char* const extensions[] = {".mid", ".wav", ".avi", ".txt", ".bmp", ".ico",
                                             ".wmf", ".jpg", ".png", ".pcx", ".rtf"};
    Listing listing;
    for (int i = 0; i < count; ++i)
        listing.names.push_back("track " + std::to_string(i) + extensions[i % 11]);
    return listing;
}

struct ShownQueue {
    ShownQueue()
    {
        pathModel.attach(&pathView);
        nameModel.attach(&nameView);
        // Rows of one height, as the main window's queue lists have them.
        pathView.setUniformItemSizes(true);
        nameView.setUniformItemSizes(true);
        pathView.resize(201, 121);
        pathView.show();
    }
    Settings settings;
    QueueViews views;  // no window: no message shown, no selection in play
    PlayQueue queue;
    QueueEditing editing{queue, settings, views};
    QListView pathView;
    QListView nameView;
    QueueListModel pathModel{queue, QueueList::Path};
    QueueListModel nameModel{queue, QueueList::Name};
};

void AddAllOfA50000FileListing(benchmark::State& state)
{
    const Listing listing = makeListing(50000);
    ShownQueue shown;
    shown.settings.optConfirmWhenRemovingfromQueue = false;
    for (auto _ : state) {
        shown.editing.AddToQueue(listing, true, false);
        state.PauseTiming();
        shown.editing.RemoveFromQueue(true);
        state.ResumeTiming();
    }
}
BENCHMARK(AddAllOfA50000FileListing)->Unit(benchmark::kMillisecond);

void RemoveAllOf100000Entries(benchmark::State& state)
{
    const Listing listing = makeListing(100000);
    ShownQueue shown;
    shown.settings.optConfirmWhenRemovingfromQueue = false;
    for (auto _ : state) {
        state.PauseTiming();
        shown.editing.AddToQueue(listing, true, false);
        state.ResumeTiming();
        shown.editing.RemoveFromQueue(true);
    }
}
BENCHMARK(RemoveAllOf100000Entries)->Unit(benchmark::kMillisecond);

// 20 000 D-Bus OpenUri calls in two seconds, one file each: the calls arrive one every
// 100 µs, and each turn of the event loop adds those that have arrived (one call each), then
// lets the views do their work. The time is the time the program was busy (on a loaded
// machine the CPU time is the truer cost); the counter is the longest turn, in which the window
// could not answer. Argument 1: each file goes to the top
// (OpenUri while nothing plays), else to the bottom.
void TwentyThousandSingleAddsInTwoSeconds(benchmark::State& state)
{
    ShownQueue shown;
    shown.settings.optConfirmWhenRemovingfromQueue = false;
    const bool toTop = state.range(0) != 0;
    constexpr int kCalls = 20000;
    constexpr qint64 kNanosecondsBetweenCalls = 100'000;
    qint64 longestTurn = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 busy = 0;
        int added = 0;
        while (added < kCalls) {
            const int arrived =
                static_cast<int>(std::min<qint64>(kCalls, clock.nsecsElapsed() / kNanosecondsBetweenCalls));
            if (arrived == added) {
                std::this_thread::sleep_for(std::chrono::microseconds(20));  // idle until the next call
                continue;
            }
            QElapsedTimer turn;
            turn.start();
            for (; added < arrived; ++added)
                shown.editing.AddFiles(
                    {"/home/someone/Music/a fairly long directory name/track " + std::to_string(added) + ".wav"},
                    toTop);
            QCoreApplication::processEvents();
            busy += turn.nsecsElapsed();
            longestTurn = std::max(longestTurn, turn.nsecsElapsed());
        }
        state.SetIterationTime(static_cast<double>(busy) / 1e9);
        shown.editing.RemoveFromQueue(true);
        QCoreApplication::processEvents();
    }
    state.counters["longest_turn_ms"] = static_cast<double>(longestTurn) / 1e6;
}
BENCHMARK(TwentyThousandSingleAddsInTwoSeconds)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
