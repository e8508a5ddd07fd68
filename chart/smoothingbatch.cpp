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

// The larger of a and b, b where a is NaN.
[[gnu::target("avx2"), gnu::always_inline]] inline Lanes larger(Lanes a, Lanes b)
{
    return a > b ? a : b;
}

// Sums over a curve's held samples of u = x - base: u, y, u u and u y.
struct FitSums {
    double base = 0;
    double u = 0;
    double y = 0;
    double uu = 0;
    double uy = 0;
};

// Whether any curve's mask is set.
[[gnu::target("avx2"), gnu::always_inline]] inline bool anySet(LaneMask m)
{
    const LaneMask half = m | __builtin_shufflevector(m, m, 2, 3, 2, 3);
    return (half[0] | half[1]) != 0;
}

// The samples of all curves of a batch. The curves share the grid, so a sample's x is common
// to them; each curve's ring holds its newest samples, and a slot that its ring does not reach
// holds NaN. Every sample is kept twice, at slot p = step mod capacity and at p + capacity, so
// that the newest capacity samples always lie side by side, the newest at p + capacity.
//
// A curve's own ring, as the one-curve fit keeps it, starts over at every bend; its sample of
// step s sits there at place (s - origin) mod capacity, where origin is the step of the first
// sample after the bend. Summing afresh goes through the samples in that order, so that the
// sums come out as the one-curve fit's, digit for digit.
struct Rings {
    explicit Rings(int32_t ringCapacity)
        : capacity(ringCapacity)
    {
        ys.fill(stale);
    }

    // The sums of curve k's held samples about its oldest sample's x; newest is the slot of
    // the newest sample.
    [[gnu::target("avx2")]] FitSums sumAfresh(int32_t k, int32_t held, int32_t newest) const
    {
        FitSums sums;
        sums.base = xs[static_cast<size_t>(newest + capacity - (held - 1))];
        for (int32_t i = 0; i < held; ++i) {
            const size_t slot = static_cast<size_t>((origin[static_cast<size_t>(k)] + i) % capacity);
            const double du = xs[slot] - sums.base;
            const double v = ys[slot][static_cast<size_t>(k)];
            sums.u += du;
            sums.y += v;
            sums.uu += du * du;
            sums.uy += du * v;
        }
        return sums;
    }

    // The curves with held samples start over at step - 1: both copies of their samples older
    // than that become NaN.
    [[gnu::target("avx2")]] void forget(Lanes held, int32_t step)
    {
        int32_t oldest = 0;
        for (int32_t k = 0; k < lanes; ++k) {
            oldest = std::max(oldest, static_cast<int32_t>(held[k]));
            if (held[k] > 0)
                origin[static_cast<size_t>(k)] = step - 1;
        }
        const int32_t newest = step % capacity + capacity;
        for (int32_t age = 2; age < oldest; ++age) {
            const int32_t place = newest - age;
            const int32_t twin = place < capacity ? place + capacity : place - capacity;
            const Lanes kept = static_cast<double>(age) < held ? stale : ys[static_cast<size_t>(place)];
            ys[static_cast<size_t>(place)] = kept;
            ys[static_cast<size_t>(twin)] = kept;
        }
    }

    // What a slot holds for a curve whose ring does not reach it.
    static constexpr Lanes stale = { NAN, NAN, NAN, NAN };

    int32_t capacity;
    std::array<double, 2 * maxFitSamples> xs {};
    alignas(sizeof(Lanes)) std::array<Lanes, 2 * maxFitSamples> ys;
    std::array<int32_t, lanes> origin {};
};

// The distance of every curve's sample at place from the line c0 + c1 x, NaN where the curve's
// ring does not reach it.
[[gnu::target("avx2"), gnu::always_inline]] inline Lanes distanceAt(
    const Rings& rings, size_t place, Lanes c0, Lanes c1)
{
    return absolute(c1 * rings.xs[place] + c0 - rings.ys[place]);
}

[[gnu::target("avx2")]] void smoothTogether(const double* freqGrid, const double* const* values,
    int32_t curveCount, int32_t start, int32_t end, const CurveScale& scale,
    std::vector<QPoint>* const* vertices)
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
    Rings rings(capacity);
    const double jumpPixels = jumpValueUnits * scale.yScale;
    const auto xOf = [&](int32_t i) { return (freqGrid[i] - scale.f0) * scale.xScale + scale.left; };
    const auto yOf = [&](int32_t k, int32_t i) {
        return scale.bottom - (source[static_cast<size_t>(k)][i] - scale.yMin) * scale.yScale;
    };

    // The running line of every curve: its held samples and their sums over u = x - base, u, y,
    // u u and u y; pushes since they were last summed afresh; the tolerance of its spread; and
    // the previous sample.
    const Lanes zero {};
    double px = xOf(start);
    Lanes py;
    for (int32_t k = 0; k < lanes; ++k)
        py[k] = yOf(k, start);
    rings.xs[0] = px;
    rings.xs[static_cast<size_t>(capacity)] = px;
    rings.ys[0] = py;
    rings.ys[static_cast<size_t>(capacity)] = py;
    Lanes count = zero + 1;
    Lanes pushes = zero;
    Lanes base = zero + px;
    Lanes sumU = zero + (px - px);
    Lanes sumY = zero + py;
    Lanes sumUU = zero + sumU * sumU;
    Lanes sumUY = zero + sumU * py;
    Lanes tolerance = zero;
    for (int32_t k = 0; k < lanes; ++k)
        out[static_cast<size_t>(k)]->emplace_back(roundToPixel(px), roundToPixel(py[k]));

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
        const LaneMask full = count >= capacity;
        const Lanes u = full ? rings.xs[lower] - base : 0.0;
        const Lanes v = full ? rings.ys[lower] : 0.0;
        sumU -= u;
        sumY -= v;
        sumUU -= u * u;
        sumUY -= u * v;
        rings.ys[lower] = y;
        rings.ys[upper] = y;
        rings.xs[lower] = x;
        rings.xs[upper] = x;
        count = full ? count : count + 1;
        pushes += 1;
        const Lanes un = x - base;
        sumU += un;
        sumY += y;
        sumUU += un * un;
        sumUY += un * y;
        const LaneMask resumNeeded = pushes >= capacity;
        for (int32_t k = 0; anySet(resumNeeded) && k < lanes; ++k) {
            if (resumNeeded[k] == 0)
                continue;
            const FitSums sums = rings.sumAfresh(k, static_cast<int32_t>(count[k]), slot);
            pushes[k] = 0;
            base[k] = sums.base;
            sumU[k] = sums.u;
            sumY[k] = sums.y;
            sumUU[k] = sums.uu;
            sumUY[k] = sums.uy;
        }

        // The line through each ring, the newest sample's distance from it, and the two tests
        // that need nothing more: a jump, and a bend the newest sample already shows.
        const Lanes n = count;
        const Lanes c1 = (n * sumUY - sumU * sumY) / (n * sumUU - sumU * sumU);
        const Lanes c0 = (sumY - sumU * c1) * (1.0 / n) - c1 * base;
        const Lanes newest = absolute(c0 + c1 * x - y);
        const Lanes deviation = absolute(c0 + c1 * px - py);
        const double jumpSlopeLimit = jumpSlope * std::max(x - px, 1.0);
        const LaneMask jump
            = ((deviation > jumpPixels) | (deviation > jumpSlopeLimit)) & (deviation > jumpMinimumPixels);
        const LaneMask judged = n >= minFitSamples;
        LaneMask bend = ~jump & judged & (newest > tolerance);

        // The spread of the older samples, for every curve at once; the curves that jumped or
        // bent do not use theirs. Four running maxima, so that each takes a quarter of the ages
        // without waiting for the others; the largest of them is the same whatever the grouping.
        double largestCount = 0;
        for (int32_t k = 0; k < lanes; ++k)
            largestCount = std::max(largestCount, n[k]);
        const size_t oldest = upper - static_cast<size_t>(largestCount);
        Lanes spread = newest;
        Lanes spread1 = newest;
        Lanes spread2 = newest;
        Lanes spread3 = newest;
        size_t place = upper - 1;
        for (; place >= oldest + 4; place -= 4) {
            spread = larger(distanceAt(rings, place, c0, c1), spread);
            spread1 = larger(distanceAt(rings, place - 1, c0, c1), spread1);
            spread2 = larger(distanceAt(rings, place - 2, c0, c1), spread2);
            spread3 = larger(distanceAt(rings, place - 3, c0, c1), spread3);
        }
        for (; place > oldest; --place)
            spread = larger(distanceAt(rings, place, c0, c1), spread);
        spread = larger(larger(spread, spread1), larger(spread2, spread3));
        const LaneMask looked = ~jump & ~bend;
        const LaneMask wider = judged & (spread > tolerance);
        bend |= looked & wider;
        tolerance = (looked & ~wider) ? spread : tolerance;

        // A curve that turns gets a vertex and starts over with the previous sample and this one,
        // summed as the one-curve fit sums them: afresh for the first, by adding for the second.
        const LaneMask turn = jump | bend;
        if (anySet(turn)) {
            const Lanes vertexY = jump ? py : c0 + c1 * px;
            for (int32_t k = 0; k < lanes; ++k) {
                if (turn[k] != 0)
                    appendSpaced(*out[static_cast<size_t>(k)], roundToPixel(px), roundToPixel(vertexY[k]));
            }
            rings.forget(turn ? count : 0.0, step);
            const double u0 = px - px;
            const double u1 = x - px;
            count = turn ? 2.0 : count;
            pushes = turn ? 1.0 : pushes;
            base = turn ? px : base;
            sumU = turn ? zero + u0 + u1 : sumU;
            sumY = turn ? zero + py + y : sumY;
            sumUU = turn ? zero + u0 * u0 + u1 * u1 : sumUU;
            sumUY = turn ? zero + u0 * py + u1 * y : sumUY;
        }
        tolerance = tolerance < minimumTolerance ? minimumTolerance : tolerance;
        py = y;
        px = x;
    }
    for (int32_t k = 0; k < curveCount; ++k)
        vertices[k]->emplace_back(roundToPixel(px), roundToPixel(py[k]));
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
