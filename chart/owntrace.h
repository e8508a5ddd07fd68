#pragma once

#include <cstdint>
#include <vector>

#include "phasetraces.h"
#include "rubbers2pdata.h"

// How a trace's values are plotted: dB or VSWR, the phase mode with its delay aperture, and
// the displayed units per second of group delay.
struct TraceView {
    int32_t dbMode = 1;
    int32_t phaseMode = PhaseWrapped;
    int32_t aperture = defaultDelayAperture;
    double delayScale = 1;
};

// The plotted values of one trace of a measurement at the measurement's own points: what
// markers read and searches scan, independent of the chart's grid.
struct OwnTrace {
    std::vector<double> freq; // hertz, in measured order
    std::vector<double> value; // not a number where the trace has no value
    bool ascending = false; // freq strictly ascending
    bool wrapped = false; // values are phases wrapped into [-180, 180]

    // The value at f on the straight line between the two own points around it (the point's
    // own value at a point); not a number outside the measured range or where either point has
    // none. Wrapped phases go the short way round between the two points and stay wrapped, so
    // that a value near the jump from 180 to -180 reads near it, not near 0. Points that are
    // not strictly ascending give the first pair that brackets f.
    double valueAt(double f) const;
};

// Trace kind k of m at m's own points as the chart plots it in the view: magnitudes in dB
// (VSWR for S11 and S22 when dbMode is 0), phases wrapped, unwrapped or as group delay times
// view.delayScale. With a reference, each value less the reference's own trace at that
// frequency (valueAt; none outside the reference's range), wrapped phases brought back into
// [-180, 180]. Reads only existing points, so it is safe on locked measurements.
void ownTrace(RubberS2PData& m, RubberS2PData* reference, int32_t kind, const TraceView& view, OwnTrace& out);

// Trace kind k of m as ownTrace gives it without a reference, its values taken from kept: the
// values at m's own points that makeOwnValues gives in the view's form, kept between redraws.
void keptTrace(RubberS2PData& m, const double* kept, int32_t kind, const TraceView& view, OwnTrace& out);
