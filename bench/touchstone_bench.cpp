// Reading a generated two-port file of 1,000,000 points (RI, about ten significant digits per
// number) from disk to a valid measurement, as Touchstone 1.1 and as Touchstone 2.0 with the
// same data lines, and a four-port file of about as many numbers and bytes to its six views,
// against a bare parse of the same numbers with fast_float, and the heap that the loaded
// measurement and the peak of the read cost per point.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <fast_float/fast_float.h>

#include "filebuffer.h"
#include "heapinuse.h"
#include "loader.h"
#include "touchstonereader.h"

namespace {

constexpr int kPoints = 1000000;
// Frequencies of the four-port file: 33 numbers each against the two-port's 9.
constexpr int kFourPortFrequencies = kPoints * 9 / 33;

// Writes the eight numbers of a two-port's line, or of a four-port's matrix row, for record i.
void writeNumbers(std::FILE* f, int i)
{
    const double x = i * 1e-6;
    std::fprintf(f, " %.10g %.10g %.10g %.10g %.10g %.10g %.10g %.10g\r\n", 0.1234567891 + x,
        -0.2345678912 + x, 0.8765432198 - x, 0.0123456789 + x, 0.8765432198 - x, 0.0123456789 - x,
        0.3456789123 + x, -0.4567891234 + x);
}

// A file of the two-port's data lines, or of a four-port's records of four rows when rows is 4.
std::string writeBenchFile(
    const std::string& p, const char* header, const char* footer, int records = kPoints, int rows = 1)
{
    std::FILE* f = std::fopen(p.c_str(), "wb");
    std::fputs(header, f);
    for (int i = 0; i < records; ++i) {
        std::fprintf(f, "%.10g", 10.0 + i * 0.001234567);
        for (int row = 0; row < rows; ++row)
            writeNumbers(f, i + row);
    }
    std::fputs(footer, f);
    std::fclose(f);
    return p;
}

const std::string& benchFile()
{
    static const std::string path
        = writeBenchFile("/tmp/sprelin_bench_1e6.s2p", "! generated two-port\r\n# MHz S RI R 50\r\n", "");
    return path;
}

const std::string& version2BenchFile()
{
    static const std::string path = writeBenchFile("/tmp/sprelin_bench_1e6_v2.s2p",
        "! generated two-port\r\n[Version] 2.0\r\n# MHz S RI R 50\r\n[Number of Ports] 2\r\n"
        "[Two-Port Data Order] 21_12\r\n[Number of Frequencies] 1000000\r\n[Network Data]\r\n",
        "[End]\r\n");
    return path;
}

const std::string& fourPortBenchFile()
{
    static const std::string path = writeBenchFile("/tmp/sprelin_bench_4port.s4p",
        "! generated four-port\r\n# MHz S RI R 50\r\n", "", kFourPortFrequencies, 4);
    return path;
}

size_t fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return static_cast<size_t>(in.tellg());
}

size_t fileBytes()
{
    return fileBytes(benchFile());
}

// Loads the file through the loader, as the program does, into views measurements of points each.
void loadWhole(benchmark::State& state, const std::string& path, int32_t views, int32_t points)
{
    for (auto _ : state) {
        RubberS2P list;
        const LoadResult r = loadFile(list, path);
        if (r != LoadSuccess || list.itemCount != views || list.measurement(views - 1)->itemCount != points
            || list.measurement(views - 1)->dataValid != 1)
            state.SkipWithError("the file did not load whole");
        benchmark::DoNotOptimize(list.itemCount);
        state.PauseTiming();
        list.removeAll();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fileBytes(path)));
}

void BM_LoadS2PFile(benchmark::State& state)
{
    loadWhole(state, benchFile(), 1, kPoints);
}
BENCHMARK(BM_LoadS2PFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same data lines behind Touchstone 2.0 keywords, read by the network data reader.
void BM_LoadVersion2S2PFile(benchmark::State& state)
{
    loadWhole(state, version2BenchFile(), 1, kPoints);
}
BENCHMARK(BM_LoadVersion2S2PFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// A four-port file of about the two-port's size, a matrix row a line, read by the network data
// reader into the views of its six port pairs.
void BM_LoadFourPortFile(benchmark::State& state)
{
    loadWhole(state, fourPortBenchFile(), 6, kFourPortFrequencies);
}
BENCHMARK(BM_LoadFourPortFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Only the numbers: the text is in memory and fast_float reads every number after a blank.
void BM_BareFastFloatParse(benchmark::State& state)
{
    FileBytes buffer;
    size_t length = 0;
    readWholeFile(benchFile(), buffer, length);
    const char* const begin = buffer.get() + std::string(buffer.get(), 64).find("\n", 25) + 1;
    const char* const end = buffer.get() + length;
    for (auto _ : state) {
        double sum = 0.0;
        size_t count = 0;
        for (const char* p = begin; p < end;) {
            while (p < end && (*p == ' ' || *p == '\r' || *p == '\n'))
                ++p;
            double v = 0.0;
            const auto r = fast_float::from_chars(p, end, v);
            if (r.ptr == p)
                break;
            sum += v;
            ++count;
            p = r.ptr;
        }
        if (count != static_cast<size_t>(kPoints) * 9)
            state.SkipWithError("bare parse miscounted");
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fileBytes()));
}
BENCHMARK(BM_BareFastFloatParse)->Unit(benchmark::kMillisecond)->UseRealTime();

// Heap kept by the loaded measurement per point, and the peak of the read (the file buffer
// and the points together) per point.
void BM_HeapPerPoint(benchmark::State& state)
{
    double kept = 0;
    double peak = 0;
    double resident = 0;
    // A first load, kept so that the measured one reuses none of its memory, pages in the code
    // that a load runs, which the measured growth would count otherwise.
    RubberS2PData warm;
    loadS2PFile(warm, benchFile());
    for (auto _ : state) {
        const size_t before = heapInUse();
        const size_t residentBefore = residentBytes();
        RubberS2PData m;
        loadS2PFile(m, benchFile());
        const size_t after = heapInUse();
        kept = static_cast<double>(after - before) / kPoints;
        peak = kept + static_cast<double>(fileBytes() + 1) / kPoints;
        resident = static_cast<double>(residentBytes() - residentBefore) / kPoints;
    }
    state.counters["heap_bytes_per_point"] = kept;
    state.counters["peak_heap_bytes_per_point"] = peak;
    // Growth of the resident memory while the measurement is held: blocks mapped beside the
    // allocator included, freed heap memory that a later run reuses not.
    state.counters["resident_bytes_per_point"] = resident;
}
BENCHMARK(BM_HeapPerPoint)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
