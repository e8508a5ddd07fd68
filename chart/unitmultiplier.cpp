#include "unitmultiplier.h"

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
