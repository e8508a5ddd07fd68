#pragma once

#include <cstdint>

#include "rubbers2pdata.h"

// Two neighbouring point indexes of a measurement, hi = lo + 1 (both 0 when the measurement
// has fewer than two points or no valid data).
struct Bracket {
    int32_t lo = 0;
    int32_t hi = 0;
};

// The points around frequency x: a first guess from the mean step, corrected downward or
// upward for unevenly spaced measurements. The indexes always lie inside the measurement,
// whatever its frequencies and step hold. Reads only existing points, so it is safe on a
// locked measurement shared by several threads.
Bracket findBracket(RubberS2PData& m, double x);

// The S-parameters of m at frequency f: the end point (with its own frequency) outside the
// measured range, else a parabola through three neighbouring points fitted to each complex
// S-parameter, or a straight line when m has just two points. Returns 1 when out was filled,
// 0 when m has no valid data or fewer than two points (out is then untouched). Reads only
// existing points and adds none.
int interpolateAt(RubberS2PData& m, S2PPoint& out, double f);
