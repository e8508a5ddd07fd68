#pragma once

#include <QObject>

#include <cstdint>

#include "markersearch.h"

class WindowPanes;
class QWidget;
struct ChartState;
struct SettingsRecord;

// The markers of the window: placed by the mouse, the context menu's searches and View >
// Markers, shown as one file list column per marker after the value and limits columns, and
// the outcome of the last search in the readout strip. Every change of the markers asks for a
// redraw, whose recomputation reads the traces at them.
class MarkersController : public QObject {
    Q_OBJECT
public:
    MarkersController(ChartState& state, const SettingsRecord& settings, WindowPanes& panes, QWidget* dialogParent);

    // A marker at the frequency; nothing while all sixteen are set.
    void addMarker(double hertz);
    // Searches the trace of a file list row and places markers where it found its answer.
    void searchRow(int32_t row, SearchKind kind);
    // View > Markers, its searches on the marked row (or the current one).
    void openDialog();
    // The marker columns of the file list from the last recomputation, titled in the view's
    // unit and the window's language.
    void showValues();
    // The file list was rebuilt: the last search's trace may be gone.
    void forgetSearch();
    // The level of the bandwidth search, kept while the window lives.
    const double* bandwidthDrop() const { return &drop; }

signals:
    // The markers changed.
    void chartChanged();

private:
    // Searches trace t into markers; the outcome's text, named after the trace.
    QString search(int32_t trace, SearchKind kind, double level, MarkerSet& markers);
    int32_t markedRow() const;

    ChartState& state;
    const SettingsRecord& settings;
    WindowPanes& panes;
    QWidget* dialogParent;
    double drop = defaultBandwidthDrop;
};
