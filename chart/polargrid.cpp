#include "polargrid.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "axisscale.h"
#include "labeltext.h"

namespace {

const double pi = 3.141592653589793;
constexpr int32_t rayDegrees = 30;
// Most magnitude circles drawn, whatever the data holds.
constexpr double maximumCircles = 50;
const QPointF aboveRight(0.7071, -0.7071);

GridCurve magnitudeCircle(const GammaMapping& mapping, double radius, std::string label, GridStyle style)
{
    GridCurve curve;
    curve.style = style;
    appendArc(curve.points, Complex(0, 0), radius, 0, 2 * pi, mapping.pixelsPerUnit());
    curve.label = std::move(label);
    curve.labelAt = Complex(radius, 0);
    curve.direction = aboveRight;
    return curve;
}

// An angle in degrees as the labels give it, from -180 (left out: 180) to 180.
double shownDegrees(double degrees)
{
    const double shown = std::remainder(degrees, 360.0);
    return shown == -180 ? 180 : shown;
}

// The ray at the given angle out to outer, with its label beyond its end.
GridCurve angleRay(double outer, double degrees, std::string label, GridStyle style)
{
    GridCurve ray;
    ray.style = style;
    const Complex end = std::polar(outer, degrees * pi / 180);
    ray.points = { Complex(0, 0), end };
    ray.label = std::move(label) + "\u00b0";
    ray.labelAt = end;
    ray.direction = QPointF(end.real(), -end.imag());
    return ray;
}

// The angles in degrees over the part of the plane in view, counted on from the view centre's
// own angle so that they do not jump at 180°; none when the origin is in view.
VisibleSpan visibleAngles(const GammaMapping& mapping)
{
    const PlaneView& view = mapping.view();
    const Complex centre(view.centreRe, view.centreIm);
    const PixelRect& plot = mapping.plot();
    const QPointF origin = mapping.toPixel(Complex(0, 0));
    if (std::abs(centre) == 0
        || (origin.x() >= plot.left && origin.x() <= plot.right && origin.y() >= plot.top
            && origin.y() <= plot.bottom))
        return {};
    const double centreAngle = std::arg(centre);
    return visibleSpan(mapping, [&](const Complex& g) {
        return std::abs(g) > 0 ? (centreAngle + std::arg(g * std::conj(centre))) * 180 / pi : NAN;
    });
}

// The step of the finer rays over an angular span: the largest of 10°, 5°, 2°, 1°, 0.5°, 0.2°,
// 0.1° ... that puts three rays or more across it.
double fineRayStep(double span)
{
    for (double decade = 10; decade > 1e-9; decade /= 10) {
        for (const double share : { 1.0, 0.5, 0.2 }) {
            if (span >= 3 * decade * share)
                return decade * share;
        }
    }
    return 0;
}

// Finer rays where fewer than three of the main rays cross the view.
void addFineRays(std::vector<GridCurve>& grid, const GammaMapping& mapping, double outer)
{
    const VisibleSpan angles = visibleAngles(mapping);
    const double span = angles.high - angles.low;
    if (!angles.found || !(span < 3 * rayDegrees))
        return;
    const double step = fineRayStep(span);
    if (!(step > 0))
        return;
    int32_t count = 0;
    for (double k = std::ceil(angles.low / step); k * step <= angles.high && count < maximumFinerLines; ++k) {
        const double degrees = k * step;
        if (std::abs(std::remainder(degrees, rayDegrees)) < step * 1e-6)
            continue;
        grid.push_back(angleRay(outer, degrees, formatFineTick(shownDegrees(degrees), step), GridStyle::finer));
        ++count;
    }
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
        grid.push_back(magnitudeCircle(
            mapping, k * step, formatTick(k * step, step), k == circles ? GridStyle::outline : GridStyle::major));
    for (int32_t degrees = 0; degrees < 360; degrees += rayDegrees)
        grid.push_back(angleRay(outer, degrees, formatNumber("%g", shownDegrees(degrees)), GridStyle::major));
    if (mapping.view().halfSpan < finerGridHalfSpan * outer) {
        const VisibleSpan span = visibleSpan(mapping, [](const Complex& g) { return std::abs(g); });
        std::vector<double> main;
        for (double k = 1; k <= circles; ++k)
            main.push_back(k * step);
        const double fineStep = niceStep(span.low, span.high);
        for (const double radius : finerValues(span, main)) {
            if (radius > 0)
                grid.push_back(
                    magnitudeCircle(mapping, radius, formatFineTick(radius, fineStep), GridStyle::finer));
        }
        addFineRays(grid, mapping, outer);
    }
    return grid;
}
