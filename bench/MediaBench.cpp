// What the media back end costs the program: libVLC's first start (paid at the first file
// opened, not at start-up), opening a wave or MIDI file, and the gap between the end of one
// queue item and the start of the next.
//
// Sound and pictures go to libVLC's dummy outputs unless SONORAIL_HEADLESS_MEDIA=0 is set.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/TestFiles.h"
#include "support/TestMedia.h"
#include "media/VlcBackend.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kEngineStartChild = "--report-engine-start";

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Polls every millisecond until condition holds; throws after 20 s.
template <typename Condition>
void waitUntil(Condition condition)
{
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (Clock::now() > deadline)
            throw std::runtime_error("the media back end did not get there in 20 s");
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The sample files, written once into a directory of their own.
class SampleFiles {
public:
    SampleFiles()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "sonorail-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        directory = pattern;
        test_files::write(wave(), test_media::waveFile(3000));
        test_files::write(shortWave(), test_media::waveFile(200));
        test_files::write(midi(), test_media::midiFile(3000));
    }
    ~SampleFiles()
    {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }
    std::string wave() const { return directory + "/tone.wav"; }
    std::string shortWave() const { return directory + "/blip.wav"; }
    std::string midi() const { return directory + "/tune.mid"; }

private:
    std::string directory;
};

const SampleFiles& samples()
{
    static const SampleFiles files;
    return files;
}

// libVLC starts once a process, so each first start runs in a fresh copy of this program,
// which reports the seconds it took.
double engineStartInFreshProcess()
{
    const std::string command = "'" + std::filesystem::read_symlink("/proc/self/exe").string() + "' " + kEngineStartChild;
    FILE* child = popen(command.c_str(), "r");
    if (child == nullptr)
        throw std::runtime_error("cannot start " + command);
    double seconds = -1;
    const int read = std::fscanf(child, "%lf", &seconds);
    if (pclose(child) != 0 || read != 1 || seconds < 0)
        throw std::runtime_error("the child copy reported no start time");
    return seconds;
}

int reportEngineStart()
{
    VlcBackend backend;
    const auto start = Clock::now();
    backend.startEngine();
    std::printf("%.9f\n", secondsSince(start));
    return 0;
}

void EngineFirstStart(benchmark::State& state)
{
    for (auto _ : state)
        state.SetIterationTime(engineStartInFreshProcess());
}
BENCHMARK(EngineFirstStart)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void OpenFile(benchmark::State& state, const char* device, std::string (SampleFiles::*file)() const)
{
    VlcBackend backend;
    backend.startEngine();
    const std::string path = (samples().*file)();
    for (auto _ : state)
        backend.open(device, path);
    state.counters["length_ms"] = static_cast<double>(backend.length());
}
BENCHMARK_CAPTURE(OpenFile, Wave, "WaveAudio", &SampleFiles::wave)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenFile, Midi, "Sequencer", &SampleFiles::midi)->Unit(benchmark::kMillisecond);

// From the moment the program sees the end of one item (position equals length) to the
// next item's clock moving: its open, its play, and libVLC's buffering before the first
// sound. libVLC's clock moves in steps, so this is an upper bound on the gap heard; the
// part spent in the two requests is reported as requests_ms.
void EndToNextItem(benchmark::State& state, const char* device, std::string (SampleFiles::*file)() const)
{
    VlcBackend backend;
    backend.startEngine();
    const std::string next = (samples().*file)();
    double requestSeconds = 0;
    for (auto _ : state) {
        backend.open("WaveAudio", samples().shortWave());
        backend.play();
        waitUntil([&] { return backend.position() == backend.length(); });

        const auto ended = Clock::now();
        backend.open(device, next);
        backend.play();
        requestSeconds += secondsSince(ended);
        waitUntil([&] { return backend.position() > 0; });
        state.SetIterationTime(secondsSince(ended));
    }
    state.counters["requests_ms"] = benchmark::Counter(requestSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(EndToNextItem, Wave, "WaveAudio", &SampleFiles::wave)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EndToNextItem, Midi, "Sequencer", &SampleFiles::midi)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("SONORAIL_HEADLESS_MEDIA", "1", 0);  // silent unless asked otherwise
    if (argc == 2 && std::string(argv[1]) == kEngineStartChild)
        return reportEngineStart();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
