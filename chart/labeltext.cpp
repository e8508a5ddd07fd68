#include "labeltext.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "clocalescope.h"

namespace {

// Share of a step below which a tick value counts as zero.
constexpr double zeroTickShare = 1e-6;

} // namespace

std::string formatNumber(const char* format, double value)
{
    const CLocaleScope scope;
    char text[512];
    const int length = std::snprintf(text, sizeof text, format, value);
    if (length < 0)
        return std::string();
    return std::string(
        text, static_cast<size_t>(length) < sizeof text ? static_cast<size_t>(length) : sizeof text - 1);
}

const char* stepFormat(double step)
{
    if (step >= 1)
        return "%lg";
    if (step >= 0.1)
        return "%.1lf";
    if (step >= 0.01)
        return "%.2f";
    return "%.3lf";
}

std::string formatTick(double value, double step)
{
    if (std::abs(value) < std::abs(step) * zeroTickShare)
        value = 0;
    return formatNumber(stepFormat(step), value);
}

std::string formatFineTick(double value, double step)
{
    constexpr int32_t mostDecimals = 15;
    step = std::abs(step);
    if (std::abs(value) < step * zeroTickShare)
        value = 0;
    int32_t decimals = 0;
    double scaled = step;
    while (decimals < mostDecimals && std::abs(scaled - std::round(scaled)) > scaled * 1e-6) {
        ++decimals;
        scaled *= 10;
    }
    const std::string format = "%." + std::to_string(decimals) + "f";
    return formatNumber(format.c_str(), value);
}

double scanNumber(const std::string& text)
{
    const CLocaleScope scope;
    return std::strtod(text.c_str(), nullptr);
}
