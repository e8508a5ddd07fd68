#pragma once

#include <cmath>
#include <cstdint>

// Makes a value integral for pixels, ticks and snapping: halves go away from zero, so 2.5
// gives 3 and -2.5 gives -3. Infinities and NaN pass unchanged.
inline double roundHalfAway(double x)
{
    if (x > 0)
        return std::trunc(x + 0.5);
    if (x < 0)
        return std::trunc(x - 0.5);
    return x;
}

// Pixel coordinates stay within this distance of the origin, far outside any frame, so that
// a point mapped from an extreme value is still a representable drawing coordinate.
constexpr int32_t pixelLimit = 1 << 24;

// roundHalfAway made a pixel coordinate, clamped to +-pixelLimit; NaN gives 0. The clamp comes
// first so that the conversion, which truncates toward zero, finishes the rounding.
inline int32_t roundToPixel(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = x > 0 ? x + 0.5 : x - 0.5;
    if (r > pixelLimit)
        return pixelLimit;
    if (r < -pixelLimit)
        return -pixelLimit;
    return static_cast<int32_t>(r);
}
