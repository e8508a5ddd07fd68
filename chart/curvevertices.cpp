#include "curvevertices.h"

#include <algorithm>
#include <cmath>

#include "curvesmoothing.h"
#include "linefit.h"
#include "roundhalfaway.h"

void curveVertices(const double* freqGrid, const double* values, int32_t start, int32_t end, bool smoothing,
    const CurveScale& scale, std::vector<QPoint>& vertices)
{
    vertices.clear();
    if (end - start < 2)
        return;

    LineFit fit(std::clamp(end - start + 1, minFitSamples, maxFitSamples));
    double tolerance = 0;
    double px = 0;
    double py = 0;
    const double jumpPixels = jumpValueUnits * scale.yScale;

    for (int32_t i = start; i <= end; ++i) {
        const double v = values[i];
        if (!std::isfinite(v))
            continue;
        const double x = (freqGrid[i] - scale.f0) * scale.xScale + scale.left;
        const double y = scale.bottom - (v - scale.yMin) * scale.yScale;

        if (smoothing)
            fit.push(x, y);
        if (vertices.empty()) {
            vertices.emplace_back(roundToPixel(x), roundToPixel(y));
        } else if (!smoothing) {
            appendSpaced(vertices, roundToPixel(x), roundToPixel(y));
        } else {
            const double newestDistance = std::abs(fit.fitAt(x) - y);
            const double c0 = fit.c0;
            const double c1 = fit.c1;
            const double deviation = std::abs(c0 + c1 * px - py);
            const double gap = std::max(x - px, 1.0);
            const bool jump
                = (deviation > jumpPixels || deviation > jumpSlope * gap) && deviation > jumpMinimumPixels;
            // The spread is at least the newest sample's distance, so a bend that distance shows
            // needs no look at the older samples.
            const bool judged = fit.sampleCount >= minFitSamples;
            bool bend = !jump && judged && newestDistance > tolerance;
            if (!jump && !bend) {
                const double spread = fit.spread(newestDistance);
                bend = judged && spread > tolerance;
                if (!bend)
                    tolerance = spread;
            }
            if (jump || bend) {
                appendSpaced(vertices, roundToPixel(px), roundToPixel(jump ? py : c0 + c1 * px));
                fit.restart();
                fit.push(px, py);
                fit.push(x, y);
            }
            tolerance = std::max(tolerance, minimumTolerance);
        }
        px = x;
        py = y;
    }
    if (smoothing && !vertices.empty())
        vertices.emplace_back(roundToPixel(px), roundToPixel(py));
}
