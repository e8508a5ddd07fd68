#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace {

// The blanks that "%ld" and "%lg" skip before a number, as in the "C" locale.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The position after the leading blanks.
size_t skipBlanks(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

} // namespace

std::string printLong(int32_t value)
{
    char buffer[16];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, r.ptr);
}

std::string printDouble(double value)
{
    // Fixed precision in the general form is defined to match printf's "%.6g" in the "C" locale.
    char buffer[32];
    const std::to_chars_result r
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, r.ptr);
}

int32_t scanLong(std::string_view text)
{
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a negative number, whose range reaches the 32-bit minimum.
    constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (magnitude < kLimit)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (negative)
        return static_cast<int32_t>(magnitude >= kLimit ? -kLimit : -magnitude);
    return static_cast<int32_t>(magnitude >= kLimit ? kLimit - 1 : magnitude);
}

double scanDouble(std::string_view text)
{
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only a digit or a point may start the number: no second sign, no "inf" or "nan".
    if (i >= text.size() || !(isDigit(text[i]) || text[i] == '.'))
        return 0.0;
    double value = 0.0;
    const char* first = text.data() + i;
    const std::from_chars_result r
        = std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
    if (r.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

std::string printHertz(double value)
{
    char buffer[400];
    const std::to_chars_result r
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : printDouble(value);
}

std::optional<double> scanExactDouble(std::string_view text)
{
    size_t first = skipBlanks(text);
    size_t last = text.size();
    while (last > first && isBlank(text[last - 1]))
        --last;
    if (first < last && text[first] == '+')
        ++first;
    double value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last;
    const std::from_chars_result r = std::from_chars(begin, end, value, std::chars_format::general);
    if (first == last || r.ec != std::errc() || r.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}
