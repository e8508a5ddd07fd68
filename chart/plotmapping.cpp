#include "plotmapping.h"

#include <algorithm>
#include <cmath>

#include "axisscale.h"
#include "roundhalfaway.h"

namespace {

double extent(int32_t pixels)
{
    return static_cast<double>(std::max(pixels, 1));
}

double span(double from, double to)
{
    const double s = to - from;
    if (!(s > 0) || !std::isfinite(s))
        return minimumAxisSpan;
    return s;
}

} // namespace

int32_t frequencyColumn(const PixelRect& plot, double f, double f0, double f1)
{
    return roundToPixel(plot.left + (f - f0) * extent(plot.width()) / span(f0, f1));
}

int32_t valueRow(const PixelRect& plot, double v, double yMin, double yMax)
{
    return roundToPixel(plot.bottom - (v - yMin) * extent(plot.height()) / span(yMin, yMax));
}

int32_t gridIndexAtColumn(const PixelRect& plot, int32_t x, int32_t pointCount)
{
    if (pointCount <= 1)
        return 0;
    const double index
        = roundHalfAway((static_cast<double>(x) - plot.left) * (pointCount - 1) / extent(plot.width()));
    if (!(index > 0))
        return 0;
    if (index >= pointCount - 1)
        return pointCount - 1;
    return static_cast<int32_t>(index);
}

double valueAtRow(const PixelRect& plot, int32_t y, double yMin, double yMax)
{
    return (static_cast<double>(plot.bottom) - y) * (yMax - yMin) / extent(plot.height()) + yMin;
}

double zoomFrequencyAt(const PixelRect& plot, int32_t x, double xMin, double xMax)
{
    return xMin + (static_cast<double>(x) - plot.left) * (xMax - xMin) / extent(plot.width());
}

double zoomValueAt(const PixelRect& plot, int32_t y, double yMin, double yMax)
{
    return yMax - (static_cast<double>(y) - plot.top) * (yMax - yMin) / extent(plot.height());
}
