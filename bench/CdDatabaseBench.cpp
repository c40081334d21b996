// Looking a disc up in a CD information database of 10 000 records (61 MB): the disc in the
// last record (the whole file is read), a disc in none, and storing one record in place.
// Goal: a lookup under 50 ms. The file is written once and then sits in the page cache, as
// it does for a user who reads discs one after another.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/cd/CdDatabase.h"

namespace {

constexpr std::int32_t kRecords = 10000;

std::int32_t discIdOfRecord(std::int32_t number) { return 1000000 + number; }

class DatabaseFile {
public:
    DatabaseFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "sonorail-cd-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        directory = pattern;
        std::ofstream out(path(), std::ios::binary);
        CdRecord record;
        record.title = "A title of some length";
        for (std::int32_t number = 0; number < kRecords; ++number) {
            record.discId = discIdOfRecord(number);
            const std::string bytes = record.encode();
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        if (!out)
            std::abort();
    }
    ~DatabaseFile() { std::filesystem::remove_all(directory); }
    std::string path() const { return directory + "/cddat.dat"; }

private:
    std::string directory;
};

const DatabaseFile& databaseFile()
{
    static const DatabaseFile file;
    return file;
}

void BM_LookupOfTheLastRecord(benchmark::State& state)
{
    const CdDatabase database(databaseFile().path());
    for (auto _ : state) {
        const CdDatabase::Lookup found = database.find(discIdOfRecord(kRecords - 1));
        if (found.recordIndex != kRecords - 1)
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_LookupOfTheLastRecord)->Unit(benchmark::kMillisecond);

void BM_LookupOfAnUnknownDisc(benchmark::State& state)
{
    const CdDatabase database(databaseFile().path());
    for (auto _ : state) {
        const CdDatabase::Lookup found = database.find(42);
        if (found.recordIndex != CdDatabase::kNoRecordYet)
            state.SkipWithError("found a disc that is not there");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_LookupOfAnUnknownDisc)->Unit(benchmark::kMillisecond);

// One record rewritten in the middle of the file and flushed to the disk.
void BM_StoreInPlace(benchmark::State& state)
{
    const CdDatabase database(databaseFile().path());
    CdRecord record;
    record.discId = discIdOfRecord(kRecords / 2);
    for (auto _ : state) {
        std::int32_t index = kRecords / 2;
        database.store(record, index);
    }
}
BENCHMARK(BM_StoreInPlace)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
