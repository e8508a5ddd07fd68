#include "chartsettings.h"

#include <array>

#include "chartstate.h"
#include "phasetraces.h"
#include "unitmultiplier.h"

namespace {

// The settings keys of the trace check boxes, in trace order.
template <typename Record> auto traceKeys(Record& s) -> std::array<decltype(&s.S11m), tracesPerMeasurement>
{
    return { &s.S11m, &s.S11a, &s.S21m, &s.S21a, &s.S12m, &s.S12a, &s.S22m, &s.S22a };
}

} // namespace

double storedUnitMultiplier(const SettingsRecord& settings)
{
    return unitMultiplierOf(unitIndexOf(settings.MX));
}

void chartStateFromSettings(const SettingsRecord& settings, ChartState& state)
{
    const double multiplier = storedUnitMultiplier(settings);
    state.unitMultiplier = multiplier;
    const auto keys = traceKeys(settings);
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        state.traceEnabled[k] = *keys[k];

    ZoomEntry& first = state.currentZoom();
    first.xMin = 0;
    first.xMax = 100 * multiplier;
    first.xStep = 10 * multiplier;
    first.yMin = 0;
    first.yMax = 100;
    first.yStep = 10;
    ZoomEntry stored;
    stored.autoX = settings.AutoX;
    stored.autoY = settings.AutoY;
    stored.xMin = settings.MinX * multiplier;
    stored.xMax = settings.MaxX * multiplier;
    stored.xStep = settings.dX * multiplier;
    stored.yMin = settings.MinY;
    stored.yMax = settings.MaxY;
    stored.yStep = settings.dY;
    // A view from a hand-edited or damaged file that could not be drawn is not used.
    if (settings.AutoY == 0 && drawableView(stored))
        state.zoomList.pushZoom() = stored;

    state.dbMode = settings.Units == 0 ? 1 : 0;
    state.smoothing = settings.Filter;
    state.chartKind = chartKindOf(settings.ChartKind);
    state.admittanceGrid = settings.AdmittanceGrid != 0 ? 1 : 0;
    // A mode or an aperture from a hand-edited or damaged file that means none is the default.
    state.phaseMode = phaseModeOf(settings.PhaseMode);
    state.delayAperture = delayApertureOf(settings.DelayAperture);
    state.markers = MarkerSet::fromSettings(settings);
}

void chartStateIntoSettings(
    ChartState& state, const std::optional<QRect>& normalGeometry, SettingsRecord& settings)
{
    const double multiplier = state.unitMultiplier;
    if (normalGeometry) {
        settings.Left = normalGeometry->left();
        settings.Top = normalGeometry->top();
        settings.Right = normalGeometry->left() + normalGeometry->width();
        settings.Bottom = normalGeometry->top() + normalGeometry->height();
    }
    const ZoomEntry& zoom = state.currentZoom();
    settings.AutoX = zoom.autoX;
    settings.AutoY = zoom.autoY;
    settings.MX = multiplier;
    settings.MinX = zoom.xMin / multiplier;
    settings.MaxX = zoom.xMax / multiplier;
    settings.dX = zoom.xStep / multiplier;
    settings.MinY = zoom.yMin;
    settings.MaxY = zoom.yMax;
    settings.dY = zoom.yStep;
    settings.Units = state.dbMode == 0 ? 1 : 0;
    settings.PhaseMode = phaseModeOf(state.phaseMode);
    settings.DelayAperture = delayApertureOf(state.delayAperture);
    const auto keys = traceKeys(settings);
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        *keys[k] = state.traceEnabled[k];
    settings.ChartKind = static_cast<int32_t>(state.chartKind);
    settings.AdmittanceGrid = state.admittanceGrid;
    state.markers.intoSettings(settings);
}
