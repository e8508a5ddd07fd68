#pragma once

#include <cstdint>
#include <string>

#include "language.h"
#include "phasetraces.h"

// The texts that name the units and the aperture of the phase traces, in both languages.

// Name of the delay unit of an exponent (-12 ps, -9 ns, -6 us, -3 ms, 0 s); ns for any other.
const char* delayUnitName(Language language, int32_t exponent);

// The unit that the texts of trace kind k's values carry after the last recomputation: the
// delay unit for a phase trace computed as group delay, none (empty) for every other, whose
// units the column and axis titles give.
std::string traceUnitText(const PhaseResults& phase, int32_t kind, Language language);

// A value in a printf format taking one double, followed by a blank and the unit when there
// is one.
std::string valueWithUnit(const char* format, double value, const std::string& unit);

// The aperture of the last recomputation's delay traces: "aperture 5 points, 8 MHz" or
// "апертура 5 точек, 8 МГц", and "8–16 MHz" when the measurements' steps differ; the
// frequency in the largest unit (Hz to GHz) in which the widest aperture is at least 1. Empty
// when no delay was computed.
std::string apertureLabel(Language language, const PhaseResults& phase);
// The same for an aperture of points over the hertz from low to high; empty when high is not
// positive and finite.
std::string apertureLabel(Language language, int32_t points, double low, double high);
