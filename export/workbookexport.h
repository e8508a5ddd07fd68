#pragma once

#include <cstdint>
#include <string>

#include "exportinput.h"

// Most data columns the exported chart plots; later columns are written but not charted.
constexpr int32_t maximumChartedTraces = 254;

// Writes the plotted traces into a new workbook at path: on its first worksheet an XY chart
// of smoothed lines with markers at the top-left corner, and below it, from the header row
// on, the frequency column and one column per shown trace, each value on the row of its grid
// frequency. Nothing is recomputed: the values are those of the last recomputation. With no
// trace shown the worksheet holds the frequency column alone and no chart.
//
// The workbook is written through SaveFile: at path whole or not at all, through a symbolic
// link, straight into a device, a FIFO or standard output ("-"). Returns false, with a
// sentence for the user in error, when there is nothing to export (no recomputation has
// filled the buffers), when the table does not fit a worksheet or when the file cannot be
// written ("PATH: not writable: REASON"); path is then untouched.
bool exportToWorkbook(const ExportInput& input, const std::string& path, std::string& error);
