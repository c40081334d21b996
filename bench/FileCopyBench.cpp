// Copying a 1 GB file as the copy command does, next to the system's cp of the same file in
// the same run: on one file system (where the kernel copies between the files itself) and
// from /dev/shm to the temporary directory (another file system: the read/write copy).
// Both sides read from a warm page cache, so the figures compare the copying, not the disk.
//   build/bench/file_copy_bench   (MB/s in the bytes_per_second column)
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/files/FileTransfer.h"

extern char** environ;

namespace {

constexpr std::int64_t kFileSize = 1LL << 30;

std::string freshDirectory(const std::filesystem::path& under)
{
    std::string pattern = (under / "sonorail-copy-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed under " + under.string());
    return pattern;
}

// A 1 GB source of changing bytes (not a sparse file, which some copies skip through).
void writeSource(const std::string& path)
{
    std::vector<char> block(1 << 20);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::int64_t written = 0; written < kFileSize; written += static_cast<std::int64_t>(block.size())) {
        for (std::size_t i = 0; i < block.size(); i += 4096)
            block[i] = static_cast<char>(written >> 20);
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

struct CopyPaths {
    std::string sourceDirectory;
    std::string targetDirectory;
    std::string source() const { return sourceDirectory + "/source.avi"; }
    std::string target() const { return targetDirectory + "/copy.avi"; }
};

// A source on the temporary directory's file system (same) or on /dev/shm (across), and an
// empty target directory; both removed again when the benchmark ends.
class CopyFixture {
public:
    explicit CopyFixture(bool acrossFileSystems)
    {
        const auto temporary = std::filesystem::temp_directory_path();
        paths = {freshDirectory(acrossFileSystems ? "/dev/shm" : temporary), freshDirectory(temporary)};
        writeSource(paths.source());
    }
    ~CopyFixture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(paths.sourceDirectory, ignored);
        std::filesystem::remove_all(paths.targetDirectory, ignored);
    }
    CopyFixture(const CopyFixture&) = delete;
    CopyFixture& operator=(const CopyFixture&) = delete;

    CopyPaths paths;
};

void runCp(const std::string& from, const std::string& to)
{
    const char* arguments[] = {"cp", from.c_str(), to.c_str(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, "cp", nullptr, nullptr, const_cast<char* const*>(arguments), environ) != 0)
        throw std::runtime_error("cannot start cp");
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("cp failed");
}

template <typename Copy>
void timeCopies(benchmark::State& state, Copy copy)
{
    const CopyFixture fixture(state.range(0) != 0);
    const CopyPaths& paths = fixture.paths;
    for (auto _ : state) {
        copy(paths.source(), paths.target());
        state.PauseTiming();
        ::unlink(paths.target().c_str());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

void BM_CopyOneFile(benchmark::State& state)
{
    timeCopies(state, [](const std::string& from, const std::string& to) {
        if (CopyOneFile(from, to).outcome != TransferOutcome::Done)
            throw std::runtime_error("copy failed");
    });
}

void BM_SystemCp(benchmark::State& state) { timeCopies(state, runCp); }

// 0: one file system; 1: from /dev/shm. Each pair runs one after the other in one run.
BENCHMARK(BM_CopyOneFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SystemCp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
