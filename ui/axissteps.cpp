#include "axissteps.h"

bool spinnerAxisManual(const ZoomEntry& zoom, AxisSpinner spinner)
{
    if (spinner == AxisSpinner::valueMax || spinner == AxisSpinner::valueMin)
        return zoom.autoY == 0;
    return zoom.autoX == 0;
}

namespace {

// One step of an axis end: away from the other end always, towards it only while more than
// two grid steps lie between them.
bool stepAxisEnd(double& end, double otherEnd, double step, bool isMaximum, bool up)
{
    if (up == isMaximum) {
        end += isMaximum ? step : -step;
        return true;
    }
    const bool roomLeft = isMaximum ? end > otherEnd + 2 * step : end < otherEnd - 2 * step;
    if (!roomLeft)
        return false;
    end += isMaximum ? -step : step;
    return true;
}

} // namespace

bool stepAxisSpinner(ZoomEntry& zoom, AxisSpinner spinner, int32_t delta)
{
    if (delta == 0 || !spinnerAxisManual(zoom, spinner))
        return false;
    const bool up = delta < 0;
    switch (spinner) {
    case AxisSpinner::valueMax:
        return stepAxisEnd(zoom.yMax, zoom.yMin, zoom.yStep, true, up);
    case AxisSpinner::valueMin:
        return stepAxisEnd(zoom.yMin, zoom.yMax, zoom.yStep, false, up);
    case AxisSpinner::frequencyMax:
        return stepAxisEnd(zoom.xMax, zoom.xMin, zoom.xStep, true, up);
    case AxisSpinner::frequencyMin:
        return stepAxisEnd(zoom.xMin, zoom.xMax, zoom.xStep, false, up);
    }
    return false;
}

void keepFrequencyRange(ZoomEntry& zoom, double oldMultiplier, double newMultiplier)
{
    const double factor = oldMultiplier / newMultiplier;
    zoom.xMin *= factor;
    zoom.xMax *= factor;
    zoom.xStep *= factor;
}
