#include "exportaxis.h"

#include <cmath>

double roundToHundredths(double value)
{
    double rounded = value;
    if (value > 0)
        rounded = std::floor(value / 0.01 + 0.5) * 0.01;
    else if (value < 0)
        rounded = -std::floor(0.5 - value / 0.01) * 0.01;
    // Values too large for hundredths are already whole.
    return std::isfinite(rounded) ? rounded : value;
}

ExportAxis exportAxis(double low, double high, double step)
{
    ExportAxis axis;
    if (std::isfinite(low) && std::isfinite(high) && low < high) {
        axis.hasLimits = true;
        axis.minimum = roundToHundredths(low);
        axis.maximum = roundToHundredths(high);
        if (!(axis.minimum < axis.maximum)) {
            axis.minimum = low;
            axis.maximum = high;
        }
    }
    if (std::isfinite(step) && step > 0) {
        axis.hasMajorUnit = true;
        axis.majorUnit = step;
    }
    return axis;
}
