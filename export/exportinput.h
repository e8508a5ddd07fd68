#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "language.h"
#include "limitscheck.h"
#include "markertable.h"
#include "tracebuffers.h"
#include "zoomentry.h"

struct ChartState;

// What the spreadsheet export reads, none of it changed: the results of the chart's last
// recomputation as they were plotted, which traces are shown, the view and the unit the
// chart shows them in, the language of the titles and the screen space the spreadsheet's
// window would have.
struct ExportInput {
    ExportInput(const TraceBuffers& traceBuffers, const std::vector<int32_t>& visibility)
        : buffers(traceBuffers)
        , rowVisible(visibility)
    {
    }

    const TraceBuffers& buffers;
    // rowVisible[t] nonzero exports trace t; traces without an entry are not exported.
    const std::vector<int32_t>& rowVisible;
    // displayNames[m]: the display name of measurement m, in its column titles.
    std::vector<std::string> displayNames;
    int32_t dbMode = 1; // 0: S11M and S22M are VSWR values
    ZoomEntry currentZoom; // axis limits and steps, frequencies in hertz
    double unitMultiplier = 1000000.0; // hertz per displayed frequency unit
    Language language = Language::english;
    // The usable screen area of the spreadsheet's window in points; the chart takes 0.9 of it.
    double usableWidth = 0;
    double usableHeight = 0;
    // The verdict of every measurement against the limit mask in force; none without one.
    LimitsVerdicts verdicts;
    // The shown traces at the markers set; empty without markers.
    MarkerTable markers;
};

// The input for the chart state's last recomputation: its buffers, visibility, dB/VSWR mode,
// view in force, frequency unit, measurement names, their verdicts against its limit mask and its marker table.
ExportInput exportInputOf(ChartState& state, Language language, double usableWidth, double usableHeight);
