#pragma once

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "complexmatrix.h"
#include "gammamapping.h"

// How a line of a Smith or polar grid is drawn: the rim and axis solid, the main circles
// dotted, the finer circles of a deep zoom lighter, the admittance circles in their own colour.
enum class GridStyle { outline, major, finer, admittance };

// One line of a Smith or polar grid: points in the complex plane close enough together that
// the straight lines between them stay within a fraction of a pixel of the curve, and its
// label (none when empty), wanted at labelAt and written on the side that direction points
// to in pixels (x right, y down).
struct GridCurve {
    std::vector<Complex> points;
    GridStyle style = GridStyle::major;
    std::string label;
    Complex labelAt;
    QPointF direction;
};

// Appends points along the circle of the given centre and radius from angle from to angle to
// (radians, either way round), as many as its size in pixels needs.
void appendArc(std::vector<Complex>& points, const Complex& centre, double radius, double from, double to,
    double pixelsPerUnit);

// The span of a quantity over the part of the plot the mapping shows, from a lattice of points
// across it; points the quantity has no finite value at are passed over.
struct VisibleSpan {
    double low = 0;
    double high = 0;
    bool found = false;
};
template <typename Quantity> VisibleSpan visibleSpan(const GammaMapping& mapping, Quantity quantity);

// The values of a finer grid over a visible span: multiples of the span's nice step other
// than zero and the given main values, at most maximumFinerLines of them.
constexpr int32_t maximumFinerLines = 30;
std::vector<double> finerValues(const VisibleSpan& span, const std::vector<double>& mainValues);

// A half span below this shows finer circles.
constexpr double finerGridHalfSpan = 0.5;

template <typename Quantity> VisibleSpan visibleSpan(const GammaMapping& mapping, Quantity quantity)
{
    constexpr int32_t lattice = 16;
    const PixelRect& plot = mapping.plot();
    VisibleSpan span;
    for (int32_t i = 0; i <= lattice; ++i) {
        for (int32_t j = 0; j <= lattice; ++j) {
            const Complex g = mapping.toPlane(plot.left + plot.width() * i / double(lattice),
                plot.top + plot.height() * j / double(lattice));
            const double v = quantity(g);
            if (!std::isfinite(v))
                continue;
            span.low = span.found ? std::min(span.low, v) : v;
            span.high = span.found ? std::max(span.high, v) : v;
            span.found = true;
        }
    }
    return span;
}
