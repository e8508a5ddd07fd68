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
    } else if (++head == sampleCount) {
        head = 0;
    }
    xs[static_cast<size_t>(head)] = x;
    ys[static_cast<size_t>(head)] = y;
}

double LineFit::fitAt(double x0)
{
    double sumY = 0;
    double sumXY = 0;
    double count = 0;
    double sumX = 0;
    double sumXX = 0;
    for (int32_t age = 0, i = (head + 1) % std::max(sampleCount, 1); age < sampleCount; ++age) {
        const double x = xs[static_cast<size_t>(i)];
        const double y = ys[static_cast<size_t>(i)];
        sumY += y;
        sumXY += y * x;
        count += 1;
        sumX += x;
        sumXX += x * x;
        if (++i == sampleCount)
            i = 0;
    }
    const double f = -sumX / count;
    const double pivot = sumXX + sumX * f;
    const double reduced = sumXY + f * sumY;
    c1 = reduced / pivot;
    c0 = (sumY - sumX * c1) / count;
    return c0 + (c1 + 0.0) * x0;
}

void LineFit::restart()
{
    sampleCount = 0;
    head = 0;
}

double LineFit::spread(double newestDistance) const
{
    double largest = newestDistance;
    for (int32_t age = 0, i = (head + 1) % std::max(sampleCount, 1); age + 1 < sampleCount; ++age) {
        largest
            = std::max(largest, std::abs(c1 * xs[static_cast<size_t>(i)] + c0 - ys[static_cast<size_t>(i)]));
        if (++i == sampleCount)
            i = 0;
    }
    return largest;
}
