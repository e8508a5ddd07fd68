#pragma once

#include <cstdint>
#include <string>

#include "language.h"
#include "unitmultiplier.h"

// The kind of values on the exported chart's value axis, which names its title.
enum class ValueAxisKind : int32_t { Decibels = 0, Degrees = 1, Vswr = 2, Delay = 3 };
constexpr int32_t valueAxisKindCount = 4;

// The title of the frequency column: "Frequency, " or "Частота, " and the name of the unit
// of multiplier (hertz per displayed unit).
std::string frequencyTitle(Language language, double multiplier);

// The title of trace t's column: the trace's name ("S11M" ... "S22A" by t modulo 8), one
// blank and the measurement's display name, then ", " and the unit when one is given (the
// delay unit of a phase trace that shows group delay).
std::string traceTitle(
    int32_t trace, const std::string& displayName, const std::string& unit = std::string());

// The kind of trace t's values: group delay for a phase in the delay mode (PhaseDelay),
// degrees for any other phase, VSWR for the magnitude of S11 or S22 when dbMode is 0,
// decibels otherwise.
ValueAxisKind valueAxisKind(int32_t trace, int32_t dbMode, int32_t phaseMode = 0);

// The value axis title of a kind: "dB", "Deg", "VSWR" or "дБ", "Град.", "КСВН", and for the
// delay the name of its unit of delayExponent ("ns", "нс"; see delayUnitName).
const char* valueAxisTitle(Language language, ValueAxisKind kind, int32_t delayExponent = -9);

// The legend's last line for count traces it does not list: "... N more" or "... и ещё N".
std::string legendMoreText(Language language, int32_t count);
