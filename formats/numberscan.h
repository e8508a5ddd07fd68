#pragma once

#include <cstddef>

// The characters that may start or continue a number in a data line: digits, signs, the
// point and the exponent letter.
bool isNumberChar(char c);

// Reads one floating-point number the way a "%lg" conversion does, whatever the process
// locale: leading blanks, an optional sign, a decimal or hexadecimal number with optional
// exponent, "inf", "infinity" or "nan". Never reads at or past end. Returns the position just
// past the number, or null when no number starts there (value is then unchanged).
const char* scanNumber(const char* p, const char* end, double& value);

// Reads up to count numbers one after the other, as a pattern of "%lg" items separated by
// blanks does, and stops at the first that cannot be read. Returns how many were read;
// stop, when given, receives the position after the last number read.
int scanNumbers(const char* p, const char* end, double* values, int count, const char** stop = nullptr);
