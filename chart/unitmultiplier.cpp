#include "unitmultiplier.h"

#include <algorithm>
#include <cmath>

#include "roundhalfaway.h"

double unitMultiplierOf(int32_t unitIndex)
{
    static constexpr double multipliers[unitCount] = { 1, 1000, 1000000, 1000000000 };
    if (unitIndex < 0)
        return multipliers[0];
    if (unitIndex >= unitCount)
        return multipliers[unitCount - 1];
    return multipliers[unitIndex];
}

int32_t unitIndexOf(double multiplier)
{
    if (!(multiplier > 0))
        return 0;
    const double k = std::trunc(roundHalfAway(std::log10(multiplier)) / 3);
    if (!(k > 0))
        return 0;
    if (k >= unitCount)
        return unitCount - 1;
    return static_cast<int32_t>(k);
}

const char* unitName(Language language, int32_t unitIndex)
{
    static const char* const russianUnits[unitCount] = { "Гц", "кГц", "МГц", "ГГц" };
    static const char* const englishUnits[unitCount] = { "Hz", "kHz", "MHz", "GHz" };
    const int32_t k = std::clamp<int32_t>(unitIndex, 0, unitCount - 1);
    return language == Language::russian ? russianUnits[k] : englishUnits[k];
}
