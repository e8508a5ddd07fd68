#pragma once

#include <QObject>

#include <cstdint>

#include "windowservices.h"

class MList;
class QWidget;
struct ChartState;
struct SettingsRecord;

// The file list over the chart state's visibility table: the list rebuilt from the state, its
// check boxes from the table and back, and what its clicks ask for (a trace's colour, the
// traces shown inverted, a trace hidden). Its changes to what is shown ask for a redraw.
class FileListController : public QObject {
    Q_OBJECT
public:
    FileListController(MList& files, ChartState& state, const SettingsRecord& settings,
        ColourChooser chooseColour, QWidget* dialogParent);

    // The list anew from the state, and its check boxes from the visibility table; the
    // list's change reports meanwhile never reach the table.
    void rebuild();
    void applyRowChecks();
    // The trace selection and the rows' check boxes into the visibility table.
    void collectRowChecks();
    // The colour dialog for a palette slot; a new colour changes its swatch and its traces.
    void chooseTraceColour(int32_t slot);
    // Hides the trace of a file list row.
    void hideTraceRow(int32_t row);
    // Inverts the visibility of every trace of an enabled kind, as the first column's header
    // does.
    void invertShownTraces();

    // Nonzero while the list's rows change, when its change reports are ignored.
    int32_t updating() const { return listUpdating; }
    int32_t* updatingFlag() { return &listUpdating; }

signals:
    // What the chart shows changed.
    void chartChanged();
    // The list was rebuilt: its rows are no longer the ones read.
    void rebuilt();

private:
    void onRowCheckChanged();
    void onRowClicked(int32_t row);

    MList& files;
    ChartState& state;
    const SettingsRecord& settings;
    ColourChooser chooseColour;
    QWidget* dialogParent;
    int32_t listUpdating = 0;
};
