#pragma once

#include <QPointF>

#include <cmath>
#include <limits>

#include "complexmatrix.h"
#include "pixelrect.h"

// A view of the complex plane of an S-parameter: the point at the plot's centre and the
// distance from it to the nearer edge of the plot.
struct PlaneView {
    double centreRe = 0;
    double centreIm = 0;
    double halfSpan = 1;
};

// Smallest and largest half span a view may have: deeper zooms would leave the grid's
// circles to rounding, wider ones would show nothing.
constexpr double minimumHalfSpan = 1e-4;
constexpr double maximumHalfSpan = 1e3;

// A view brought into the drawable range: a finite centre within maximumHalfSpan of the
// origin and a half span between minimumHalfSpan and maximumHalfSpan.
PlaneView boundedView(PlaneView view);

// Between the complex plane and the pixels of the plot: one scale on both axes (imaginary up),
// the view's centre at the plot's centre. A value that is not finite, or too large to be
// drawn, maps to a point that is not finite.
class GammaMapping {
public:
    // Pixel coordinates beyond this are treated as no point: far outside any plot, and still
    // exact enough to clip against it.
    static constexpr double farPixel = 1e12;

    GammaMapping() = default;
    GammaMapping(const PixelRect& plot, const PlaneView& view);

    // Inline: a dense locus maps a million points a drawing.
    QPointF toPixel(const Complex& value) const
    {
        const double x = centreX + (value.real() - shown.centreRe) * scale;
        const double y = centreY - (value.imag() - shown.centreIm) * scale;
        if (!(std::abs(x) < farPixel) || !(std::abs(y) < farPixel)) {
            const double none = std::numeric_limits<double>::quiet_NaN();
            return QPointF(none, none);
        }
        return QPointF(x, y);
    }
    Complex toPlane(double x, double y) const;
    double pixelsPerUnit() const { return scale; }
    const PlaneView& view() const { return shown; }
    const PixelRect& plot() const { return area; }

private:
    PixelRect area;
    PlaneView shown;
    double centreX = 0;
    double centreY = 0;
    double scale = 1;
};
