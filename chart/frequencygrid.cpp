#include "frequencygrid.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "roundhalfaway.h"

namespace {

// Arrays of one grid point in a recomputation: eight trace values per measurement, the
// grid frequency, the pixel column and the eight reference values.
double bytesPerGridPoint(int32_t measurementCount)
{
    return 8.0 * sizeof(double) * measurementCount + sizeof(double) + sizeof(int32_t) + 8 * sizeof(double);
}

bool finiteRange(double low, double high)
{
    return std::isfinite(low) && std::isfinite(high) && std::isfinite(high - low);
}

// Smallest first and largest last frequency of the measurements that have points.
void dataRange(RubberS2P& measurements, double& low, double& high)
{
    low = 0;
    high = 0;
    bool found = false;
    for (int32_t i = 0; i < measurements.itemCount; ++i) {
        RubberS2PData* m = measurements.measurement(i);
        if (m == nullptr || m->itemCount == 0 || !finiteRange(m->freqFirst, m->freqLast))
            continue;
        if (!found || m->freqFirst < low)
            low = m->freqFirst;
        if (!found || m->freqLast > high)
            high = m->freqLast;
        found = true;
    }
    if (!finiteRange(low, high))
        high = low;
}

// Grid points per pixel column of the plot that a fine measurement's grid may reach.
constexpr double screenStepsPerPixel = 4;

// Whether m has at least two points between low and high, judged by its mean step: its range
// overlaps the view by one step or more.
bool hasTwoPointsIn(const RubberS2PData& m, double low, double high)
{
    if (!(m.freqStep > 0) || !std::isfinite(m.freqStep) || m.itemCount < 2)
        return false;
    return std::min(high, m.freqLast) - std::max(low, m.freqFirst) >= m.freqStep;
}

double widening(double frequency)
{
    return std::max(1.0, std::abs(frequency) * 1e-9);
}

} // namespace

double coarsestMeanStep(RubberS2P& measurements)
{
    double coarsest = 0;
    for (int32_t i = 0; i < measurements.itemCount; ++i) {
        RubberS2PData* m = measurements.measurement(i);
        if (m == nullptr || !std::isfinite(m->freqStep))
            continue;
        if (m->freqStep > coarsest)
            coarsest = m->freqStep;
    }
    return coarsest;
}

bool resolvesSpan(const RubberS2PData& m, double span)
{
    return m.freqStep > 0 && m.freqStep < span / minStepsPerView;
}

double gridStepForView(RubberS2P& measurements, double low, double high, int32_t plotWidth)
{
    const double span = high - low;
    double coarsest = 0;
    double finest = 0;
    for (int32_t i = 0; i < measurements.itemCount; ++i) {
        RubberS2PData* m = measurements.measurement(i);
        if (m == nullptr)
            continue;
        if (resolvesSpan(*m, span) && m->freqStep > coarsest)
            coarsest = m->freqStep;
        if (hasTwoPointsIn(*m, low, high) && (finest == 0 || m->freqStep < finest))
            finest = m->freqStep;
    }
    if (!(coarsest > 0))
        coarsest = coarsestMeanStep(measurements);
    if (!(finest > 0))
        return coarsest;
    const double screen = plotWidth > 0 ? span / (screenStepsPerPixel * plotWidth) : 0;
    return std::min(coarsest, std::max(finest, screen));
}

int32_t gridPointLimit(int32_t measurementCount)
{
    const double fit = std::floor(traceBufferBudget / bytesPerGridPoint(std::max(measurementCount, 0)));
    return static_cast<int32_t>(std::clamp(fit, 2.0, static_cast<double>(maxGridPoints)));
}

int32_t gridPointCount(RubberS2P& measurements, ZoomEntry& zoom, int32_t plotWidth, double& gridStep)
{
    gridStep = 0;
    double low = zoom.xMin;
    double high = zoom.xMax;
    if (!finiteRange(low, high))
        dataRange(measurements, low, high);
    if (high < low)
        std::swap(low, high);

    const double step = gridStepForView(measurements, low, high, plotWidth);
    double count = 2;
    if (step > 0) {
        double first = std::ceil(low / step) * step;
        double last = std::floor(high / step) * step;
        if (!(last > first)) {
            first = std::floor(low / step) * step;
            last = std::ceil(high / step) * step;
        }
        if (!(last > first))
            last = first + step;
        if (finiteRange(first, last) && last > first) {
            low = first;
            high = last;
            count = roundHalfAway((high - low) / step) + 1;
            gridStep = step;
        }
    }
    if (!(high > low)) {
        high = low + widening(low);
        if (!std::isfinite(high)) {
            high = low;
            low = high - widening(high);
        }
    }

    zoom.xMin = low;
    zoom.xMax = high;
    const double limit = gridPointLimit(measurements.itemCount);
    if (!(count < limit))
        return static_cast<int32_t>(limit);
    return static_cast<int32_t>(std::max(count, 2.0));
}

int32_t gridPointCount(RubberS2P& measurements, ZoomEntry& zoom, int32_t plotWidth)
{
    double gridStep = 0;
    return gridPointCount(measurements, zoom, plotWidth, gridStep);
}
