#pragma once

#include <string>

#include "exportinput.h"

// The plotted table as the spreadsheet export has it, as text that a spreadsheet pastes into
// cells: the title row (the frequency title, then one title per exported trace), then one row
// per grid point with its frequency and each trace's value, cells separated by tabs and rows
// ended by a line feed. Numbers print with a decimal point whatever the locale, to 15
// significant digits; a value outside the trace's grid range or not finite leaves its cell
// empty. Empty text when nothing has been plotted. While markers are set, the marker table
// follows after an empty line: a title row (an empty cell, then each marker's title), then one
// row per shown trace with its title and its value at each marker.
std::string plottedTableText(const ExportInput& input);
