#pragma once

#include <cstdint>
#include <string>

#include "language.h"
#include "limitscheck.h"

// The window's text of a verdict: "PASS" or "FAIL", the worst margin in the trace's unit
// with its sign (a true minus sign) and where it is, "FAIL −0.83 dB at 2312 MHz"; for a
// segment without values "FAIL not covered at 2300 MHz"; empty when no segment applies.
// Frequencies in the displayed unit of unitMultiplier, "%.6g", with a decimal point.
std::string verdictText(
    const LimitVerdict& verdict, int32_t dbMode, double unitMultiplier, Language language);

// How many checked measurements pass: "47 of 50 pass"; empty when none is checked.
std::string passCountText(const LimitsVerdicts& verdicts, Language language);
