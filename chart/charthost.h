#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "axisedits.h"
#include "zoomentry.h"

struct ChartState;

// The controls around the chart that a recomputation reads and writes: the axis edit boxes,
// the statistics columns of the file list and the visibility of the chart frame. The main
// window implements it with its widgets; HeadlessChartHost stands in without any.
class ChartHost {
public:
    virtual ~ChartHost() = default;

    // Puts the view typed into the axis edit boxes, frequencies in the displayed unit of
    // unitMultiplier, into zoom when it is valid (see parseAxisEdits); returns false and leaves
    // zoom as it is otherwise.
    virtual bool readAxisEdits(ZoomEntry& zoom, double unitMultiplier) = 0;
    // Shows zoom in the axis edit boxes, frequencies in the displayed unit of unitMultiplier.
    virtual void writeAxisEdits(const ZoomEntry& zoom, double unitMultiplier) = 0;
    // Writes the Min, Max and Flatness columns of every file list row from state.buffers
    // (see statisticsTexts).
    virtual void fillStatistics(const ChartState& state) = 0;
    // Shows or hides the chart frame.
    virtual void setChartFrameVisible(bool visible) = 0;
    // Before the mouse changes the view: the check boxes, radio buttons and combo boxes that
    // select traces, axes, unit and reference go into state. Nothing without controls.
    virtual void readViewControls(ChartState& /*state*/) { }
    // After the mouse changed the view: the controls show its automatic flags and enable the
    // axis boxes to match. Nothing without controls.
    virtual void writeViewControls(ChartState& /*state*/) { }
    // After every recomputation that got as far as the measurements: whether it ran out of
    // memory, in which case the last chart image stays. Nothing without controls.
    virtual void reportMemory(bool /*ranOut*/) { }
};

// The Min, Max and Flatness texts of one trace, "%5.4lg" each, followed by the delay unit for
// a phase trace computed as group delay.
struct StatisticsTexts {
    std::string min;
    std::string max;
    std::string flatness;
};

// The statistics columns of trace t's row: its smallest and largest value inside the value
// axis and their difference, or three empty texts when the trace is hidden or has no results.
StatisticsTexts statisticsTexts(const ChartState& state, int32_t trace);

// A host without controls: the axis edit boxes are texts held here (empty until written, so
// that reading them fails and the view stays), the statistics are kept for every trace and the
// frame's visibility is a flag.
class HeadlessChartHost final : public ChartHost {
public:
    bool readAxisEdits(ZoomEntry& zoom, double unitMultiplier) override;
    void writeAxisEdits(const ZoomEntry& zoom, double unitMultiplier) override;
    void fillStatistics(const ChartState& state) override;
    void setChartFrameVisible(bool visible) override;

    AxisEditTexts axisEdits;
    std::vector<StatisticsTexts> statistics; // one per trace of the last recomputation
    bool frameVisible = true;
};
