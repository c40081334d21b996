// Adding a whole 50 000-file listing to the play queue, with the queue's two list views
// attached (offscreen) as in the main window, and emptying it again.
#include <QListView>
#include <benchmark/benchmark.h>

#include <string>
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

}  // namespace
