// Loading the settings from, and writing the setup dialog's keys to, a 50 MB settings file
// (a file grown by hand or by another program): each operation reads the file once.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/formats/ProfileFile.h"
#include "core/settings/SettingsKeys.h"

namespace {

constexpr std::size_t kFileBytes = 50'000'000;

// A section of unrelated keys fills the file; the program's own keys lie before and after it.
const std::string& largeSettingsFile()
{
    static const std::string path = [] {
        const std::filesystem::path dir = std::filesystem::temp_directory_path() / "sonorail-settings-bench";
        std::filesystem::create_directories(dir);
        const std::string file = (dir / "sr3.ini").string();
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n[Junk]\r\n";
        std::size_t written = 0;
        for (int i = 0; written < kFileBytes; ++i) {
            const std::string line = "key" + std::to_string(i) + "=some value here\r\n";
            out << line;
            written += line.size();
        }
        out << "[General]\r\noptDragDrop=1\r\n";
        return file;
    }();
    return path;
}

void ReadSettingsOfALargeFile(benchmark::State& state)
{
    const ProfileFile file(largeSettingsFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSettings(file));
}
BENCHMARK(ReadSettingsOfALargeFile)->Unit(benchmark::kMillisecond);

void WriteDialogSettingsToALargeFile(benchmark::State& state)
{
    ProfileFile file(largeSettingsFile());
    Settings settings = ReadSettings(file);
    for (auto _ : state) {
        settings.optDisplayTime = !settings.optDisplayTime;  // a change, so the file is rewritten
        WriteDialogSettings(file, settings);
    }
}
BENCHMARK(WriteDialogSettingsToALargeFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
