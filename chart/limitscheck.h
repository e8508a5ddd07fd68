#pragma once

#include <cstdint>
#include <vector>

#include "limitmask.h"
#include "rubbers2p.h"

// The outcome of checking one trace, or one measurement, against the segments that apply to
// it: the worst of their results. A segment where the measurement has no value to test (it
// lies outside the measured range, or every value there is missing) is "not covered", which
// is worse than any margin.
struct LimitVerdict {
    bool checked = false; // some segment applies
    bool notCovered = false; // the worst segment is not covered
    double margin = 0; // the worst margin where covered
    double freq = 0; // hertz: where the worst margin is, or the start of the uncovered segment
    int32_t kind = -1; // trace kind of the worst segment
    int32_t line = 0; // the worst segment's line in the limits file

    bool pass() const { return checked && !notCovered && margin >= 0; }
    // Takes the other verdict when it is worse; the first of equals stays.
    void take(const LimitVerdict& other);
};

// The verdicts of every trace (8 per measurement, in trace order) and of every measurement.
struct LimitsVerdicts {
    std::vector<LimitVerdict> traces;
    std::vector<LimitVerdict> measurements;
    int32_t checkedCount = 0; // measurements that some segment applies to
    int32_t passCount = 0; // of them, those that pass
};

// Checks every measurement against the limits, on the values the chart plots in dbMode:
// relative to measurement referenceIndex (when it is one of them) as the chart computes them.
// A segment applies to the traces of its kind that a measurement holds (a one-port holds
// S11 alone). For each, every measured point inside [f1, f2] is tested, and also the value on
// the straight line between the two points around f1 and around f2 where those lie strictly
// between two points, so that a violation at a segment's end is never missed. Values a trace
// does not have (the dB value of an exact zero; a relative value outside the reference's
// range) are left out; margins within 1e-9 of zero count as zero. Locks the list while it
// reads.
LimitsVerdicts checkLimits(
    const Limits& limits, RubberS2P& measurements, int32_t dbMode, int32_t referenceIndex);
