#pragma once

#include <QObject>

#include "axissteps.h"
#include "charthost.h"
#include "chartkind.h"

class FileListController;
class WindowPanes;
struct ChartState;
struct SettingsRecord;

// The control strip over the chart state: the trace boxes, Auto Y and Auto X, dB or VSWR, the
// frequency unit and the reference into the state and back, the axis edit boxes with their
// spinners and Apply, and the chart redrawn for the view in force. It serves the recomputation
// as its host.
class ViewControls : public QObject, public ChartHost {
    Q_OBJECT
public:
    ViewControls(ChartState& state, SettingsRecord& settings, WindowPanes& panes, FileListController& list);

    // Recomputes and shows the chart for the view in force.
    void redrawChart();
    // The strip's controls into the state, and back.
    void readControls();
    void writeControls();
    // The view in force into the axis edit boxes; the boxes into it when they are valid.
    void writeAxisEdits();
    bool readAxisEdits();
    // The axis edit boxes enabled where their axis is not automatic.
    void updateAxisEnables();
    // The reference box's entries: none, then every measurement's name.
    void fillReferenceCombo();
    // View / Smoothing.
    void toggleSmoothing();
    // View / Frequency chart, Smith chart, Polar chart; View / Admittance grid.
    void setChartKind(ChartKind kind);
    void toggleAdmittanceGrid();
    // View / Phase, Unwrapped phase, Group delay (0, 1, 2) and the group delay aperture in
    // points: into the state and the settings, and the chart redrawn.
    void setPhaseMode(int32_t phaseMode);
    void setDelayAperture(int32_t points);

    // ChartHost
    bool readAxisEdits(ZoomEntry& zoom, double unitMultiplier) override;
    void writeAxisEdits(const ZoomEntry& zoom, double unitMultiplier) override;
    void fillStatistics(const ChartState& chartState) override;
    void setChartFrameVisible(bool visible) override;
    void readViewControls(ChartState& chartState) override;
    void writeViewControls(ChartState& chartState) override;
    void reportMemory(bool ranOut) override;

signals:
    // After every recomputation: whether it ran out of memory and kept the last chart.
    void memoryReported(bool ranOut);

signals:
    // The chart was recomputed and shown for the view in force.
    void chartRedrawn();

private:
    void onApply();
    void onAutoAxis();
    void onUnitChanged();
    void onMagnitudeMode();
    void onTraceBox();
    void onReferenceChanged();
    void onSpinner(AxisSpinner spinner, int delta);

    ChartState& state;
    SettingsRecord& settings;
    WindowPanes& panes;
    FileListController& list;
    bool redrawing = false; // a recomputation is running
};
