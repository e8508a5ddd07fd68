#include "chartzoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "axisscale.h"
#include "charthost.h"
#include "chartstate.h"
#include "frequencygrid.h"
#include "planezoom.h"
#include "recomputechart.h"
#include "roundhalfaway.h"
#include "zoomentry.h"

namespace {

// Share of the plot area a wheel step keeps.
constexpr double wheelZoomShare = 0.8;
// A pan step needs the pointer to cover this share of a grid step.
constexpr double panStepShare = 0.1;
// The value axis ends of a zoomed view sit on this share of the value step.
constexpr double valueEndShare = 0.1;

// Whether some measurement keeps more than the fewest mean steps a view must hold in a view
// of the given width.
bool someMeasurementResolves(RubberS2P& measurements, double span)
{
    for (int32_t i = 0; i < measurements.itemCount; ++i) {
        const RubberS2PData* m = measurements.measurement(i);
        if (m != nullptr && resolvesSpan(*m, span))
            return true;
    }
    return false;
}

// The value rounded to the nearest multiple of unit; an exact 0 stays.
double roundToMultiple(double value, double unit)
{
    if (value == 0)
        return value;
    return roundHalfAway(value / unit) * unit;
}

RecomputeResult showView(ChartState& state, ChartHost& host)
{
    ZoomEntry& zoom = state.currentZoom();
    host.writeViewControls(state);
    host.writeAxisEdits(zoom, state.unitMultiplier);
    return recomputeChart(state, host, zoom.autoX, zoom.autoY);
}

// The view under the rectangle with corners (x1, y1) and (x2, y2) of the frame, both axes
// manual, before any snapping; none when the plot area has no size or no measurement would
// keep more than the fewest mean steps a view must hold.
std::optional<ZoomEntry> viewUnderRect(ChartState& state, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const ChartView& chart = state.chart;
    const QSize frame = chart.frameSize();
    const double width = frame.width() - chart.rightMargin - chart.leftMargin;
    const double height = frame.height() - chart.bottomMargin;
    if (!(width > 0) || !(height > 0))
        return std::nullopt;

    const ZoomEntry& now = state.currentZoom();
    const double x0 = now.xMin;
    const double spanX = now.xMax - now.xMin;
    const double yTop = now.yMax;
    const double spanY = now.yMax - now.yMin;
    if (!someMeasurementResolves(state.measurements, std::abs(x2 - x1) * spanX / width))
        return std::nullopt;

    ZoomEntry view;
    view.autoX = 0;
    view.autoY = 0;
    view.xMin = (std::min(x1, x2) - chart.leftMargin) * spanX / width + x0;
    view.xMax = (std::max(x1, x2) - chart.leftMargin) * spanX / width + x0;
    view.yMax = yTop - std::min(y1, y2) * spanY / height;
    view.yMin = yTop - std::max(y1, y2) * spanY / height;
    return view;
}

// Snaps the view's frequency ends to the grid, chooses both steps, puts the value ends on a
// tenth of the value step and makes the result the view in force (pushed when push is set).
// A view that would not be drawable is refused, and so is one whose chart ran out of memory:
// the view before it is in force again, in the controls too, and the last chart stays.
bool applyView(ChartState& state, ChartHost& host, bool push, ZoomEntry view)
{
    gridPointCount(state.measurements, view, state.chart.plotRect().width());
    view.xStep = view.xMin < view.xMax ? niceStep(view.xMin, view.xMax) : 1;
    view.yStep = view.yMin < view.yMax ? niceStep(view.yMin, view.yMax) : 1;
    view.yMax = roundToMultiple(view.yMax, view.yStep * valueEndShare);
    view.yMin = roundToMultiple(view.yMin, view.yStep * valueEndShare);
    if (!drawableView(view))
        return false;
    const ZoomEntry before = state.currentZoom();
    ZoomEntry& target = push ? state.zoomList.pushZoom() : state.currentZoom();
    target = view;
    if (showView(state, host) != RecomputeResult::OutOfMemory)
        return true;
    if (push)
        state.zoomList.popZoom();
    else
        state.currentZoom() = before;
    host.writeViewControls(state);
    host.writeAxisEdits(state.currentZoom(), state.unitMultiplier);
    return false;
}

// A panned view moves by whole grid steps, so that snapping its ends to the grid cannot make it
// narrower.
void keepWidthOnGrid(ChartState& state, ZoomEntry& view)
{
    const double span = view.xMax - view.xMin;
    const double step
        = gridStepForView(state.measurements, view.xMin, view.xMax, state.chart.plotRect().width());
    if (!finiteAndPositive(step))
        return;
    view.xMin = roundHalfAway(view.xMin / step) * step;
    view.xMax = view.xMin + roundHalfAway(span / step) * step;
}

} // namespace

bool zoomToRect(ChartState& state, ChartHost& host, bool push, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (planeChart(state))
        return zoomPlaneToRect(state, host, push, x1, y1, x2, y2);
    host.readViewControls(state);
    const std::optional<ZoomEntry> view = viewUnderRect(state, x1, y1, x2, y2);
    return view && applyView(state, host, push, *view);
}

bool stepBack(ChartState& state, ChartHost& host)
{
    if (planeChart(state))
        return stepPlaneBack(state, host);
    if (state.zoomList.itemCount == 0)
        return false;
    state.zoomList.popZoom();
    showView(state, host);
    return true;
}

std::optional<PixelRect> wheelZoomRect(const PixelRect& plot, int32_t x, int32_t y)
{
    if (x < plot.left || x >= plot.right || y < plot.top || y >= plot.bottom)
        return std::nullopt;
    PixelRect r;
    r.left = roundToPixel((plot.left - x) * wheelZoomShare + x);
    r.top = roundToPixel((plot.top - y) * wheelZoomShare + y);
    r.right = r.left + roundToPixel(plot.width() * wheelZoomShare);
    r.bottom = r.top + roundToPixel(plot.height() * wheelZoomShare);
    return r;
}

bool panStep(ChartState& state, ChartHost& host, ZoomDrag& drag, int32_t x, int32_t y)
{
    if (planeChart(state))
        return panPlane(state, host, drag, x, y);
    const PixelRect plot = state.chart.plotRect();
    if (plot.width() <= 0 || plot.height() <= 0)
        return false;
    const ZoomEntry& zoom = state.currentZoom();
    const double dx
        = std::abs(static_cast<double>(drag.panStartX - x) * (zoom.xMax - zoom.xMin) / plot.width());
    const double dy
        = std::abs(static_cast<double>(drag.panStartY - y) * (zoom.yMax - zoom.yMin) / plot.height());
    // A move in frequency must also cover a grid step, else it would be lost to the snapping.
    bool farInFrequency = dx >= zoom.xStep * panStepShare
        && dx >= gridStepForView(state.measurements, zoom.xMin, zoom.xMax, plot.width());
    const int32_t r = state.referenceIndex;
    if (r >= 0 && r < state.measurements.itemCount) {
        const RubberS2PData* reference = state.measurements.measurement(r);
        farInFrequency = farInFrequency && reference != nullptr && dx >= reference->freqStep;
    }
    if (!farInFrequency && !(dy >= zoom.yStep * panStepShare))
        return false;
    const int32_t shiftX = drag.panStartX - x;
    const int32_t shiftY = drag.panStartY - y;
    drag.panStartX = x;
    drag.panStartY = y;
    host.readViewControls(state);
    std::optional<ZoomEntry> view = viewUnderRect(
        state, plot.left + shiftX, plot.top + shiftY, plot.right + shiftX, plot.bottom + shiftY);
    if (!view)
        return false;
    keepWidthOnGrid(state, *view);
    return applyView(state, host, false, *view);
}

bool rubberBandClick(ChartState& state, ChartHost& host, ZoomDrag& drag, int32_t x, int32_t y)
{
    const PixelRect plot = state.chart.plotRect();
    if (x < plot.left || x >= plot.right || y < plot.top || y >= plot.bottom
        || state.measurements.itemCount == 0)
        return false;
    PixelRect& band = drag.rubberRect;
    if (drag.zoomMode == 0) {
        band = PixelRect { x, y, x, y };
        drag.zoomMode = 1;
        return false;
    }
    if (band.right == band.left || band.bottom == band.top)
        return false;
    drag.zoomMode = 0;
    return zoomToRect(state, host, true, band.left, band.top, band.right, band.bottom);
}
