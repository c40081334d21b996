// What the media back end costs the program: libVLC's first start (paid at the first file
// opened, not at start-up), opening a wave or MIDI file, and the gap between the end of one
// queue item and the start of the next (here, and through the whole session in
// ItemToItemBench.cpp).
//
// Sound and pictures go to libVLC's dummy outputs unless SONORAIL_HEADLESS_MEDIA=0 is set;
// with --through-null-sink (first argument) sound goes through a PulseAudio server that the
// bench starts for itself, with a null sink that plays in real time: then the end of an
// item, as ItemToItem takes it, is the end of its sound as the server played it.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <vlc/vlc.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/PulseNullSink.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"
#include "media/VlcBackend.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kEngineStartChild = "--report-engine-start";
constexpr const char* kThroughNullSink = "--through-null-sink";

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
    // The music samples the tests play (1.5 s each).
    std::string mp3() const { return std::string(SONORAIL_TEST_DATA) + "/music/one.mp3"; }
    std::string flac() const { return std::string(SONORAIL_TEST_DATA) + "/music/two.flac"; }

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
    const std::string command =
        "'" + std::filesystem::read_symlink("/proc/self/exe").string() + "' " + kEngineStartChild;
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

// libVLC alone, started as the program starts it, with its sound going to a callback that
// stands in for the sound card: the time from a play request to the first block of sound
// handed to the card (whose own latency comes on top). The instance is kept for the process,
// as the program keeps its own (see SharedVlc in VlcBackend.cpp).
class FirstSoundWatch {
public:
    FirstSoundWatch()
    {
        const char* arguments[] = {"--quiet",      "--ignore-config",   "--no-stats", "--no-video-title-show",
                                   "--vout=dummy", "--file-caching=100"};
        static libvlc_instance_t* const vlc = libvlc_new(static_cast<int>(std::size(arguments)), arguments);
        if (vlc == nullptr)
            throw std::runtime_error("libVLC did not start");
        instance = vlc;
        player = libvlc_media_player_new(instance);
        libvlc_audio_set_callbacks(player, onSound, nullptr, nullptr, nullptr, nullptr, this);
        libvlc_audio_set_format(player, "S16N", 44100, 2);
    }
    ~FirstSoundWatch() { libvlc_media_player_release(player); }

    // Seconds from the play request to the first sound of file.
    double playToFirstSound(const std::string& file)
    {
        libvlc_media_player_stop(player);
        libvlc_media_t* media = libvlc_media_new_path(instance, file.c_str());
        libvlc_media_player_set_media(player, media);
        libvlc_media_release(media);
        std::unique_lock lock(mutex);
        sounded = false;
        const auto start = Clock::now();
        libvlc_media_player_play(player);
        if (!soundCame.wait_for(lock, std::chrono::seconds(20), [this] { return sounded; }))
            throw std::runtime_error("no sound from " + file + " in 20 s");
        return std::chrono::duration<double>(firstSound - start).count();
    }

private:
    static void onSound(void* data, const void*, unsigned, int64_t)
    {
        auto* self = static_cast<FirstSoundWatch*>(data);
        std::lock_guard lock(self->mutex);
        if (self->sounded)
            return;
        self->firstSound = Clock::now();
        self->sounded = true;
        self->soundCame.notify_all();
    }

    libvlc_instance_t* instance = nullptr;
    libvlc_media_player_t* player = nullptr;
    std::mutex mutex;
    std::condition_variable soundCame;
    bool sounded = false;
    Clock::time_point firstSound;
};

void PlayToFirstSound(benchmark::State& state, std::string (SampleFiles::*file)() const)
{
    FirstSoundWatch watch;
    const std::string path = (samples().*file)();
    watch.playToFirstSound(path);  // the first play also loads the decoder's plug-in
    for (auto _ : state)
        state.SetIterationTime(watch.playToFirstSound(path));
}
BENCHMARK_CAPTURE(PlayToFirstSound, Wave, &SampleFiles::wave)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayToFirstSound, Midi, &SampleFiles::midi)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayToFirstSound, Mp3, &SampleFiles::mp3)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayToFirstSound, Flac, &SampleFiles::flac)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    PulseNullSink sink;
    if (argc >= 2 && std::string(argv[1]) == kThroughNullSink) {
        if (!sink.start()) {
            std::fprintf(stderr, "%s\n", sink.why().c_str());
            return 1;
        }
        sink.directClientsHere();
        setenv("SONORAIL_HEADLESS_MEDIA", "0", 1);
        --argc;
        ++argv;
        argv[0] = argv[-1];
    }
    setenv("SONORAIL_HEADLESS_MEDIA", "1", 0);  // silent unless asked otherwise
    if (argc == 2 && std::string(argv[1]) == kEngineStartChild)
        return reportEngineStart();
    // The session's windows in ItemToItemBench.cpp need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
