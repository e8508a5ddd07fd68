#pragma once

#include <string>

#include "chartkind.h"
#include "zoomentry.h"

// The texts of the six axis edit boxes; frequencies in the displayed unit.
struct AxisEditTexts {
    std::string yMax;
    std::string yMin;
    std::string xStep;
    std::string yStep;
    std::string xMax;
    std::string xMin;
};

// The view as the edit boxes show it: every value "%lg", frequencies divided by multiplier
// (hertz per displayed unit). A Smith or polar chart has no value axis: its Y texts are empty,
// and the frequency texts give the view its loci are cut to.
AxisEditTexts formatAxisEdits(const ZoomEntry& zoom, double multiplier, ChartKind kind = ChartKind::frequency);

// Reads the edit texts into the view: a "," counts as the decimal point and text that does
// not start with a number reads as 0; frequencies are multiplied by multiplier. The texts are
// valid when xMin < xMax, yMin < yMax and both steps are positive (checked unless both axes
// of the view are automatic) and every number is finite. Valid texts replace the six values
// and give true; invalid ones change nothing and give false. For a Smith or polar chart the Y
// texts are not read: the value axis keeps what the view holds.
bool parseAxisEdits(
    const AxisEditTexts& texts, ZoomEntry& zoom, double multiplier, ChartKind kind = ChartKind::frequency);
