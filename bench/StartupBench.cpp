// Cold start of the whole program to its main window painted, and its resident memory
// once idle. Runs the built program as a user would (xcb on the $DISPLAY given, which may
// be an Xvfb), with its files in a fresh directory and the welcome page switched off.
//   DISPLAY=:99 build/bench/startup_bench --benchmark_repetitions=15
// SONORAIL_BENCH_PROGRAM names another build of the program to measure instead (an older
// one, to compare with in the same minutes). The idle floor benchmarks measure the small
// probes of bench/IdleFloorProbe.cpp the same way, for the machine's own floor; the two
// "Against" benchmarks run the program and the bare Qt window in the same minutes and report
// the program's start-up and idle cost as a ratio to them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::string makeHome(const std::string& moreDisplayKeys = {})
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sonorail-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    std::ofstream(pattern + "/sr3.ini") << "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n" << moreDisplayKeys;
    return pattern;
}

// A private directory on /dev/shm (a tmpfs), or the temporary directory where there is none.
std::string runtimeDirectory()
{
    static const std::string directory = [] {
        std::string pattern =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm/sonorail-bench-XXXXXX" : "/tmp/sonorail-bench-XXXXXX";
        return mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
    }();
    return directory;
}

struct Child {
    pid_t pid = -1;
    FILE* output = nullptr;
};

std::string programUnderTest()
{
    const char* other = std::getenv("SONORAIL_BENCH_PROGRAM");
    return other && *other ? other : SONORAIL_EXECUTABLE;
}

// Starts the program with the probe in `mode` (or another program with one argument); its
// standard output comes back on a pipe.
Child startProgram(const std::string& home, const char* mode, std::string program = programUnderTest(),
                   std::string argument = {})
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        environment.emplace_back(*entry);
    environment.push_back("SONORAIL_HOME=" + home);
    // A desktop session's runtime directory is a tmpfs (/run/user/UID); the lock file of
    // the single-instance guard lives there, and its sync costs nothing on a tmpfs.
    if (!std::getenv("XDG_RUNTIME_DIR"))
        environment.push_back("XDG_RUNTIME_DIR=" + runtimeDirectory());
    environment.push_back(std::string("SONORAIL_STARTUP_PROBE=") + mode);
    if (!std::getenv("QT_QPA_PLATFORM"))
        environment.push_back(std::getenv("DISPLAY") ? "QT_QPA_PLATFORM=xcb" : "QT_QPA_PLATFORM=offscreen");
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv{program.data()};
    if (!argument.empty())
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    Child child;
    if (posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        throw std::runtime_error("cannot start the program");
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    child.output = fdopen(pipeEnds[0], "r");
    return child;
}

bool waitForShown(Child& child)
{
    char line[64];
    while (std::fgets(line, sizeof line, child.output)) {
        if (std::string(line) == "shown\n")
            return true;
    }
    return false;
}

void finish(Child& child, bool kill)
{
    if (kill)
        ::kill(child.pid, SIGKILL);
    int status = 0;
    waitpid(child.pid, &status, 0);
    std::fclose(child.output);
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// Milliseconds from starting a child to its "shown" line (its first paint); negative when it
// ended without one.
template <class Start>
double millisecondsToShown(Start start)
{
    const auto begin = std::chrono::steady_clock::now();
    Child child = start();
    const bool shown = waitForShown(child);
    const auto end = std::chrono::steady_clock::now();
    finish(child, false);
    return shown ? std::chrono::duration<double, std::milli>(end - begin).count() : -1;
}

void ColdStartToMainWindowShown(benchmark::State& state)
{
    const std::string home = makeHome();
    for (auto _ : state) {
        const double milliseconds = millisecondsToShown([&] { return startProgram(home, "quit"); });
        if (milliseconds < 0) {
            state.SkipWithError("the program ended without showing its window");
            break;
        }
        state.SetIterationTime(milliseconds / 1000);
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(ColdStartToMainWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The program's start-up read against Qt's own floor: a bare Qt window (one QWidget, shown,
// ended at its first paint) started in turn with the program, so that both see the same
// minutes of a shared machine. The time is the program's; Ratio is the program's median over
// the bare window's.
void ColdStartAgainstBareQtWindow(benchmark::State& state)
{
    const std::string home = makeHome();
    std::vector<double> program;
    std::vector<double> bare;
    for (auto _ : state) {
        bare.push_back(millisecondsToShown([] { return startProgram(std::string(), "", IDLE_FLOOR_PROBE, "start"); }));
        program.push_back(millisecondsToShown([&] { return startProgram(home, "quit"); }));
        if (bare.back() < 0 || program.back() < 0) {
            state.SkipWithError("a window was never shown");
            break;
        }
        state.SetIterationTime(program.back() / 1000);
    }
    std::filesystem::remove_all(home);
    if (program.empty() || program.back() < 0 || bare.back() < 0)
        return;
    state.counters["Bare_ms"] = median(bare);
    state.counters["Ratio"] = median(program) / median(bare);
}
BENCHMARK(ColdStartAgainstBareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Starts a child, waits for its window and lets it settle, then measures it once idle; the
// child is ended afterwards.
template <class Start, class Measure>
void measureChildOnceIdle(benchmark::State& state, Start start, Measure measure)
{
    for (auto _ : state) {
        Child child = start();
        if (!waitForShown(child)) {
            finish(child, true);
            state.SkipWithError("the program ended without showing its window");
            break;
        }
        std::this_thread::sleep_for(std::chrono::seconds(2));
        measure(child.pid);
        finish(child, true);
    }
}

template <class Measure>
void measureOnceIdle(benchmark::State& state, Measure measure, const std::string& moreDisplayKeys = {})
{
    const std::string home = makeHome(moreDisplayKeys);
    measureChildOnceIdle(
        state, [&] { return startProgram(home, "shown"); }, measure);
    std::filesystem::remove_all(home);
}

void ResidentMemoryOnceIdle(benchmark::State& state)
{
    measureOnceIdle(state,
                    [&](pid_t pid) { state.counters["RSS_MiB"] = static_cast<double>(residentKiB(pid)) / 1024.0; });
}
BENCHMARK(ResidentMemoryOnceIdle)->Iterations(1)->Unit(benchmark::kSecond);

// CPU time of a process so far, in seconds: the scheduler's run time of each of its threads
// in nanoseconds (the clock-tick counts of /proc/PID/stat are too coarse for a mostly idle
// program).
double cpuSeconds(pid_t pid)
{
    double seconds = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        unsigned long long runNanoseconds = 0;
        if (schedstat >> runNanoseconds)
            seconds += static_cast<double>(runNanoseconds) / 1e9;
    }
    return seconds;
}

// A child's share of one core over a minute. At 0.05 % a tick may cost 100 us, so a shorter
// run would mostly measure the noise.
constexpr int kIdleSeconds = 60;

// The share of one core each process took over the same kIdleSeconds, in percent.
template <std::size_t Count>
std::array<double, Count> idleShares(const std::array<pid_t, Count>& pids)
{
    std::array<double, Count> before{};
    for (std::size_t i = 0; i < Count; ++i)
        before[i] = cpuSeconds(pids[i]);
    std::this_thread::sleep_for(std::chrono::seconds(kIdleSeconds));
    std::array<double, Count> shares{};
    for (std::size_t i = 0; i < Count; ++i)
        shares[i] = 100.0 * (cpuSeconds(pids[i]) - before[i]) / kIdleSeconds;
    return shares;
}

void measureIdleShare(benchmark::State& state, pid_t pid)
{
    state.counters["CPU_percent"] = idleShares(std::array{pid})[0];
}

// While stopped the monitor still ticks every 200 ms and turns the animated icon; measured
// with the icon shown and hidden (then the ticks show nothing).
void idleCpuWhileStopped(benchmark::State& state, const std::string& displayKeys)
{
    measureOnceIdle(
        state, [&](pid_t pid) { measureIdleShare(state, pid); }, displayKeys);
}
BENCHMARK_CAPTURE(idleCpuWhileStopped, IconShown, std::string())->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(idleCpuWhileStopped, IconHidden, std::string("optShowAnimatedIcon=0\r\n"))
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// What waking five times a second costs on this machine at all, measured the same way: a bare
// wake, a wake that turns a server-side icon with libxcb alone, and a Qt window with an empty
// 200 ms timer. Read the program's figures against these, measured in the same minutes.
void idleCpuFloor(benchmark::State& state, const std::string& probeMode)
{
    measureChildOnceIdle(
        state, [&] { return startProgram(std::string(), "", IDLE_FLOOR_PROBE, probeMode); },
        [&](pid_t pid) { measureIdleShare(state, pid); });
}
BENCHMARK_CAPTURE(idleCpuFloor, WakeOnly, std::string("wake"))->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(idleCpuFloor, WakeAndTurnOnServer, std::string("turn"))->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(idleCpuFloor, QtWindowEmptyTimer, std::string("qt"))->Iterations(1)->Unit(benchmark::kSecond);

// The program idle with the icon turning read against the bare Qt window with one empty
// 200 ms timer, both running over the same minute: Ratio is the program's share of a core over
// the window's.
void IdleCpuAgainstQtFloor(benchmark::State& state)
{
    const std::string home = makeHome();
    for (auto _ : state) {
        Child program = startProgram(home, "shown");
        Child floor = startProgram(std::string(), "", IDLE_FLOOR_PROBE, "qt");
        const bool shown = waitForShown(program) && waitForShown(floor);
        if (!shown) {
            finish(program, true);
            finish(floor, true);
            state.SkipWithError("a window was never shown");
            break;
        }
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const auto [programShare, floorShare] = idleShares(std::array{program.pid, floor.pid});
        finish(program, true);
        finish(floor, true);
        state.counters["CPU_percent"] = programShare;
        state.counters["Floor_percent"] = floorShare;
        state.counters["Ratio"] = floorShare > 0 ? programShare / floorShare : 0;
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(IdleCpuAgainstQtFloor)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
