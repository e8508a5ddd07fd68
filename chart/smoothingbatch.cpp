#include "smoothingbatch.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "curvesmoothing.h"
#include "roundhalfaway.h"

namespace {

// Sums over a curve's held samples of u = x - base: u, y, u u and u y.
struct FitSums {
    double base = 0;
    double u = 0;
    double y = 0;
    double uu = 0;
    double uy = 0;
};

} // namespace

// Four curves in AVX2 registers, and eight in AVX-512 registers where the processor has them.
namespace fourLanes {
namespace {
#define SMOOTHING_LANES 4
#define SMOOTHING_TARGET "avx2"
#include "smoothinglanes.inc"
#undef SMOOTHING_LANES
#undef SMOOTHING_TARGET
} // namespace
} // namespace fourLanes

namespace eightLanes {
namespace {
#define SMOOTHING_LANES 8
#define SMOOTHING_TARGET "avx512f"
#include "smoothinglanes.inc"
#undef SMOOTHING_LANES
#undef SMOOTHING_TARGET
} // namespace
} // namespace eightLanes

void smoothedVertices(const double* freqGrid, const double* const* values, int32_t curveCount, int32_t start,
    int32_t end, const CurveScale& scale, std::vector<QPoint>* const* vertices, SmoothingUnits units)
{
    static const bool avx512 = __builtin_cpu_supports("avx512f") != 0;
    static const bool avx2 = __builtin_cpu_supports("avx2") != 0;
    const bool eight = avx512 && units == SmoothingUnits::Widest;
    const bool four = avx2 && units != SmoothingUnits::None;
    curveCount = std::clamp(curveCount, 0, smoothingBatchLanes);
    for (int32_t k = 0; k < curveCount; ++k)
        vertices[k]->clear();
    if (end - start < 2 || curveCount == 0)
        return;
    if (eight) {
        eightLanes::smoothTogether(freqGrid, values, curveCount, start, end, scale, vertices);
        return;
    }
    // Four curves at a time where the processor has AVX2 alone, one at a time without it.
    for (int32_t first = 0; four && first < curveCount; first += 4) {
        fourLanes::smoothTogether(
            freqGrid, values + first, std::min(curveCount - first, 4), start, end, scale, vertices + first);
    }
    for (int32_t k = 0; !four && k < curveCount; ++k)
        curveVertices(freqGrid, values[k], start, end, true, scale, *vertices[k]);
}
