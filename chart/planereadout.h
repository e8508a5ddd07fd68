#pragma once

#include <QPointF>

#include <optional>
#include <string>
#include <vector>

#include "chartkind.h"
#include "complexmatrix.h"
#include "cursorreadout.h"
#include "gammamapping.h"
#include "locus.h"

struct ChartState;

// A measured point of a locus: the locus's place in the list and the point's in the locus.
struct LocusPoint {
    int32_t locus = -1;
    int32_t index = -1;
};

// The drawn point nearest pixel (x, y) in screen distance, of any locus: points outside the
// plot or without a finite value are not drawn and not found; a tie takes the earlier point.
std::optional<LocusPoint> nearestLocusPoint(
    const std::vector<Locus>& loci, const GammaMapping& mapping, double x, double y);

// The angle of s in degrees, in (-180, 180]; 0 for an exact zero.
double angleDegrees(const Complex& s);

// The impedance of reflection gamma for the grid's reference impedance, Z0 (1 + G) / (1 - G)
// ohms; none for G = 1, the open circuit, or where it is not finite.
std::optional<Complex> impedanceOhms(const Complex& gamma);

// The "Current" text of an S-parameter: "|S| dB ∠ angle°" ("-9.54 dB ∠ 180.0°"); empty when
// |S| has no dB value.
std::string parameterText(const Complex& s);

// The readout strip's texts at point index of a locus, frequencies in the displayed unit of
// multiplier in frequencyFormat: the frequency; for a reflection "Γ = 0.333 ∠ 180.0°",
// "Z = 25.0 − j0.0 Ω", "VSWR 2.00" and "RL 9.54 dB" (each empty where it has no value); for a
// transmission on a polar chart its dB and angle, on a Smith chart "S21 = 0.707 ∠ -90.0°".
// The last column stays empty.
std::array<std::string, readoutColumnCount> planeStripTexts(
    const Locus& locus, int32_t index, ChartKind kind, const char* frequencyFormat, double multiplier);

// What the pointer shows over a Smith or polar chart.
struct PlaneCursor {
    // The strip at the nearest point; per file list row, its S-parameter at the measured point
    // of its own measurement nearest that frequency; the row of the nearest point's locus.
    CursorReadout readout;
    QPointF marker; // the nearest point in frame pixels
};

// The readout with the pointer at pixel (x, y) for the file list rows whose traces are
// rowTraces, top to bottom. None when the last drawing has no point in view.
std::optional<PlaneCursor> planeCursorReadout(
    ChartState& state, const std::vector<int32_t>& rowTraces, int32_t x, int32_t y);
