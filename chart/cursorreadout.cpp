#include "cursorreadout.h"

#include <cmath>

#include "chartstate.h"
#include "labeltext.h"
#include "phasetexts.h"
#include "plotmapping.h"

namespace {

const char* const currentFormat = "%5.4lg";

// The measurement of a trace, by its display name.
std::string measurementName(ChartState& state, int32_t trace)
{
    RubberS2P& measurements = state.measurements;
    const int32_t m = trace / tracesPerMeasurement;
    if (m < 0 || m >= measurements.itemCount)
        return std::string();
    const RubberS2PData* data = measurements.measurement(m);
    return data != nullptr ? data->displayName : std::string();
}

// The unit that the texts of trace t's values carry.
std::string unitOf(const ChartState& state, int32_t trace)
{
    return traceUnitText(state.buffers.phase, trace % tracesPerMeasurement, state.language);
}

// A trace that takes part in the readout at column c, with its value there.
struct ReadTrace {
    int32_t trace = -1;
    double value = 0;
};

} // namespace

std::optional<ChartPointer> chartPointerAt(ChartState& state, int32_t x, int32_t y)
{
    const TraceBuffers& buffers = state.buffers;
    if (buffers.pixelColumn.empty() || buffers.traceCount == 0)
        return std::nullopt;
    const PixelRect plot = state.chart.plotRect();
    if (x < plot.left || x >= plot.right || y < plot.top || y >= plot.bottom)
        return std::nullopt;
    const ZoomEntry& zoom = state.currentZoom();
    return ChartPointer { gridIndexAtColumn(plot, x, buffers.pointCount),
        valueAtRow(plot, y, zoom.yMin, zoom.yMax) };
}

std::optional<CursorReadout> cursorReadout(
    ChartState& state, const std::vector<int32_t>& rowTraces, int32_t column, double pointerValue)
{
    const TraceBuffers& buffers = state.buffers;
    if (buffers.traceCount == 0 || column < 0 || column >= buffers.pointCount)
        return std::nullopt;
    const ZoomEntry& zoom = state.currentZoom();
    CursorReadout readout;
    readout.current.resize(rowTraces.size());
    ReadTrace highest;
    ReadTrace lowest;
    double bestDistance = 0;
    for (size_t r = 0; r < rowTraces.size(); ++r) {
        const int32_t t = rowTraces[r];
        if (t < 0 || t >= buffers.traceCount || !state.traceVisible(t))
            continue;
        const size_t ts = static_cast<size_t>(t);
        if (column < buffers.firstIndex[ts] || column > buffers.lastIndex[ts])
            continue;
        const double v = buffers.traceValues[ts][column];
        if (!(zoom.yMin <= v && v <= zoom.yMax))
            continue;
        readout.current[r] = valueWithUnit(currentFormat, v, unitOf(state, t));
        if (highest.trace < 0) {
            highest = lowest = ReadTrace { t, v };
        } else if (v < lowest.value) {
            lowest = ReadTrace { t, v };
        } else if (v > highest.value) {
            highest = ReadTrace { t, v };
        }
        const double distance = std::abs(v - pointerValue);
        if (readout.hoverRow < 0 || distance < bestDistance) {
            readout.hoverRow = static_cast<int32_t>(r);
            bestDistance = distance;
        }
    }
    if (highest.trace < 0)
        return readout;
    readout.strip[ReadoutFrequency] = formatNumber(readoutFrequencyFormat(zoom.xMax, state.unitMultiplier),
        buffers.freqGrid[static_cast<size_t>(column)]);
    const std::string highUnit = unitOf(state, highest.trace);
    const std::string lowUnit = unitOf(state, lowest.trace);
    readout.strip[ReadoutMax] = valueWithUnit("Max: %5.4lg", highest.value, highUnit);
    readout.strip[ReadoutMaxName] = measurementName(state, highest.trace);
    readout.strip[ReadoutMin] = valueWithUnit("Min: %5.4lg", lowest.value, lowUnit);
    readout.strip[ReadoutMinName] = measurementName(state, lowest.trace);
    readout.strip[ReadoutDiff] = valueWithUnit(
        "Diff: %5.4lg", highest.value - lowest.value, highUnit == lowUnit ? highUnit : std::string());
    readout.strip[ReadoutAperture] = apertureLabel(state.language, buffers.phase);
    return readout;
}

const char* readoutFrequencyFormat(double xMax, double multiplier)
{
    return stepFormat(xMax / multiplier / 100);
}
