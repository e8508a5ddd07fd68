#pragma once

#include <cstdint>
#include <limits>

// The smallest and largest of the values taken so far; both 0 until one is taken.
struct ValueSpan {
    double low = 0;
    double high = 0;
    bool found = false;
    int32_t count = 0; // how many values were taken

    void take(double v)
    {
        ++count;
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

    // Takes the values of another span.
    void join(const ValueSpan& other)
    {
        if (!other.found)
            return;
        const int32_t taken = count + other.count;
        take(other.low);
        take(other.high);
        count = taken;
    }
};

// The span of values[first..last] that lie within from..to (NaN never does). A plain minimum
// and maximum, so that the loop vectorises: the chart scans every value of every shown trace
// with it on each redraw.
inline ValueSpan spanWithin(const double* values, int32_t first, int32_t last, double from, double to)
{
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    int32_t count = 0;
#pragma omp simd reduction(min : low) reduction(max : high) reduction(+ : count)
    for (int32_t i = first; i <= last; ++i) {
        const double v = values[i];
        const bool within = from <= v && v <= to;
        low = within && v < low ? v : low;
        high = within && v > high ? v : high;
        count += within ? 1 : 0;
    }
    ValueSpan span;
    span.count = count;
    if (count > 0) {
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
