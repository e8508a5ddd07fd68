#include "polargrid.h"

#include <algorithm>
#include <cmath>

#include "axisscale.h"
#include "labeltext.h"

namespace {

const double pi = 3.141592653589793;
constexpr int32_t rayDegrees = 30;
// Most magnitude circles drawn, whatever the data holds.
constexpr double maximumCircles = 50;
const QPointF aboveRight(0.7071, -0.7071);

GridCurve magnitudeCircle(const GammaMapping& mapping, double radius, double step, GridStyle style)
{
    GridCurve curve;
    curve.style = style;
    appendArc(curve.points, Complex(0, 0), radius, 0, 2 * pi, mapping.pixelsPerUnit());
    curve.label = formatTick(radius, step);
    curve.labelAt = Complex(radius, 0);
    curve.direction = aboveRight;
    return curve;
}

} // namespace

double polarStep(double largestMagnitude)
{
    const double outer = std::isfinite(largestMagnitude) ? std::max(largestMagnitude, 1.0) : 1.0;
    return niceStep(0, 2 * outer);
}

double polarOuterRadius(const std::vector<Locus>& loci)
{
    double largest = 1;
    for (const Locus& locus : loci) {
        for (const Complex& s : locus.values) {
            const double magnitude = std::abs(s);
            if (std::isfinite(magnitude))
                largest = std::max(largest, magnitude);
        }
    }
    const double step = polarStep(largest);
    return step > 0 ? std::ceil(largest / step * (1 - 1e-12)) * step : largest;
}

std::vector<GridCurve> polarGrid(const GammaMapping& mapping, double outer)
{
    std::vector<GridCurve> grid;
    const double step = polarStep(outer);
    if (!(step > 0) || !std::isfinite(outer))
        return grid;
    const double circles = std::min(std::round(outer / step), maximumCircles);
    for (double k = 1; k <= circles; ++k)
        grid.push_back(
            magnitudeCircle(mapping, k * step, step, k == circles ? GridStyle::outline : GridStyle::major));
    for (int32_t degrees = 0; degrees < 360; degrees += rayDegrees) {
        GridCurve ray;
        ray.style = GridStyle::major;
        const Complex end = std::polar(outer, degrees * pi / 180);
        ray.points = { Complex(0, 0), end };
        ray.label = formatNumber("%g", degrees > 180 ? degrees - 360 : degrees) + "\u00b0";
        ray.labelAt = end;
        ray.direction = QPointF(end.real(), -end.imag());
        grid.push_back(ray);
    }
    if (mapping.view().halfSpan < finerGridHalfSpan * outer) {
        const VisibleSpan span = visibleSpan(mapping, [](const Complex& g) { return std::abs(g); });
        std::vector<double> main;
        for (double k = 1; k <= circles; ++k)
            main.push_back(k * step);
        for (const double radius : finerValues(span, main)) {
            if (radius > 0)
                grid.push_back(
                    magnitudeCircle(mapping, radius, niceStep(span.low, span.high), GridStyle::finer));
        }
    }
    return grid;
}
