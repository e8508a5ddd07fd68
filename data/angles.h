#pragma once

// Phases are written and shown in degrees and computed in radians. The products are formed in
// this order (angle times 180, then divided by pi, and back) so that every phase keeps its value
// to the last bit.
inline double degreesOf(double radians)
{
    constexpr double pi = 3.141592653589793;
    return radians * 180.0 / pi;
}

inline double radiansOf(double degrees)
{
    constexpr double pi = 3.141592653589793;
    return degrees * pi / 180.0;
}
