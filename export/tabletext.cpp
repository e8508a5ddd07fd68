#include "tabletext.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "exportedtraces.h"
#include "exporttexts.h"
#include "labeltext.h"
#include "phasetexts.h"
#include "tracevalues.h"

namespace {

const char* const cellFormat = "%.15g";

std::string cellText(double value)
{
    return std::isfinite(value) ? formatNumber(cellFormat, value) : std::string();
}

} // namespace

std::string plottedTableText(const ExportInput& input)
{
    const TraceBuffers& buffers = input.buffers;
    const int32_t pointCount = buffers.pointCount;
    if (pointCount <= 0 || buffers.freqGrid.size() < static_cast<size_t>(pointCount))
        return std::string();
    const std::vector<int32_t> traces = exportedTraces(input);
    std::string text = frequencyTitle(input.language, input.unitMultiplier);
    for (const int32_t t : traces)
        text += '\t'
            + traceTitle(t, displayNameOf(input, t),
                traceUnitText(buffers.phase, t % tracesPerMeasurement, input.language));
    text += '\n';
    for (int32_t i = 0; i < pointCount; ++i) {
        text += cellText(buffers.freqGrid[static_cast<size_t>(i)]);
        for (const int32_t t : traces) {
            const size_t k = static_cast<size_t>(t);
            text += '\t';
            if (i >= std::max(buffers.firstIndex[k], 0) && i <= buffers.lastIndex[k])
                text += cellText(buffers.traceValues[k][i]);
        }
        text += '\n';
    }
    const MarkerTable& markers = input.markers;
    if (markers.empty())
        return text;
    text += '\n';
    for (const std::string& title : markers.titles)
        text += '\t' + title;
    text += '\n';
    for (size_t r = 0; r < markers.traces.size(); ++r) {
        const int32_t t = markers.traces[r];
        text += traceTitle(t, displayNameOf(input, t),
            traceUnitText(buffers.phase, t % tracesPerMeasurement, input.language));
        for (const double value : markers.cells[r])
            text += '\t' + cellText(value);
        text += '\n';
    }
    return text;
}
