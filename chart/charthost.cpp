#include "charthost.h"

#include "chartstate.h"
#include "labeltext.h"
#include "phasetexts.h"
#include "tracevalues.h"

namespace {

const char* const statisticsFormat = "%5.4lg";

} // namespace

StatisticsTexts statisticsTexts(const ChartState& state, int32_t trace)
{
    const TraceBuffers& buffers = state.buffers;
    if (!state.traceVisible(trace) || trace >= buffers.traceCount)
        return StatisticsTexts();
    const double low = buffers.traceMin[static_cast<size_t>(trace)];
    const double high = buffers.traceMax[static_cast<size_t>(trace)];
    const std::string unit = traceUnitText(buffers.phase, trace % tracesPerMeasurement, state.language);
    return StatisticsTexts { valueWithUnit(statisticsFormat, low, unit),
        valueWithUnit(statisticsFormat, high, unit), valueWithUnit(statisticsFormat, high - low, unit) };
}

bool HeadlessChartHost::readAxisEdits(ZoomEntry& zoom, double unitMultiplier)
{
    return parseAxisEdits(axisEdits, zoom, unitMultiplier);
}

void HeadlessChartHost::writeAxisEdits(const ZoomEntry& zoom, double unitMultiplier)
{
    axisEdits = formatAxisEdits(zoom, unitMultiplier);
}

void HeadlessChartHost::fillStatistics(const ChartState& state)
{
    statistics.clear();
    for (int32_t t = 0; t < state.buffers.traceCount; ++t)
        statistics.push_back(statisticsTexts(state, t));
}

void HeadlessChartHost::setChartFrameVisible(bool visible)
{
    frameVisible = visible;
}
