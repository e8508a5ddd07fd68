#include "gammamapping.h"

#include <algorithm>
#include <cmath>

PlaneView boundedView(PlaneView view)
{
    if (!std::isfinite(view.centreRe) || !std::isfinite(view.centreIm)) {
        view.centreRe = 0;
        view.centreIm = 0;
    }
    view.centreRe = std::clamp(view.centreRe, -maximumHalfSpan, maximumHalfSpan);
    view.centreIm = std::clamp(view.centreIm, -maximumHalfSpan, maximumHalfSpan);
    view.halfSpan
        = std::isfinite(view.halfSpan) ? std::clamp(view.halfSpan, minimumHalfSpan, maximumHalfSpan) : 1;
    return view;
}

GammaMapping::GammaMapping(const PixelRect& plot, const PlaneView& view)
    : area(plot)
    , shown(boundedView(view))
{
    const double width = std::max(plot.width(), 1);
    const double height = std::max(plot.height(), 1);
    centreX = plot.left + width / 2;
    centreY = plot.top + height / 2;
    scale = std::min(width, height) / (2 * shown.halfSpan);
}

Complex GammaMapping::toPlane(double x, double y) const
{
    return Complex((x - centreX) / scale + shown.centreRe, (centreY - y) / scale + shown.centreIm);
}
