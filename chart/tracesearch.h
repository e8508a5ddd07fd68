#pragma once

#include <optional>

#include "owntrace.h"

// Where a trace peaks and dips, and its bandwidth at a level below the peak.
struct TraceSearch {
    bool found = false; // the trace has a value in the range searched
    double maxFreq = 0; // hertz
    double maxValue = 0;
    double minFreq = 0;
    double minValue = 0;
    // The frequencies on either side of the maximum where the trace falls to the level;
    // none where it never does inside the range.
    std::optional<double> lowerEdge;
    std::optional<double> upperEdge;

    bool bandwidthFound() const { return lowerEdge.has_value() && upperEdge.has_value(); }
    // The geometric mean of the edges, their distance and centre / bandwidth; valid while both
    // edges are found.
    double centre() const;
    double bandwidth() const;
    double q() const;
};

// Searches the own points of the trace whose frequencies lie in low..high hertz: the largest
// and the smallest value (the first of equals), then from the maximum outward on each side the
// first point below maximum - drop, the edge lying on the straight line between it and the
// point before it (the last with a value) at exactly that level. Points without a value are
// passed over.
TraceSearch searchTrace(const OwnTrace& trace, double low, double high, double drop);
