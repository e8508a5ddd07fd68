#include "planegrid.h"

#include <algorithm>
#include <cmath>

#include "axisscale.h"

namespace {

// Most points along one arc; enough for a quarter-pixel sagitta at the deepest zoom.
constexpr int32_t maximumArcPoints = 8192;

} // namespace

void appendArc(std::vector<Complex>& points, const Complex& centre, double radius, double from, double to,
    double pixelsPerUnit)
{
    const double sweep = to - from;
    // A chord of angle a strays r a^2 / 8 pixels from the arc: a quarter pixel at most.
    const double pixels = std::max(radius * pixelsPerUnit, 1.0);
    const double step = std::sqrt(2 / pixels);
    const int32_t count = static_cast<int32_t>(
        std::clamp(std::ceil(std::abs(sweep) / step), 8.0, static_cast<double>(maximumArcPoints)));
    for (int32_t i = 0; i <= count; ++i) {
        const double a = from + sweep * i / count;
        points.push_back(centre + std::polar(radius, a));
    }
}

std::vector<double> finerValues(const VisibleSpan& span, const std::vector<double>& mainValues)
{
    std::vector<double> values;
    if (!span.found || !(span.high > span.low))
        return values;
    const double step = niceStep(span.low, span.high);
    if (!(step > 0))
        return values;
    const double first = std::ceil(span.low / step);
    for (double k = first; k * step <= span.high && values.size() < maximumFinerLines; ++k) {
        const double v = k * step;
        const bool main = std::any_of(mainValues.begin(), mainValues.end(),
            [&](double m) { return std::abs(m - v) < step * 1e-6 || std::abs(m + v) < step * 1e-6; });
        if (k != 0 && !main)
            values.push_back(v);
    }
    return values;
}
