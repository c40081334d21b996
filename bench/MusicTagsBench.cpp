// Reading one music file's tags, stream facts and cover with TagLib, as the tool tips, File >
// Info and the desktop's media controls do (goal: under 2 ms a file), for each sample kind.
//   build/bench/music_tags_bench
#include <benchmark/benchmark.h>

#include <string>

#include "media/MusicTagReader.h"

namespace {

void ReadTags(benchmark::State& state, const char* name)
{
    const std::string path = std::string(SONORAIL_TEST_DATA) + "/music/" + name;
    for (auto _ : state) {
        MusicTags tags = MusicTagReader::readFile(path);
        benchmark::DoNotOptimize(tags);
    }
}
BENCHMARK_CAPTURE(ReadTags, mp3, "one.mp3")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadTags, flac, "two.flac")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadTags, ogg, "three.ogg")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadTags, opus, "four.opus")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadTags, m4a, "five.m4a")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadTags, wma, "untagged.wma")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
