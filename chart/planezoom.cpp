#include "planezoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "charthost.h"
#include "chartstate.h"
#include "chartzoom.h"
#include "recomputechart.h"

namespace {

void redraw(ChartState& state, ChartHost& host)
{
    const ZoomEntry& zoom = state.currentZoom();
    recomputeChart(state, host, zoom.autoX, zoom.autoY);
}

void putView(ChartState& state, bool push, const PlaneView& view)
{
    std::vector<PlaneView>& zooms = state.plane.zooms;
    if (push || zooms.empty())
        zooms.push_back(view);
    else
        zooms.back() = view;
}

} // namespace

bool planeChart(const ChartState& state)
{
    return state.chartKind != ChartKind::frequency;
}

bool zoomPlaneToRect(
    ChartState& state, ChartHost& host, bool push, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const GammaMapping& mapping = state.plane.mapping;
    const PixelRect& plot = mapping.plot();
    const double width = std::abs(x2 - x1);
    const double height = std::abs(y2 - y1);
    if (width == 0 || height == 0 || plot.width() <= 0 || plot.height() <= 0)
        return false;
    const double factor = std::min(plot.width() / width, plot.height() / height);
    const Complex centre = mapping.toPlane((x1 + x2) / 2.0, (y1 + y2) / 2.0);
    const PlaneView now = mapping.view();
    const PlaneView view = boundedView(PlaneView { centre.real(), centre.imag(), now.halfSpan / factor });
    if (factor > 1 && view.halfSpan >= now.halfSpan)
        return false;
    putView(state, push, view);
    redraw(state, host);
    return true;
}

bool stepPlaneBack(ChartState& state, ChartHost& host)
{
    if (state.plane.zooms.empty())
        return false;
    state.plane.zooms.pop_back();
    redraw(state, host);
    return true;
}

bool panPlane(ChartState& state, ChartHost& host, ZoomDrag& drag, int32_t x, int32_t y)
{
    const int32_t dx = drag.panStartX - x;
    const int32_t dy = drag.panStartY - y;
    if (dx == 0 && dy == 0)
        return false;
    drag.panStartX = x;
    drag.panStartY = y;
    const GammaMapping& mapping = state.plane.mapping;
    PlaneView view = mapping.view();
    view.centreRe += dx / mapping.pixelsPerUnit();
    view.centreIm -= dy / mapping.pixelsPerUnit();
    putView(state, false, boundedView(view));
    redraw(state, host);
    return true;
}
