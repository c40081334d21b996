// Reading a large directory into the file list with every type filter ticked: the
// listing alone (one pass, mask, sort), the model refresh, and the refresh as a shown
// list view lays it out and paints it (offscreen unless QT_QPA_PLATFORM says otherwise).
//   build/bench/file_listing_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "core/files/DirectoryListing.h"
#include "ui/files/FileListModel.h"
#include "core/files/FileMask.h"
#include "core/files/FileTypeFilters.h"

namespace {

constexpr int kFileCount = 50000;

std::string allFiltersMask()
{
    std::array<bool, kFileTypeFilterCount> ticked{};
    ticked.fill(true);
    return BuildFileMask(ticked);
}

// A fresh folder of empty files under the temporary directory, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "sonorail-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        root = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    void addFile(const std::string& name) const { std::ofstream(root / name); }
    std::string path() const { return root.string(); }

private:
    std::filesystem::path root;
};

// 50 000 empty files, mixed case, most of them media the filters take, some not.
class LargeDirectory : public ScratchFolder {
public:
    LargeDirectory()
    {
        constexpr std::array<const char*, 14> kExtensions = {".mid", ".WAV", ".avi", ".txt", ".Bmp", ".ico", ".wmf",
                                                             ".jpg", ".png", ".pcx", ".rtf", ".mp3", ".ogg", ""};
        for (int i = 0; i < kFileCount; ++i)
            addFile((i % 3 ? "Track " : "track ") + std::to_string(i * 7919 % kFileCount) +
                    kExtensions[static_cast<std::size_t>(i) % kExtensions.size()]);
    }
};

const LargeDirectory& largeDirectory()
{
    static const LargeDirectory directory;
    return directory;
}

void ListFilesWithAllFilters(benchmark::State& state)
{
    const std::string directory = largeDirectory().path();
    const FileMask mask(allFiltersMask());
    std::size_t listed = 0;
    for (auto _ : state) {
        listed = ListFiles(directory, mask).size();
        benchmark::DoNotOptimize(listed);
    }
    state.counters["files"] = static_cast<double>(listed);
}
BENCHMARK(ListFilesWithAllFilters)->Unit(benchmark::kMillisecond);

void FileListModelRefresh(benchmark::State& state)
{
    FileListModel model;
    model.setMask(QString::fromStdString(allFiltersMask()));
    model.setDirectory(largeDirectory().path());
    for (auto _ : state) {
        model.refresh();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(FileListModelRefresh)->Unit(benchmark::kMillisecond);

void ShownFileListRefresh(benchmark::State& state)
{
    FileListModel model;
    model.setMask(QString::fromStdString(allFiltersMask()));
    model.setDirectory(largeDirectory().path());
    QListView view;
    view.setUniformItemSizes(true);  // as the browser sets it
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setModel(&model);
    view.resize(200, 300);
    view.show();
    QApplication::processEvents();
    for (auto _ : state) {
        model.refresh();
        view.repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(ShownFileListRefresh)->Unit(benchmark::kMillisecond);

// 10 000 music names list as fast as 10 000 wave names: listing never reads a file's tags,
// and the music filter's eight patterns cost no more than the wave filter's one.
class NamesOfOneKind : public ScratchFolder {
public:
    explicit NamesOfOneKind(const char* extension)
    {
        for (int i = 0; i < 10000; ++i)
            addFile("Track " + std::to_string(i) + extension);
    }
};

void ListTenThousandNames(benchmark::State& state, const char* extension)
{
    const NamesOfOneKind directory(extension);
    FileListModel model;
    model.setMask(QString::fromStdString(allFiltersMask()));
    model.setDirectory(directory.path());
    for (auto _ : state) {
        model.refresh();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK_CAPTURE(ListTenThousandNames, wave, ".wav")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListTenThousandNames, music, ".mp3")->Unit(benchmark::kMillisecond);

}  // namespace
