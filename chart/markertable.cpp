#include "markertable.h"

#include "chartstate.h"
#include "labeltext.h"
#include "unitmultiplier.h"

std::vector<int32_t> shownRowTraces(const ChartState& state)
{
    std::vector<int32_t> traces;
    for (int32_t m = 0; m < state.measurements.itemCount; ++m)
        for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
            const int32_t t = tracesPerMeasurement * m + k;
            if (state.traceEnabled[static_cast<size_t>(k)] != 0 && state.traceVisible(t))
                traces.push_back(t);
        }
    return traces;
}

std::string markerTitle(const MarkerSet& markers, int32_t number, double multiplier, Language language)
{
    // Eight digits keep a title short and still tell apart markers 100 Hz apart at 2.4 GHz in MHz.
    const int32_t reference = markers.deltaRef();
    const bool delta = reference != 0 && reference != number;
    const double hertz = delta ? markers.frequency(number) - markers.frequency(reference) : markers.frequency(number);
    return std::string(delta ? "\u0394M" : "M") + std::to_string(number) + " " + formatNumber("%.8lg", hertz / multiplier)
        + " " + unitName(language, unitIndexOf(multiplier));
}

MarkerTable markerTable(const ChartState& state, const std::vector<int32_t>& traces, Language language)
{
    MarkerTable table;
    table.numbers = state.markers.numbers();
    if (table.numbers.empty())
        return table;
    for (const int32_t n : table.numbers)
        table.titles.push_back(markerTitle(state.markers, n, state.unitMultiplier, language));
    table.traces = traces;
    for (const int32_t t : traces) {
        std::vector<double> row;
        for (const int32_t n : table.numbers)
            row.push_back(markerCell(state, t, n));
        table.cells.push_back(std::move(row));
    }
    return table;
}
