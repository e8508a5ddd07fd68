#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "language.h"
#include "markerset.h"

struct ChartState;

// The marker table: one row per shown trace, one column per marker set, each cell the trace's
// value at the marker (markerCell: a difference to the delta reference's while there is one).
struct MarkerTable {
    std::vector<int32_t> numbers; // the markers of the columns, ascending
    std::vector<std::string> titles; // markerTitle of each column
    std::vector<int32_t> traces; // the traces of the rows, in list order
    std::vector<std::vector<double>> cells; // cells[row][column]; not a number where empty

    bool empty() const { return numbers.empty(); }
};

// The traces of the file list rows that are shown: every visible trace of an enabled kind,
// measurement by measurement.
std::vector<int32_t> shownRowTraces(const ChartState& state);

// The title of marker n's column in the unit of multiplier (hertz per displayed unit):
// "M1 2400 MHz"; while another marker k is the delta reference "ΔM2 100 MHz", the difference
// of the frequencies f(n) - f(k).
std::string markerTitle(const MarkerSet& markers, int32_t number, double multiplier, Language language);

// The table of the state's markers over the rows of the traces given; no columns without
// markers.
MarkerTable markerTable(const ChartState& state, const std::vector<int32_t>& traces, Language language);
