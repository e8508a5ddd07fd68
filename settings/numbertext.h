#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The two value forms of the settings file, printed and scanned the same way whatever the
// process locale is: a decimal comma locale changes nothing.

// An integer as "%ld" prints it.
std::string printLong(int32_t value);
// A double as "%lg" prints it: six significant digits, exponent form for large and small
// magnitudes ("1e+06", "0.0001", "1.23457e-05").
std::string printDouble(double value);

// One "%ld" integer from the start of the text: leading blanks, an optional sign, decimal
// digits; whatever follows is ignored. A text that holds no integer gives 0; a number
// beyond the 32-bit range gives the nearest end of the range.
int32_t scanLong(std::string_view text);
// One "%lg" decimal number from the start of the text: leading blanks, an optional sign,
// digits with an optional point and exponent; whatever follows is ignored, so "1,5" gives 1.
// A text that holds no such number, names no finite value (inf, nan) or lies beyond the
// range of a double gives 0.
double scanDouble(std::string_view text);

// A frequency in hertz as the shortest plain decimal that reads back to the same double
// ("2400000000", "2412345678.5"), for values that "%lg" would round to six digits.
std::string printHertz(double value);
// A whole text that is one finite plain decimal number (blanks around it allowed); nothing
// for anything else, so that a bad entry can be told from a zero.
std::optional<double> scanExactDouble(std::string_view text);
