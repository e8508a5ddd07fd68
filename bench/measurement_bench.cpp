// Appending points to a measurement in index order and walking them, for growing sizes
// (the times must grow linearly), and the heap bytes that one point costs.
#include <benchmark/benchmark.h>

#include "heapinuse.h"

#include "rubbers2p.h"

namespace {

void fillMeasurement(RubberS2PData& m, int64_t n)
{
    for (int64_t i = 0; i < n; ++i) {
        S2PPoint* p = m.point(m.itemCount);
        p->freq = static_cast<double>(i);
        p->sParams(1, 0) = Complex(0.5, -0.5);
    }
}

void BM_AppendPoints(benchmark::State& state)
{
    for (auto _ : state) {
        RubberS2PData m;
        fillMeasurement(m, state.range(0));
        benchmark::DoNotOptimize(m.itemCount);
        state.PauseTiming();
        m.releasePoints();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AppendPoints)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WalkPoints(benchmark::State& state)
{
    RubberS2PData m;
    fillMeasurement(m, state.range(0));
    for (auto _ : state) {
        double sum = 0;
        for (int32_t i = 0; i < m.itemCount; ++i)
            sum += m.point(i)->freq;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WalkPoints)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WalkLockedPoints(benchmark::State& state)
{
    RubberS2PData m;
    fillMeasurement(m, state.range(0));
    m.lockArray();
    for (auto _ : state) {
        double sum = 0;
        for (int32_t i = 0; i < m.itemCount; ++i)
            sum += m.point(i)->freq;
        benchmark::DoNotOptimize(sum);
    }
    m.releaseArray();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WalkLockedPoints)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Heap in use per point, as the allocator counts it (its own bookkeeping included).
void BM_HeapBytesPerPoint(benchmark::State& state)
{
    const int64_t n = state.range(0);
    double perPoint = 0;
    double resident = 0;
    for (auto _ : state) {
        const size_t before = heapInUse();
        const size_t residentBefore = residentBytes();
        RubberS2PData m;
        fillMeasurement(m, n);
        const size_t after = heapInUse();
        perPoint = static_cast<double>(after - before) / static_cast<double>(n);
        resident = static_cast<double>(residentBytes() - residentBefore) / static_cast<double>(n);
    }
    state.counters["heap_bytes_per_point"] = perPoint;
    state.counters["resident_bytes_per_point"] = resident;
}
BENCHMARK(BM_HeapBytesPerPoint)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
