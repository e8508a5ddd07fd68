#include "markerset.h"

#include <cmath>
#include <limits>

MarkerSet::MarkerSet()
{
    clear();
}

bool MarkerSet::usable(double value)
{
    return std::isfinite(value) && value >= 0;
}

int32_t MarkerSet::add(double value)
{
    if (!usable(value))
        return 0;
    for (int32_t n = 1; n <= markerSlots; ++n) {
        if (!has(n)) {
            hertz[static_cast<size_t>(n - 1)] = value;
            return n;
        }
    }
    return 0;
}

bool MarkerSet::move(int32_t number, double value)
{
    if (!has(number) || !usable(value))
        return false;
    hertz[static_cast<size_t>(number - 1)] = value;
    return true;
}

void MarkerSet::remove(int32_t number)
{
    if (!has(number))
        return;
    hertz[static_cast<size_t>(number - 1)] = std::numeric_limits<double>::quiet_NaN();
    if (reference == number)
        reference = 0;
}

void MarkerSet::clear()
{
    hertz.fill(std::numeric_limits<double>::quiet_NaN());
    reference = 0;
}

bool MarkerSet::has(int32_t number) const
{
    return number >= 1 && number <= markerSlots && std::isfinite(hertz[static_cast<size_t>(number - 1)]);
}

double MarkerSet::frequency(int32_t number) const
{
    return has(number) ? hertz[static_cast<size_t>(number - 1)] : std::numeric_limits<double>::quiet_NaN();
}

std::vector<int32_t> MarkerSet::numbers() const
{
    std::vector<int32_t> set;
    for (int32_t n = 1; n <= markerSlots; ++n)
        if (has(n))
            set.push_back(n);
    return set;
}

void MarkerSet::setDeltaRef(int32_t number)
{
    reference = has(number) ? number : 0;
}

MarkerSet MarkerSet::fromSettings(const SettingsRecord& settings)
{
    MarkerSet set;
    for (int32_t n = 1; n <= markerSlots; ++n) {
        const double value = settings.Markers[static_cast<size_t>(n - 1)];
        if (usable(value))
            set.hertz[static_cast<size_t>(n - 1)] = value;
    }
    set.setDeltaRef(settings.DeltaRef);
    return set;
}

void MarkerSet::intoSettings(SettingsRecord& settings) const
{
    settings.Markers = hertz;
    settings.DeltaRef = reference;
}
