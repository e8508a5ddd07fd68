#pragma once

#include <cstdint>
#include <string>

#include "language.h"
#include "unitmultiplier.h"

// The kind of values on the exported chart's value axis, which names its title.
enum class ValueAxisKind : int32_t { Decibels = 0, Degrees = 1, Vswr = 2 };

// The title of the frequency column: "Frequency, " or "Частота, " and the name of the unit
// of multiplier (hertz per displayed unit).
std::string frequencyTitle(Language language, double multiplier);

// The title of trace t's column: the trace's name ("S11M" ... "S22A" by t modulo 8), one
// blank and the measurement's display name.
std::string traceTitle(int32_t trace, const std::string& displayName);

// The kind of trace t's values: degrees for a phase, VSWR for the magnitude of S11 or S22
// when dbMode is 0, decibels otherwise.
ValueAxisKind valueAxisKind(int32_t trace, int32_t dbMode);

// The value axis title of a kind: "dB", "Deg", "VSWR" or "дБ", "Град.", "КСВН".
const char* valueAxisTitle(Language language, ValueAxisKind kind);

// The legend's last line for count traces it does not list: "... N more" or "... и ещё N".
std::string legendMoreText(Language language, int32_t count);
