// Loading 200 two-port files of 1601 points each through the parallel loader, with one worker
// thread and with two, in the same run; the ratio of the two times shows what the parallel loop
// gains. Loading as many files as the window holds, with two threads. Averaging the 200 loaded
// files, in the same run, puts the averaged two-port command's cost beside the load.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <omp.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "averaging.h"
#include "loader.h"
#include "reloadorder.h"

namespace {

constexpr int kFiles = 200;
constexpr int kPoints = 1601;

std::vector<std::string> makeFiles(const std::string& dir, int count)
{
    ::mkdir(dir.c_str(), 0755);
    std::vector<std::string> made;
    for (int f = 0; f < count; ++f) {
        const std::string path = dir + "/m" + std::to_string(f) + ".s2p";
        std::FILE* out = std::fopen(path.c_str(), "wb");
        std::fputs("! generated\r\n# MHz S RI R 50\r\n", out);
        for (int k = 0; k < kPoints; ++k) {
            const double x = 1e-4 * (k + f);
            std::fprintf(out, "%.10g %.10g %.10g %.10g %.10g %.10g %.10g %.10g %.10g\r\n", 100.0 + k * 0.5,
                0.1234567891 + x, -0.2345678912, 0.8765432198 - x, 0.0123456789, 0.8765432198 - x,
                0.0123456789, 0.3456789123 + x, -0.4567891234);
        }
        std::fclose(out);
        made.push_back(path);
    }
    return made;
}

const std::vector<std::string>& benchFiles()
{
    static const std::vector<std::string> paths = makeFiles("/tmp/sprelin_loader_bench", kFiles);
    return paths;
}

// As many files as the window holds.
const std::vector<std::string>& windowFiles()
{
    static const std::vector<std::string> paths
        = makeFiles("/tmp/sprelin_loader_window_bench", maxListMeasurements);
    return paths;
}

void loadAll(benchmark::State& state, const std::vector<std::string>& paths)
{
    omp_set_num_threads(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RubberS2P list;
        loadFiles(list, paths);
        removeEmptyMeasurements(list);
        if (list.itemCount != static_cast<int32_t>(paths.size()))
            state.SkipWithError("not every file loaded");
        state.PauseTiming();
        list.removeAll();
        state.ResumeTiming();
    }
    state.counters["threads"] = static_cast<double>(state.range(0));
}

void BM_LoadFiles(benchmark::State& state)
{
    loadAll(state, benchFiles());
}
BENCHMARK(BM_LoadFiles)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_LoadWindowFiles(benchmark::State& state)
{
    loadAll(state, windowFiles());
}
BENCHMARK(BM_LoadWindowFiles)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_AverageLoadedFiles(benchmark::State& state)
{
    omp_set_num_threads(1);
    RubberS2P list;
    loadFiles(list, benchFiles());
    for (auto _ : state) {
        RubberS2PData out;
        averageMeasurements(out, list);
        if (out.itemCount != kPoints)
            state.SkipWithError("the average lost points");
    }
}
BENCHMARK(BM_AverageLoadedFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
