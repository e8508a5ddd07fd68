#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "curvevertices.h"
#include "smoothingbatch.h"

namespace {

// Curves of every kind the smoothing meets: noise of a tenth of a pixel to tens of pixels on a
// slope, a smooth wave, phase wraps (jumps), a steep skirt and a constant, kinds first.. in the
// lanes, so that curves bending at different steps share a batch.
double sampleValue(int32_t kind, int32_t i, uint64_t& state)
{
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const double noise = static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
    switch (kind) {
    case 0:
        return 0.02 * i + 0.1 * noise;
    case 1:
        return -0.5 * i + 3 * noise;
    case 2:
        return 40 * noise;
    case 3:
        return 100 * std::sin(i / 37.0);
    case 4:
        return std::fmod(7.3 * i, 360.0) - 180 + noise;
    case 5:
        return i < 300 ? 0.001 * noise : -60 + 0.05 * (i - 300) * (i - 300) / 300.0;
    case 6:
        return 12.5;
    default:
        return 1e-3 * i * i + 0.5 * noise;
    }
}

TEST(SmoothingBatch, GivesTheVerticesOfTheOneCurveWalk)
{
    const int32_t n = 1200;
    struct Case {
        double fBase;
        double fStep;
        CurveScale scale;
        int32_t start;
        int32_t end;
    };
    const Case cases[] = {
        { 0, 1, { 0, 1, -200, 1, 60, 700 }, 0, n - 1 },
        { 1e9, 1e5, { 1e9, 0.8e-5 * 1200 / n, -300, 2.5, 40, 600 }, 5, n - 3 },
        { 2.4e9, 3e3, { 2.4e9, 1.2e-2, -190, 0.7, 55, 480 }, 100, 103 },
        { 10e6, 1e6, { 10e6, 1e-6, -1000, 0.01, 0, 900 }, 17, 48 },
        { 0, 1, { 0, 0.25, -200, 40, 60, 700 }, 0, 2 },
    };
    for (const Case& c : cases) {
        std::vector<double> freqs(n);
        for (int32_t i = 0; i < n; ++i)
            freqs[static_cast<size_t>(i)] = c.fBase + i * c.fStep;
        for (int32_t first : { 0, 4 }) {
            for (int32_t curves = 1; curves <= smoothingBatchLanes; ++curves) {
                std::vector<std::vector<double>> values(static_cast<size_t>(curves), std::vector<double>(n));
                uint64_t state = 99;
                for (int32_t k = 0; k < curves; ++k) {
                    for (int32_t i = 0; i < n; ++i)
                        values[static_cast<size_t>(k)][static_cast<size_t>(i)]
                            = sampleValue(first + k, i, state);
                }
                std::vector<const double*> sources;
                std::vector<std::vector<QPoint>> batched(static_cast<size_t>(curves), { QPoint(-7, -7) });
                std::vector<std::vector<QPoint>*> outputs;
                for (int32_t k = 0; k < curves; ++k) {
                    sources.push_back(values[static_cast<size_t>(k)].data());
                    outputs.push_back(&batched[static_cast<size_t>(k)]);
                }
                // Every way the processor allows: eight, four or one curve at a time.
                for (const SmoothingUnits units :
                    { SmoothingUnits::Widest, SmoothingUnits::AtMostAvx2, SmoothingUnits::None }) {
                    smoothedVertices(
                        freqs.data(), sources.data(), curves, c.start, c.end, c.scale, outputs.data(), units);
                    for (int32_t k = 0; k < curves; ++k) {
                        std::vector<QPoint> alone;
                        curveVertices(freqs.data(), sources[static_cast<size_t>(k)], c.start, c.end, true,
                            c.scale, alone);
                        EXPECT_EQ(batched[static_cast<size_t>(k)], alone)
                            << "curve " << k << " of " << curves << ", points " << c.start << ".." << c.end
                            << ", units " << static_cast<int>(units);
                    }
                }
            }
        }
    }
}

} // namespace
