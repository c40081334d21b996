// Opening a 100 000-entry album into the play queue with both queue views attached and
// shown (offscreen) as in the main window, and saving such a queue as an album.
#include <QApplication>
#include <QListView>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/albums/Albums.h"
#include "core/formats/AlbumFormat.h"
#include "ui/queue/QueueListModel.h"
#include "core/base/DialogSeam.h"

namespace {

constexpr int kEntries = 100000;

// Every file dialog chooses the same file; every question is answered Yes.
struct ChosenFile final : DialogSeam {
    std::string path;
    DialogAnswer ask(DialogKind, const std::string&, const std::string&, DialogButtons) override
    {
        return DialogAnswer::Yes;
    }
    std::optional<FileDialogChoice> chooseFile(const FileDialogRequest&) override { return FileDialogChoice{path, 0}; }
};

std::vector<std::string> albumTexts()
{
    static const char* const extensions[] = {".mid", ".wav", ".avi", ".txt", ".bmp", ".ico",
                                             ".wmf", ".jpg", ".png", ".pcx", ".rtf"};
    std::vector<std::string> texts;
    for (int i = 0; i < kEntries; ++i)
        texts.push_back("/home/someone/Music/a fairly long directory name/track " + std::to_string(i) +
                        extensions[i % 11]);
    return texts;
}

struct ShownQueue {
    ShownQueue()
    {
        // As the main window's queue views: rows of one height, several selected at once.
        for (QListView* view : {&pathView, &nameView}) {
            view->setUniformItemSizes(true);
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        }
        pathModel.attach(&pathView);
        nameModel.attach(&nameView);
        pathView.resize(201, 121);
        pathView.show();
        settings.optConfirmOpenWhenQueueNotEmpty = false;
        DialogSeam::install(&dialogs);
    }
    ~ShownQueue() { DialogSeam::install(nullptr); }

    Settings settings;
    QueueViews views;  // no window: no message shown, no selection in play
    ChosenFile dialogs;
    PlayQueue queue;
    QueueEditing editing{queue, settings, views};
    Albums albums{queue, editing, settings, views};
    QListView pathView;
    QListView nameView;
    QueueListModel pathModel{queue, QueueList::Path};
    QueueListModel nameModel{queue, QueueList::Name};
};

std::filesystem::path benchDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sonorail-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

void OpenA100000EntryAlbumIntoTheShownQueue(benchmark::State& state)
{
    const std::filesystem::path directory = benchDirectory();
    const std::string album = (directory / "big.alb").string();
    std::ofstream(album, std::ios::binary) << ComposeAlbum(albumTexts());
    ShownQueue shown;
    shown.dialogs.path = album;
    for (auto _ : state) {
        shown.albums.OpenAlbum();
        QApplication::processEvents();  // the view lays itself out and paints
        state.PauseTiming();
        if (shown.queue.count() != kEntries)
            state.SkipWithError("the album did not load whole");
        shown.queue.clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    std::filesystem::remove_all(directory);
}
BENCHMARK(OpenA100000EntryAlbumIntoTheShownQueue)->Unit(benchmark::kMillisecond);

void SaveA100000EntryQueueAsAnAlbum(benchmark::State& state)
{
    const std::filesystem::path directory = benchDirectory();
    ShownQueue shown;
    shown.dialogs.path = (directory / "saved.alb").string();
    std::vector<QueueEntry> entries;
    for (std::string& text : albumTexts())
        entries.push_back({text, QueueShortName(text)});
    shown.queue.insert(0, std::move(entries));
    for (auto _ : state)
        shown.albums.SaveAlbum();  // written in full, flushed to the disk and renamed
    std::filesystem::remove_all(directory);
}
BENCHMARK(SaveA100000EntryQueueAsAnAlbum)->Unit(benchmark::kMillisecond);

}  // namespace
