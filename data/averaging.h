#pragma once

#include <string>
#include <vector>

#include "rubbers2p.h"

// Fills out (a new, empty measurement) with the mean two-port of every measurement of the
// list, on the frequencies of the list's first measurement. The mean is taken over the complex
// S-parameters; a measurement without usable data adds zeros but still counts. Leaves out
// empty when the list is empty, and invalid when memory runs out.
void averageMeasurements(RubberS2PData& out, RubberS2P& list);

// A measurement that does not cover the frequencies of the list's first one, on which the
// average is taken: beyond its own range its end values stand in for it.
struct UncoveredRange {
    std::string name; // the measurement's display name
    double freqFirst; // its range, in hertz
    double freqLast;
    bool startsLate; // its first value is repeated below freqFirst
    bool endsEarly; // its last value is repeated above freqLast
};

// The measurements of the list, in list order, whose range leaves out part of the first
// one's; none when every measurement covers it or the first has no points.
std::vector<UncoveredRange> uncoveredRanges(RubberS2P& list);
