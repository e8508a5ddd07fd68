#pragma once

#include <cstdint>
#include <limits>

// The smallest and largest of the values taken so far; both 0 until one is taken.
struct ValueSpan {
    double low = 0;
    double high = 0;
    bool found = false;

    void take(double v)
    {
        if (!found) {
            low = v;
            high = v;
            found = true;
        } else if (v < low) {
            low = v;
        } else if (v > high) {
            high = v;
        }
    }

    // Takes the span of another set of values.
    void join(const ValueSpan& other)
    {
        if (other.found) {
            take(other.low);
            take(other.high);
        }
    }
};

// The span of values[first..last] that lie within from..to (NaN never does). A plain minimum
// and maximum, so that the loop vectorises: the chart scans every value of every shown trace
// with it on each redraw.
inline ValueSpan spanWithin(const double* values, int32_t first, int32_t last, double from, double to)
{
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
#pragma omp simd reduction(min : low) reduction(max : high)
    for (int32_t i = first; i <= last; ++i) {
        const double v = values[i];
        const bool within = from <= v && v <= to;
        low = within && v < low ? v : low;
        high = within && v > high ? v : high;
    }
    ValueSpan span;
    if (low <= high) {
        span.low = low;
        span.high = high;
        span.found = true;
    }
    return span;
}

// The span of the finite values among values[first..end - 1].
inline ValueSpan finiteSpanBefore(const double* values, int32_t first, int32_t end)
{
    return spanWithin(values, first, end - 1, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
}
