#include "touchstonescan.h"

#include <cmath>

#include "angles.h"

int touchstoneViewCount(int ports)
{
    if (ports <= 2)
        return 1;
    if (ports == 3)
        return 4;
    return ports * (ports - 1) / 2;
}

Complex touchstoneValue(double a, double b, TouchstoneFormat dataFormat)
{
    if (dataFormat == FormatRI)
        return Complex(a, b);
    if (dataFormat == FormatDB)
        return std::polar(std::pow(10.0, a / 20.0), radiansOf(b));
    return std::polar(a, radiansOf(b));
}

void storePoint(S2PPoint& point, double rawFreq, TouchstoneFormat dataFormat, double freqMultiplier,
    const double numbers[8])
{
    point.freq = rawFreq * freqMultiplier;
    // Every element is set below, so a 2 x 2 matrix needs no zeroing first.
    if (point.sParams.rowCount != 2 || point.sParams.colCount != 2)
        point.sParams.resize(2, 2);
    for (int32_t e = 0; e < 4; ++e)
        point.sParams(e / 2, e % 2) = touchstoneValue(numbers[2 * e], numbers[2 * e + 1], dataFormat);
}

bool appendViewPoints(RubberS2PData* const* views, int count, S2PPoint** points)
{
    for (int v = 0; v < count; ++v) {
        points[v] = views[v]->point(views[v]->itemCount);
        if (points[v] == nullptr)
            return false;
    }
    return true;
}

LoadResult finishViews(RubberS2PData* const* views, int count, bool outOfMemory)
{
    bool enough = !outOfMemory;
    for (int v = 0; v < count; ++v)
        enough = enough && views[v]->itemCount > 1;
    if (enough) {
        for (int v = 0; v < count; ++v) {
            views[v]->dataValid = 1;
            views[v]->updateFreqSummary();
            views[v]->trimPoints();
        }
        return LoadSuccess;
    }
    bool onePoint = false;
    for (int v = 0; v < count; ++v) {
        onePoint = onePoint || views[v]->itemCount == 1;
        views[v]->releasePoints();
    }
    if (outOfMemory)
        return LoadOutOfMemory;
    return onePoint ? LoadSinglePoint : LoadNoDataLine;
}

LoadResult finishThreePortViews(RubberS2PData* const* views, bool outOfMemory, const std::string& label)
{
    const LoadResult result = finishViews(views, 4, outOfMemory);
    if (result == LoadSuccess && label.empty()) {
        views[3]->releasePoints();
        views[3]->dataValid = 0;
    }
    return result;
}
