#include "labeltext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// The "C" locale, made once for the process; uselocale applies it to the calling thread only.
locale_t classicLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Switches the calling thread to the "C" locale for the lifetime of the object.
class ClassicLocaleScope {
public:
    ClassicLocaleScope()
        : previous(classicLocale() != static_cast<locale_t>(nullptr) ? uselocale(classicLocale())
                                                                     : static_cast<locale_t>(nullptr))
    {
    }
    ClassicLocaleScope(const ClassicLocaleScope&) = delete;
    ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;
    ~ClassicLocaleScope()
    {
        if (previous != static_cast<locale_t>(nullptr))
            uselocale(previous);
    }

private:
    locale_t previous;
};

// Share of a step below which a tick value counts as zero.
constexpr double zeroTickShare = 1e-6;

} // namespace

std::string formatNumber(const char* format, double value)
{
    const ClassicLocaleScope scope;
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

double scanNumber(const std::string& text)
{
    const ClassicLocaleScope scope;
    return std::strtod(text.c_str(), nullptr);
}
