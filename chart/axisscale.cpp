#include "axisscale.h"

#include <algorithm>
#include <cmath>

#include "roundhalfaway.h"

double niceStep(double low, double high)
{
    const double span = high - low;
    if (!(span > 0) || !std::isfinite(span))
        return 0;
    const double e = roundHalfAway(std::log10(span));
    double base = std::pow(10.0, e - 1);
    const double r = span / base;
    double step = 0;
    if (r < 6) {
        step = base / 2;
    } else {
        if (r > 14)
            base = 2 * base;
        if (span / base > 14)
            base = 2.5 * base;
        step = base;
    }
    if (!(step > 0) || !std::isfinite(step))
        return 0;
    return step;
}

void expandRange(double& low, double& high, double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return;
    const double first = roundHalfAway(low / step);
    const double last = roundHalfAway(high / step);
    double lo = (first - 1) * step;
    double hi = (last + 1) * step;
    if (hi - lo < 4 * step) {
        lo = (first - 2) * step;
        hi = (last + 2) * step;
    }
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return;
    low = lo;
    high = hi;
}

double valueScaleFactor(double low, double high)
{
    const double v = std::max({ std::abs(low), std::abs(high), high - low });
    if (!std::isfinite(v) || std::isnan(low) || std::isnan(high))
        return 1;
    if (v >= 1000000)
        return 0.000001;
    if (v >= 1000)
        return 0.001;
    if (v >= 0.001)
        return 1;
    if (v >= 0.000001)
        return 1000000;
    return 1000000000;
}
