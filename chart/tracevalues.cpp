#include "tracevalues.h"

#include <cmath>
#include <limits>

#include "angles.h"

namespace {

// 10 / ln 10: decibels of a power ratio per unit of its natural logarithm.
constexpr double decibelsPerNeper = 4.3429448190325182765;

const char* const traceNames[tracesPerMeasurement]
    = { "S11M", "S11A", "S21M", "S21A", "S12M", "S12A", "S22M", "S22A" };

} // namespace

const char* traceName(int32_t kind)
{
    if (kind < 0 || kind >= tracesPerMeasurement)
        return "";
    return traceNames[kind];
}

bool kindHeld(int32_t portCount, int32_t kind)
{
    return kind == S11M || kind == S11A || portCount != 1;
}

double decibels(double magnitude)
{
    if (magnitude > 0)
        return 20 * std::log10(magnitude);
    return std::numeric_limits<double>::quiet_NaN();
}

double vswr(double magnitude)
{
    if (magnitude == 1)
        return vswrLimit;
    const double v = (1 + magnitude) / (1 - magnitude);
    return v > vswrLimit ? vswrLimit : v;
}

double phaseDegrees(const Complex& s)
{
    if (s == Complex(0, 0))
        return std::numeric_limits<double>::quiet_NaN();
    const double degrees = degreesOf(std::arg(s));
    // A negative zero imaginary part puts the negative real axis at -180.
    return degrees == -180 ? 180 : degrees;
}

SParameters sParametersOf(const S2PPoint& point)
{
    const ComplexMatrix& s = point.sParams;
    return SParameters { s(0, 0), s(1, 0), s(0, 1), s(1, 1) };
}

double decibelsOf(const Complex& s)
{
    // |s|^2 spares the square root, and the natural logarithm is several times quicker than
    // the decimal one; where |s|^2 would underflow or overflow, |s| itself is used.
    const double power = std::norm(s);
    if (std::isnormal(power) && power <= std::numeric_limits<double>::max())
        return decibelsPerNeper * std::log(power);
    return decibels(std::abs(s));
}

const Complex& sParameterOf(const S2PPoint& point, int32_t kind)
{
    // S11, S21, S12, S22 as matrix elements (row, column).
    static constexpr int32_t rows[4] = { 0, 1, 0, 1 };
    static constexpr int32_t columns[4] = { 0, 0, 1, 1 };
    const int32_t k = kind / 2 & 3;
    return point.sParams(rows[k], columns[k]);
}

double traceValueOf(const Complex& s, int32_t kind, int32_t dbMode)
{
    if (kind % 2 == 1)
        return phaseDegrees(s);
    const bool reflection = kind == S11M || kind == S22M;
    if (reflection && dbMode != 1)
        return vswr(std::abs(s));
    return decibelsOf(s);
}

double traceValue(const SParameters& s, int32_t kind, int32_t dbMode)
{
    return traceValueOf(s[static_cast<size_t>(kind / 2 & 3)], kind, dbMode);
}

PointValues pointValues(const S2PPoint& point, int32_t dbMode)
{
    const SParameters s = sParametersOf(point);
    PointValues values;
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        values[static_cast<size_t>(k)] = traceValue(s, k, dbMode);
    return values;
}

double wrapPhase(double degrees)
{
    if (!std::isfinite(degrees))
        return degrees;
    // Differences of two phases need one turn at most; far larger values are first brought
    // within a turn so that the loops stay short.
    if (std::abs(degrees) >= 720)
        degrees = std::fmod(degrees, 360);
    while (degrees < -180)
        degrees += 360;
    while (degrees > 180)
        degrees -= 360;
    return degrees;
}
