#pragma once

#include "rubbers2pdata.h"
#include "tracevalues.h"

// Sampling a measurement at a grid frequency. Both read only existing points, so they are safe
// on a locked measurement shared by several threads; the measurement must have a point.

// The measured point nearest to x; a tie takes the higher one.
const S2PPoint& nearestPoint(RubberS2PData& m, double x);

// Point i of m (0 <= i < m.itemCount); on a locked measurement a plain read of its snapshot.
const S2PPoint& measuredPoint(RubberS2PData& m, int32_t i);

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
    // The two measured points around a grid frequency and the share t of the upper one: the
    // straight line between them gives value(lo) + (value(hi) - value(lo)) * t.
    struct Neighbours {
        const S2PPoint* lo;
        const S2PPoint* hi;
        double t;
    };

    // The same by point index, for values kept per own point of the measurement: the line
    // gives value[lo] + (value[hi] - value[lo]) * t.
    struct IndexNeighbours {
        int32_t lo;
        int32_t hi;
        double t;
    };

    explicit PointWalk(RubberS2PData& measurement);

    // Whether the points are strictly ascending and match the measurement's summary.
    bool walksAscending() const { return ascending; }

    const S2PPoint& nearest(double x);
    SParameters interpolated(double f);
    // The points around x, t in [0, 1); at or beyond the measured ends both are the end point
    // and t is 0. Points that are not strictly ascending give the bracket findBracket finds
    // when x lies strictly inside it, else its point nearest gives, alone.
    Neighbours neighbours(double x);
    // The indexes of the points that nearest and neighbours give.
    int32_t nearestIndex(double x);
    IndexNeighbours neighbourIndices(double x);

private:
    // Moves the walk to the point at or below x (the first point below them all).
    void moveTo(double x);

    RubberS2PData& m;
    bool ascending = false;
    int32_t at = 0;
    const S2PPoint* below = nullptr; // point at
    const S2PPoint* above = nullptr; // point at + 1, or the last point
};
