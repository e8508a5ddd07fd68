#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "loadresult.h"
#include "rubbers2p.h"

// Longest field that a CSV row keeps; the rest of a longer field is skipped.
constexpr size_t kMaxCsvFieldLength = 259;

// Cuts the row that starts at position into fields at every ';' and TAB. text holds length
// bytes followed by a NUL; a NUL ends the row, and position is left on it. fields is cleared
// first; each field keeps at most kMaxCsvFieldLength bytes. Returns the number of fields, 0
// only when position is already at or past length.
int splitRow(size_t& position, std::vector<std::string>& fields, const char* text, size_t length);

// Reads a semicolon-separated file of tables held in buffer (length bytes with room for one
// more, changed in place). Every table is a title row, a header row naming the frequency unit
// and the data columns, and data rows of frequency and dB values; each named column becomes
// one measurement appended to list, named "<column> <title>". A malformed table (also a
// frequency that does not increase or is not finite) removes every measurement of the file
// again. A file of more than maxListMeasurements columns in all is refused with
// LoadTooManyMeasurements before the one beyond is made; every other file gives LoadSuccess.
//
// The caller holds loadLock() for the whole call, since the reader appends to and removes from
// the list throughout; readCsv does not take it.
LoadResult readCsv(RubberS2P& list, char* buffer, size_t length, const std::string& path);
