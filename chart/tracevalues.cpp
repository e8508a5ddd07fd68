#include "tracevalues.h"

#include <cmath>

namespace {

constexpr double pi = 3.141592653589793;

const char* const traceNames[tracesPerMeasurement]
    = { "S11M", "S11A", "S21M", "S21A", "S12M", "S12A", "S22M", "S22A" };

double reflectionMagnitude(double magnitude, int32_t dbMode)
{
    return dbMode == 1 ? decibels(magnitude) : vswr(magnitude);
}

} // namespace

const char* traceName(int32_t kind)
{
    if (kind < 0 || kind >= tracesPerMeasurement)
        return "";
    return traceNames[kind];
}

double decibels(double magnitude)
{
    if (magnitude > 0)
        return 20 * std::log10(magnitude);
    return 0;
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
    const double degrees = std::arg(s) * 180 / pi;
    // A negative zero imaginary part puts the negative real axis at -180.
    return degrees == -180 ? 180 : degrees;
}

PointValues pointValues(const S2PPoint& point, int32_t dbMode)
{
    const ComplexMatrix& s = point.sParams;
    const Complex& s11 = s(0, 0);
    const Complex& s21 = s(1, 0);
    const Complex& s12 = s(0, 1);
    const Complex& s22 = s(1, 1);
    return PointValues { reflectionMagnitude(std::abs(s11), dbMode), phaseDegrees(s11),
        decibels(std::abs(s21)), phaseDegrees(s21), decibels(std::abs(s12)), phaseDegrees(s12),
        reflectionMagnitude(std::abs(s22), dbMode), phaseDegrees(s22) };
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
