#pragma once

#include <cstdint>
#include <string>

// The A1 name of the cell in column c and row r, both counted from 0: column 0 is A, 25 Z,
// 26 AA, 701 ZZ, 702 AAA; the row number is r + 1. Columns beyond three letters (18278 and
// up) and negative indexes have no name and give an empty text.
std::string cellName(int32_t column, int32_t row);
