#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "chartkind.h"
#include "chartview.h"
#include "language.h"
#include "limitmask.h"
#include "markerset.h"
#include "markervalues.h"
#include "ownvalues.h"
#include "phasetraces.h"
#include "planestate.h"
#include "rubbers2p.h"
#include "rubberzoomdata.h"
#include "tracebuffers.h"
#include "tracevalues.h"
#include "zoomentry.h"

// Measurements whose traces have a visibility entry from the start; the table grows with the
// measurements loaded.
constexpr int32_t visibilityMeasurements = 2048;

// Everything the chart is computed and drawn from, and its last results: the state that the
// main window and the batch tool hold alike.
struct ChartState {
    ChartState();

    // Makes room in the visibility table for every loaded measurement; the traces of
    // measurements new to it take traceEnabled. The table never shrinks here, so every
    // measurement keeps its flags however many a load makes.
    void ensureRowVisibility();
    // Copies traceEnabled into the visibility of every measurement's traces, the table grown
    // first to hold every loaded measurement.
    void resetRowVisibility();
    // Inverts the visibility of every trace whose kind traceEnabled enables, for every loaded
    // measurement.
    void invertEnabledTraces();
    // A reference whose measurement a load left out means no reference.
    void forgetMissingReference();
    // Whether the measurement of trace t holds the trace's S-parameter: a one-port holds S11
    // alone.
    bool traceHeld(int32_t trace) const;
    // Whether trace t (8 per measurement) is shown: its measurement holds it and it has a
    // visibility entry that is set.
    bool traceVisible(int32_t trace) const;
    // The view in force.
    ZoomEntry& currentZoom() { return zoomList.currentZoom(); }

    RubberS2P measurements; // all loaded measurements, in list order
    ChartView chart;
    RubberZoomData zoomList; // the history of views; its last entry is in force
    TraceBuffers buffers; // results of the last recomputation
    OwnValueCache ownValues; // the shown traces' values at each measurement's own points
    // Trace check boxes in trace order S11M, S11A, S21M, S21A, S12M, S12A, S22M, S22A.
    std::array<int32_t, tracesPerMeasurement> traceEnabled { 0, 0, 1, 0, 0, 0, 0, 0 };
    // rowVisible[8 m + k]: nonzero shows trace k of measurement m.
    std::vector<int32_t> rowVisible;
    int32_t dbMode = 1; // 1: magnitudes in dB; 0: S11 and S22 as VSWR
    int32_t referenceIndex = -1; // measurement the traces are plotted relative to; negative: none
    int32_t smoothing = 0; // nonzero: curves are simplified by a running line fit
    // How the phase traces show the phase (PhaseMode), and the group delay aperture in points.
    int32_t phaseMode = PhaseWrapped;
    int32_t delayAperture = defaultDelayAperture;
    // The language of the texts made from the results: the delay unit on the value axis, in
    // the statistics and in the readout.
    Language language = Language::english;
    // Hertz per displayed frequency unit: 1 (Hz), 1000 (kHz), 1000000 (MHz) or 1000000000 (GHz).
    // Axis labels, edit boxes and the readout show hertz divided by it. MHz until set.
    double unitMultiplier = 1000000;
    ChartKind chartKind = ChartKind::frequency;
    int32_t admittanceGrid = 0; // nonzero: the Smith chart adds the admittance circles
    PlaneState plane; // the Smith or polar chart's views and last loci
    Limits limits; // the limit mask in force; empty: none
    MarkerSet markers;
    MarkerValues markerValues; // the shown traces at the markers, from the last recomputation
};
