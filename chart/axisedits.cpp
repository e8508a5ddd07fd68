#include "axisedits.h"

#include <algorithm>
#include <cmath>

#include "labeltext.h"

namespace {

const char* const editFormat = "%lg";

double readEdit(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    return scanNumber(text);
}

} // namespace

AxisEditTexts formatAxisEdits(const ZoomEntry& zoom, double multiplier, ChartKind kind)
{
    AxisEditTexts texts;
    if (kind == ChartKind::frequency) {
        texts.yMax = formatNumber(editFormat, zoom.yMax);
        texts.yMin = formatNumber(editFormat, zoom.yMin);
        texts.yStep = formatNumber(editFormat, zoom.yStep);
    }
    texts.xStep = formatNumber(editFormat, zoom.xStep / multiplier);
    texts.xMax = formatNumber(editFormat, zoom.xMax / multiplier);
    texts.xMin = formatNumber(editFormat, zoom.xMin / multiplier);
    return texts;
}

bool parseAxisEdits(const AxisEditTexts& texts, ZoomEntry& zoom, double multiplier, ChartKind kind)
{
    const bool valueAxis = kind == ChartKind::frequency;
    const double yMax = valueAxis ? readEdit(texts.yMax) : zoom.yMax;
    const double yMin = valueAxis ? readEdit(texts.yMin) : zoom.yMin;
    const double xStep = readEdit(texts.xStep) * multiplier;
    const double yStep = valueAxis ? readEdit(texts.yStep) : zoom.yStep;
    const double xMax = readEdit(texts.xMax) * multiplier;
    const double xMin = readEdit(texts.xMin) * multiplier;

    for (const double v : { yMax, yMin, xStep, yStep, xMax, xMin }) {
        if (!std::isfinite(v))
            return false;
    }
    const bool bothAutomatic = zoom.autoY != 0 && zoom.autoX != 0;
    if (!bothAutomatic && (xMin >= xMax || yMin >= yMax || xStep <= 0 || yStep <= 0))
        return false;

    zoom.yMax = yMax;
    zoom.yMin = yMin;
    zoom.xStep = xStep;
    zoom.yStep = yStep;
    zoom.xMax = xMax;
    zoom.xMin = xMin;
    return true;
}
