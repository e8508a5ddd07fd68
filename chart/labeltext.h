#pragma once

#include <string>

// Numbers as the chart and its controls show them, printed and read the same way whatever the
// process locale is: a decimal comma locale changes nothing.

// The value printed with a printf-style format taking one double ("%lg", "%5.4lg", "%.1lf").
std::string formatNumber(const char* format, double value);

// Format of a label on a grid of the given step: "%lg" from 1 up, "%.1lf" from 0.1, "%.2f"
// from 0.01, "%.3lf" below.
const char* stepFormat(double step);

// A grid label: the value in the step's format. A value that differs from zero only by
// rounding noise (under a millionth of the step) prints as 0, never as "-0" or "1e-17".
std::string formatTick(double value, double step);

// A label of a Smith or polar chart's grid, which a deep zoom makes fine: the value with as
// many decimals as tell multiples of the step apart (none for whole steps), rounding noise
// printed as 0 as formatTick does.
std::string formatFineTick(double value, double step);

// The number at the start of the text as the standard string-to-double conversion reads it
// in the "C" locale: leading blanks, sign, digits, point, exponent. Text that does not start
// with a number gives 0.
double scanNumber(const std::string& text);
