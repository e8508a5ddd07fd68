#include "exporttexts.h"

#include "phasetexts.h"
#include "phasetraces.h"
#include "tracevalues.h"
#include "unitmultiplier.h"

namespace {

bool russian(Language language)
{
    return language == Language::russian;
}

// Trace kind 0..7 of trace t, S11M to S22A.
int32_t traceKindOf(int32_t trace)
{
    return ((trace % tracesPerMeasurement) + tracesPerMeasurement) % tracesPerMeasurement;
}

} // namespace

std::string frequencyTitle(Language language, double multiplier)
{
    const std::string prefix = russian(language) ? "Частота, " : "Frequency, ";
    return prefix + unitName(language, unitIndexOf(multiplier));
}

std::string traceTitle(int32_t trace, const std::string& displayName, const std::string& unit)
{
    std::string title = std::string(traceName(traceKindOf(trace))) + ' ' + displayName;
    if (!unit.empty())
        title += ", " + unit;
    return title;
}

ValueAxisKind valueAxisKind(int32_t trace, int32_t dbMode, int32_t phaseMode)
{
    const int32_t kind = traceKindOf(trace);
    if (kind % 2 == 1)
        return phaseMode == PhaseDelay ? ValueAxisKind::Delay : ValueAxisKind::Degrees;
    if ((kind == S11M || kind == S22M) && dbMode == 0)
        return ValueAxisKind::Vswr;
    return ValueAxisKind::Decibels;
}

const char* valueAxisTitle(Language language, ValueAxisKind kind, int32_t delayExponent)
{
    switch (kind) {
    case ValueAxisKind::Delay:
        return delayUnitName(language, delayExponent);
    case ValueAxisKind::Degrees:
        return russian(language) ? "Град." : "Deg";
    case ValueAxisKind::Vswr:
        return russian(language) ? "КСВН" : "VSWR";
    case ValueAxisKind::Decibels:
        break;
    }
    return russian(language) ? "дБ" : "dB";
}

std::string legendMoreText(Language language, int32_t count)
{
    const std::string n = std::to_string(count);
    return russian(language) ? "... и ещё " + n : "... " + n + " more";
}
