// Averaging 200 measurements of 1601 points on the grid of the first, each measurement on a
// slightly shifted and stretched grid so that every value is interpolated, and writing the
// averaged file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "averagedwriter.h"
#include "averaging.h"

namespace {

constexpr int kMeasurements = 200;
constexpr int kPoints = 1601;

void fillList(RubberS2P& list)
{
    for (int k = 0; k < kMeasurements; ++k) {
        RubberS2PData* m = list.measurement(k);
        const double first = 10e6 + 1e4 * k;
        const double step = (20e9 - 10e6) / (kPoints - 1) * (1.0 + 1e-5 * k);
        for (int i = 0; i < kPoints; ++i) {
            S2PPoint* p = m->point(i);
            p->freq = first + step * i;
            const double phase = -2.0 * std::acos(-1.0) * p->freq * 1e-9;
            p->sParams(0, 0) = std::polar(0.1 + 1e-4 * k, phase * 0.5);
            p->sParams(0, 1) = std::polar(0.01, phase);
            p->sParams(1, 0) = std::polar(0.9 - 1e-4 * k, phase);
            p->sParams(1, 1) = std::polar(0.12, phase * 0.7);
        }
        m->dataValid = 1;
        m->updateFreqSummary();
    }
}

void BM_Average200x1601(benchmark::State& state)
{
    RubberS2P list;
    fillList(list);
    for (auto _ : state) {
        RubberS2PData out;
        averageMeasurements(out, list);
        benchmark::DoNotOptimize(out.itemCount);
    }
    state.SetItemsProcessed(state.iterations() * kMeasurements * kPoints);
}
BENCHMARK(BM_Average200x1601)->Unit(benchmark::kMillisecond);

void BM_WriteAveraged1601(benchmark::State& state)
{
    RubberS2P list;
    fillList(list);
    RubberS2PData out;
    averageMeasurements(out, list);
    char name[] = "/tmp/sprelin-average-bench-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) {
        state.SkipWithError("no temporary file");
        return;
    }
    close(fd);
    for (auto _ : state)
        benchmark::DoNotOptimize(writeAveragedS2P(out, name));
    std::remove(name);
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_WriteAveraged1601)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
