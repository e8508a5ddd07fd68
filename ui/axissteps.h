#pragma once

#include <cstdint>

#include "zoomentry.h"

// The four spinners of the axis edit boxes.
enum class AxisSpinner { valueMax, valueMin, frequencyMax, frequencyMin };

// Whether the spinner's axis is manual, the only case in which the spinner steps.
bool spinnerAxisManual(const ZoomEntry& zoom, AxisSpinner spinner);

// One step of a spinner, delta < 0 being its upper arrow and delta > 0 its lower arrow. A step
// that brings the two ends of the axis together only happens while more than two grid steps
// separate them; a step away from the other end always happens. False when nothing changed.
bool stepAxisSpinner(ZoomEntry& zoom, AxisSpinner spinner, int32_t delta);

// Keeps the view's frequency range where it is when the displayed unit changes: the edit texts
// were just read with the new multiplier, so the range and step are scaled by old / new.
void keepFrequencyRange(ZoomEntry& zoom, double oldMultiplier, double newMultiplier);
