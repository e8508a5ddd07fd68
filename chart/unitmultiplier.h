#pragma once

#include <cstdint>

#include "language.h"

// Number of displayed frequency units, Hz to GHz.
constexpr int32_t unitCount = 4;

// Multiplier of unit k (0 Hz .. 3 GHz), exactly 10^(3k); k is clamped to 0..3.
double unitMultiplierOf(int32_t unitIndex);

// Unit index of a multiplier: its decimal exponent rounded half away from zero, divided by 3
// and truncated, clamped to 0..3. A multiplier that is not positive gives 0.
int32_t unitIndexOf(double multiplier);

// Name of displayed frequency unit k (0 Hz .. 3 GHz) in the language; k is clamped to 0..3.
const char* unitName(Language language, int32_t unitIndex);
