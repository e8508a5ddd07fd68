#include "linefit.h"

#include <algorithm>
#include <cmath>

namespace {

// 1 / n for every sample count a ring holds; entry 0 is not used.
constexpr std::array<double, LineFit::maxCapacity + 1> reciprocals = [] {
    std::array<double, LineFit::maxCapacity + 1> r {};
    for (size_t n = 1; n < r.size(); ++n)
        r[n] = 1.0 / static_cast<double>(n);
    return r;
}();

// The largest distance |c1 x + c0 - y| of the samples first..last - 1 from the line. The
// samples are finite, so it does not depend on the order in which they are looked at, and the
// loop takes several at once; on processors with AVX2 four (the same arithmetic, so the same
// result).
__attribute__((target_clones("avx2", "default"))) double largestDistance(
    const double* x, const double* y, int32_t first, int32_t last, double c0, double c1)
{
    double largest = 0;
#pragma omp simd reduction(max : largest)
    for (int32_t i = first; i < last; ++i) {
        const double distance = std::abs(c1 * x[i] + c0 - y[i]);
        largest = distance > largest ? distance : largest;
    }
    return largest;
}

} // namespace

LineFit::LineFit(int32_t ringCapacity)
    : capacity(std::clamp(ringCapacity, 1, maxCapacity))
{
}

void LineFit::push(double x, double y)
{
    if (sampleCount < capacity) {
        head = sampleCount;
        ++sampleCount;
    } else {
        if (++head == sampleCount)
            head = 0;
        // The oldest sample leaves the sums.
        const double u = xs[static_cast<size_t>(head)] - base;
        const double v = ys[static_cast<size_t>(head)];
        sumU -= u;
        sumY -= v;
        sumUU -= u * u;
        sumUY -= u * v;
    }
    xs[static_cast<size_t>(head)] = x;
    ys[static_cast<size_t>(head)] = y;
    if (sampleCount == 1 || ++pushesSinceResum >= capacity) {
        resum();
        return;
    }
    const double u = x - base;
    sumU += u;
    sumY += y;
    sumUU += u * u;
    sumUY += u * y;
}

void LineFit::resum()
{
    pushesSinceResum = 0;
    const int32_t oldest = sampleCount == 0 ? 0 : (head + 1) % sampleCount;
    base = xs[static_cast<size_t>(oldest)];
    sumU = 0;
    sumY = 0;
    sumUU = 0;
    sumUY = 0;
    for (int32_t i = 0; i < sampleCount; ++i) {
        const double u = xs[static_cast<size_t>(i)] - base;
        const double v = ys[static_cast<size_t>(i)];
        sumU += u;
        sumY += v;
        sumUU += u * u;
        sumUY += u * v;
    }
}

double LineFit::fitAt(double x0)
{
    // The normal equations scaled by the sample count, so that a single division remains;
    // the count's reciprocal comes from a table.
    const double count = sampleCount;
    c1 = (count * sumUY - sumU * sumY) / (count * sumUU - sumU * sumU);
    c0 = (sumY - sumU * c1) * reciprocals[static_cast<size_t>(sampleCount)] - c1 * base;
    return c0 + c1 * x0;
}

void LineFit::restart()
{
    sampleCount = 0;
    head = 0;
    pushesSinceResum = 0;
}

double LineFit::spread(double newestDistance) const
{
    // The older samples are those on either side of the newest in the ring; their order does
    // not change the largest distance.
    return std::max({ newestDistance, largestDistance(xs.data(), ys.data(), 0, head, c0, c1),
        largestDistance(xs.data(), ys.data(), head + 1, sampleCount, c0, c1) });
}
