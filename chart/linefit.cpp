#include "linefit.h"

#include <algorithm>
#include <cmath>

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
    const double count = sampleCount;
    const double f = -sumU / count;
    const double pivot = sumUU + sumU * f;
    const double reduced = sumUY + f * sumY;
    c1 = reduced / pivot;
    c0 = (sumY - sumU * c1) / count - c1 * base;
    return c0 + c1 * x0;
}

void LineFit::restart()
{
    sampleCount = 0;
    head = 0;
    pushesSinceResum = 0;
}

double LineFit::largestDistance(int32_t first, int32_t last) const
{
    // The samples are finite, so the largest distance does not depend on the order in which
    // they are looked at, and the loop may take several at once.
    double largest = 0;
    const double* x = xs.data();
    const double* y = ys.data();
#pragma omp simd reduction(max : largest)
    for (int32_t i = first; i < last; ++i)
        largest = std::max(largest, std::abs(c1 * x[i] + c0 - y[i]));
    return largest;
}

double LineFit::spread(double newestDistance) const
{
    // The older samples are those on either side of the newest in the ring; their order does
    // not change the largest distance.
    return std::max({ newestDistance, largestDistance(0, head), largestDistance(head + 1, sampleCount) });
}
