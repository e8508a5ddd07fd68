#include "phasetexts.h"

#include <algorithm>
#include <cmath>

#include "labeltext.h"
#include "unitmultiplier.h"

namespace {

bool russian(Language language)
{
    return language == Language::russian;
}

// The Russian noun for a count of points: 1, 21, 31 ... точка; 2 to 4, 22 to 24 ... точки;
// 0, 5 to 20, 25 to 30 ... точек.
const char* russianPoints(int32_t count)
{
    const int32_t lastTwo = count % 100;
    const int32_t last = count % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return "точек";
    if (last == 1)
        return "точка";
    if (last >= 2 && last <= 4)
        return "точки";
    return "точек";
}

// The index of the largest frequency unit in which hertz is at least 1.
int32_t frequencyUnitFor(double hertz)
{
    int32_t k = 0;
    while (k < 3 && hertz >= std::pow(1000.0, k + 1))
        ++k;
    return k;
}

std::string frequencyNumber(double hertz, int32_t unit)
{
    return formatNumber("%.4lg", hertz / std::pow(1000.0, unit));
}

} // namespace

const char* delayUnitName(Language language, int32_t exponent)
{
    static const char* const russianUnits[delayExponentCount] = { "пс", "нс", "мкс", "мс", "с" };
    static const char* const englishUnits[delayExponentCount] = { "ps", "ns", "µs", "ms", "s" };
    int32_t k = 1;
    for (int32_t i = 0; i < delayExponentCount; ++i)
        if (delayExponents[i] == exponent)
            k = i;
    return russian(language) ? russianUnits[k] : englishUnits[k];
}

std::string traceUnitText(const PhaseResults& phase, int32_t kind, Language language)
{
    if (phase.mode != PhaseDelay || kind % 2 != 1)
        return std::string();
    return delayUnitName(language, phase.delayExponent);
}

std::string valueWithUnit(const char* format, double value, const std::string& unit)
{
    std::string text = formatNumber(format, value);
    if (!unit.empty())
        text += ' ' + unit;
    return text;
}

std::string apertureLabel(Language language, const PhaseResults& phase)
{
    if (phase.mode != PhaseDelay)
        return std::string();
    return apertureLabel(language, phase.aperture, phase.apertureLow, phase.apertureHigh);
}

std::string apertureLabel(Language language, int32_t points, double low, double high)
{
    if (!(high > 0) || !std::isfinite(high))
        return std::string();
    if (!(low > 0) || low > high)
        low = high;
    const int32_t unit = frequencyUnitFor(high);
    std::string width = frequencyNumber(high, unit);
    const std::string lowText = frequencyNumber(low, unit);
    if (lowText != width)
        width = lowText + "–" + width;
    width += ' ';
    width += unitName(language, unit);
    const std::string count = std::to_string(points);
    if (russian(language))
        return "апертура " + count + ' ' + russianPoints(points) + ", " + width;
    return "aperture " + count + (points == 1 ? " point, " : " points, ") + width;
}
