#pragma once

#include "rubbers2pdata.h"
#include "tracevalues.h"

// Sampling a measurement at a grid frequency. Both read only existing points, so they are safe
// on a locked measurement shared by several threads; the measurement must have a point.

// The measured point nearest to x; a tie takes the higher one.
const S2PPoint& nearestPoint(RubberS2PData& m, double x);

// The S-parameters of m at f as interpolateAt gives them: the end point outside the measured
// range, the straight line through two points, else the parabola through the three
// neighbouring points that interpolateAt fits. Here the parabola comes from Lagrange weights
// that the four parameters share, which makes it many times cheaper for the same values. A
// measurement without valid data or with a single point gives its nearest point.
SParameters interpolatedSParameters(RubberS2PData& m, double f);

// Samples one measurement at a run of ascending grid frequencies, giving exactly what
// nearestPoint and interpolatedSParameters give, many times faster: on strictly ascending
// frequencies the bracket around x is found by walking on from the previous one instead of a
// search. Ties and measurements whose points are not strictly ascending (or whose summary
// does not match them) take the search itself.
class PointWalk {
public:
    explicit PointWalk(RubberS2PData& measurement);

    const S2PPoint& nearest(double x);
    SParameters interpolated(double f);

private:
    // Moves the walk to the point at or below x (the first point below them all).
    void moveTo(double x);

    RubberS2PData& m;
    bool ascending = false;
    int32_t at = 0;
    const S2PPoint* below = nullptr; // point at
    const S2PPoint* above = nullptr; // point at + 1, or the last point
};
