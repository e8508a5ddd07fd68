#pragma once

#include <QRect>

#include <optional>

#include "settingsrecord.h"

struct ChartState;

// What the settings file keeps of the chart: the frequency unit, the view in force, the
// magnitude mode, smoothing, the phase mode with the group delay aperture, the trace check boxes,
// the chart kind, the admittance grid and the markers. Frequencies are stored in the unit, hertz held in the
// state.

// The frequency unit the settings name: always one of the four, a stored multiplier in between
// counting as its unit.
double storedUnitMultiplier(const SettingsRecord& settings);

// The chart's state at start-up: the stored unit (see storedUnitMultiplier), the trace
// selection, a first view of 0 to 100 units by 10 and 0 to 100 by 10, and above it the stored
// view when the value axis was manual and the view can be drawn; dB or VSWR, smoothing, and the
// phase mode and delay aperture (each its default when the stored value means none).
void chartStateFromSettings(const SettingsRecord& settings, ChartState& state);

// The settings written on closing: the unit, the view in force, the magnitude mode, the phase
// mode, the delay aperture and the trace selection from the state, and the window's rectangle when it lay
// normally (neither minimised nor maximised; none keeps the stored one).
void chartStateIntoSettings(
    ChartState& state, const std::optional<QRect>& normalGeometry, SettingsRecord& settings);
