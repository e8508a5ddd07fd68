#include "smoothingbatch.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "curvesmoothing.h"
#include "roundhalfaway.h"

namespace {

// The batch works in AVX2 registers, one curve per double; every function that handles them
// is built for AVX2 and runs only where the processor has it.
constexpr int32_t lanes = smoothingBatchLanes;
// One double per curve, worked on together; comparisons give a mask of -1 or 0 per curve.
using Lanes = double __attribute__((vector_size(lanes * sizeof(double))));
using LaneMask = int64_t __attribute__((vector_size(lanes * sizeof(int64_t))));

[[gnu::target("avx2"), gnu::always_inline]] inline Lanes absolute(Lanes v)
{
    return reinterpret_cast<Lanes>(reinterpret_cast<LaneMask>(v) & INT64_MAX);
}

[[gnu::target("avx2"), gnu::always_inline]] inline Lanes larger(Lanes a, Lanes b)
{
    return a > b ? a : b;
}

// Whether any curve's mask is set.
[[gnu::target("avx2"), gnu::always_inline]] inline bool anySet(LaneMask m)
{
    const LaneMask half = m | __builtin_shufflevector(m, m, 2, 3, 2, 3);
    return (half[0] | half[1]) != 0;
}

// The running lines of all curves of a batch. The curves share the grid, so a sample's x is
// common to them; each curve's ring holds its newest count samples. Every sample is kept
// twice, at slot p = step mod capacity and at p + capacity, so that the newest capacity samples
// always lie side by side, the newest at p + capacity.
//
// A curve's own ring, as the one-curve fit keeps it, starts over at every bend; its sample of
// step s sits there at place (s - origin) mod capacity, where origin is the step of the first
// sample after the bend. Summing afresh goes through the samples in that order, so that the
// sums come out as the one-curve fit's, digit for digit.
struct Batch {
    explicit Batch(int32_t ringCapacity)
        : capacity(ringCapacity)
    {
    }

    // Sums curve k's samples afresh about its oldest sample's x; newest is the slot of the
    // newest sample.
    [[gnu::target("avx2")]] void resum(int32_t k, int32_t newest)
    {
        const int32_t held = static_cast<int32_t>(count[k]);
        pushes[k] = 0;
        base[k] = xs[static_cast<size_t>(newest + capacity - (held - 1))];
        double u = 0;
        double y = 0;
        double uu = 0;
        double uy = 0;
        for (int32_t i = 0; i < held; ++i) {
            const size_t slot = static_cast<size_t>((origin[k] + i) % capacity);
            const double du = xs[slot] - base[k];
            const double v = ys[slot][static_cast<size_t>(k)];
            u += du;
            y += v;
            uu += du * du;
            uy += du * v;
        }
        sumU[k] = u;
        sumY[k] = y;
        sumUU[k] = uu;
        sumUY[k] = uy;
    }

    // The curves of the mask start over with the samples of steps step - 1 and step, (lastX,
    // lastY) and (x, y), summed as the one-curve fit sums them: afresh for the first, by adding
    // for the second.
    [[gnu::target("avx2")]] void restart(LaneMask turned, int32_t step, double lastX, Lanes lastY, double x, Lanes y)
    {
        const double u0 = lastX - lastX;
        const double u1 = x - lastX;
        const Lanes zero {};
        count = turned ? 2.0 : count;
        pushes = turned ? 1.0 : pushes;
        base = turned ? lastX : base;
        sumU = turned ? zero + u0 + u1 : sumU;
        sumY = turned ? zero + lastY + y : sumY;
        sumUU = turned ? zero + u0 * u0 + u1 * u1 : sumUU;
        sumUY = turned ? zero + u0 * lastY + u1 * y : sumUY;
        for (int32_t k = 0; k < lanes; ++k)
            origin[static_cast<size_t>(k)] = turned[k] != 0 ? step - 1 : origin[static_cast<size_t>(k)];
    }

    int32_t capacity;
    std::array<double, 2 * maxFitSamples> xs {};
    alignas(sizeof(Lanes)) std::array<Lanes, 2 * maxFitSamples> ys {};
    Lanes count {};
    Lanes pushes {};
    Lanes base {};
    Lanes sumU {};
    Lanes sumY {};
    Lanes sumUU {};
    Lanes sumUY {};
    Lanes c0 {};
    Lanes c1 {};
    Lanes tolerance {};
    Lanes py {};
    std::array<int32_t, lanes> origin {};
};

// The distance of every curve's sample of the given age from its line, 0 where the curve's ring
// holds fewer samples.
[[gnu::target("avx2"), gnu::always_inline]] inline Lanes distanceAt(const Batch& b, size_t newest, int32_t age)
{
    const size_t place = newest - static_cast<size_t>(age);
    const Lanes distance = absolute(b.c1 * b.xs[place] + b.c0 - b.ys[place]);
    return static_cast<double>(age) < b.count ? distance : 0.0;
}

[[gnu::target("avx2")]] void smoothTogether(const double* freqGrid, const double* const* values,
    int32_t curveCount, int32_t start, int32_t end, const CurveScale& scale, std::vector<QPoint>* const* vertices)
{
    // Lanes without a curve of their own follow the first curve, and their vertices are dropped.
    std::array<const double*, lanes> source {};
    for (int32_t k = 0; k < lanes; ++k)
        source[static_cast<size_t>(k)] = values[k < curveCount ? k : 0];
    std::array<std::vector<QPoint>, lanes> spare;
    std::array<std::vector<QPoint>*, lanes> out {};
    for (int32_t k = 0; k < lanes; ++k)
        out[static_cast<size_t>(k)] = k < curveCount ? vertices[k] : &spare[static_cast<size_t>(k)];

    const int32_t capacity = std::clamp(end - start + 1, minFitSamples, maxFitSamples);
    Batch b(capacity);
    const double jumpPixels = jumpValueUnits * scale.yScale;
    const auto xOf = [&](int32_t i) { return (freqGrid[i] - scale.f0) * scale.xScale + scale.left; };
    const auto yOf = [&](int32_t k, int32_t i) {
        return scale.bottom - (source[static_cast<size_t>(k)][i] - scale.yMin) * scale.yScale;
    };

    double px = xOf(start);
    b.xs[0] = px;
    b.xs[static_cast<size_t>(capacity)] = px;
    for (int32_t k = 0; k < lanes; ++k) {
        const double y = yOf(k, start);
        b.ys[0][static_cast<size_t>(k)] = y;
        b.ys[static_cast<size_t>(capacity)][static_cast<size_t>(k)] = y;
        b.count[k] = 1;
        b.resum(k, 0);
        b.py[k] = y;
        out[static_cast<size_t>(k)]->emplace_back(roundToPixel(px), roundToPixel(y));
    }

    for (int32_t i = start + 1; i <= end; ++i) {
        const int32_t step = i - start;
        const int32_t slot = step % capacity;
        const size_t lower = static_cast<size_t>(slot);
        const size_t upper = static_cast<size_t>(slot + capacity);
        const double x = xOf(i);
        Lanes y;
        for (int32_t k = 0; k < lanes; ++k)
            y[k] = yOf(k, i);

        // The sample enters every ring; a full ring lets its oldest go, which sits in the slot
        // the new one takes.
        const LaneMask full = b.count >= capacity;
        const Lanes u = full ? b.xs[lower] - b.base : 0.0;
        const Lanes v = full ? b.ys[lower] : 0.0;
        b.sumU -= u;
        b.sumY -= v;
        b.sumUU -= u * u;
        b.sumUY -= u * v;
        b.ys[lower] = y;
        b.ys[upper] = y;
        b.xs[lower] = x;
        b.xs[upper] = x;
        b.count = full ? b.count : b.count + 1;
        b.pushes += 1;
        const Lanes un = x - b.base;
        b.sumU += un;
        b.sumY += y;
        b.sumUU += un * un;
        b.sumUY += un * y;
        const LaneMask resumNeeded = b.pushes >= capacity;
        for (int32_t k = 0; anySet(resumNeeded) && k < lanes; ++k) {
            if (resumNeeded[k] != 0)
                b.resum(k, slot);
        }

        // The line through each ring, the newest sample's distance from it, and the two tests
        // that need nothing more: a jump, and a bend the newest sample already shows.
        const Lanes n = b.count;
        b.c1 = (n * b.sumUY - b.sumU * b.sumY) / (n * b.sumUU - b.sumU * b.sumU);
        b.c0 = (b.sumY - b.sumU * b.c1) * (1.0 / n) - b.c1 * b.base;
        const Lanes newest = absolute(b.c0 + b.c1 * x - y);
        const Lanes deviation = absolute(b.c0 + b.c1 * px - b.py);
        const double jumpSlopeLimit = jumpSlope * std::max(x - px, 1.0);
        const LaneMask jump
            = ((deviation > jumpPixels) | (deviation > jumpSlopeLimit)) & (deviation > jumpMinimumPixels);
        const LaneMask judged = n >= minFitSamples;
        LaneMask bend = ~jump & judged & (newest > b.tolerance);

        // The spread of the older samples, for every curve at once; the curves that jumped or
        // bent do not use theirs.
        double largestCount = 0;
        for (int32_t k = 0; k < lanes; ++k)
            largestCount = std::max(largestCount, n[k]);
        // Four running maxima, so that each takes a quarter of the ages without waiting for the
        // others; the largest of them is the same whatever the grouping.
        const int32_t ages = static_cast<int32_t>(largestCount);
        Lanes spread = newest;
        Lanes spread1 = newest;
        Lanes spread2 = newest;
        Lanes spread3 = newest;
        int32_t age = 1;
        for (; age + 3 < ages; age += 4) {
            spread = larger(distanceAt(b, upper, age), spread);
            spread1 = larger(distanceAt(b, upper, age + 1), spread1);
            spread2 = larger(distanceAt(b, upper, age + 2), spread2);
            spread3 = larger(distanceAt(b, upper, age + 3), spread3);
        }
        for (; age < ages; ++age)
            spread = larger(distanceAt(b, upper, age), spread);
        spread = larger(larger(spread, spread1), larger(spread2, spread3));
        const LaneMask looked = ~jump & ~bend;
        const LaneMask wider = judged & (spread > b.tolerance);
        bend |= looked & wider;
        b.tolerance = (looked & ~wider) ? spread : b.tolerance;

        const LaneMask turn = jump | bend;
        if (anySet(turn)) {
            const Lanes vertexY = jump ? b.py : b.c0 + b.c1 * px;
            for (int32_t k = 0; k < lanes; ++k) {
                if (turn[k] != 0)
                    appendSpaced(*out[static_cast<size_t>(k)], roundToPixel(px), roundToPixel(vertexY[k]));
            }
            b.restart(turn, step, px, b.py, x, y);
        }
        b.tolerance = b.tolerance < minimumTolerance ? minimumTolerance : b.tolerance;
        b.py = y;
        px = x;
    }
    for (int32_t k = 0; k < curveCount; ++k)
        vertices[k]->emplace_back(roundToPixel(px), roundToPixel(b.py[k]));
}

} // namespace

void smoothedVertices(const double* freqGrid, const double* const* values, int32_t curveCount, int32_t start,
    int32_t end, const CurveScale& scale, std::vector<QPoint>* const* vertices)
{
    static const bool vectorUnits = __builtin_cpu_supports("avx2") != 0;
    curveCount = std::clamp(curveCount, 0, lanes);
    for (int32_t k = 0; k < curveCount; ++k)
        vertices[k]->clear();
    if (end - start < 2 || curveCount == 0)
        return;
    if (vectorUnits) {
        smoothTogether(freqGrid, values, curveCount, start, end, scale, vertices);
        return;
    }
    for (int32_t k = 0; k < curveCount; ++k)
        curveVertices(freqGrid, values[k], start, end, true, scale, *vertices[k]);
}
