// Any bytes as a limits file. A text that is taken gives segments a check can use: a known
// trace and side, finite numbers, F1 below F2 or a spot check, and a line number within the
// text; a text that is refused names a line within it and a reason, and leaves the limits in
// force as they were.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "limitmask.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int32_t lines = static_cast<int32_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    Limits limits;
    limits.segments.push_back(LimitSegment { 2, LimitSide::lower, 1, -3, 2, -3, 1 });
    const Limits before = limits;
    LimitsError error;
    if (!parseLimits(text, limits, error)) {
        if (error.reason.empty() || error.line < 0 || error.line > lines
            || limits.segments.size() != before.segments.size()
            || limits.segments[0].f2 != before.segments[0].f2)
            std::abort();
        return 0;
    }
    if (limits.empty())
        std::abort();
    for (const LimitSegment& s : limits.segments) {
        const bool finite
            = std::isfinite(s.f1) && std::isfinite(s.f2) && std::isfinite(s.v1) && std::isfinite(s.v2);
        const bool known
            = s.kind >= 0 && s.kind < 8 && (s.side == LimitSide::upper || s.side == LimitSide::lower);
        if (!finite || !known || !(s.f1 <= s.f2) || s.line < 1 || s.line > lines)
            std::abort();
    }
    return 0;
}
