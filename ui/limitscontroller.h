#pragma once

#include <QObject>

#include "limitscheck.h"
#include "windowservices.h"

class WindowPanes;
class QWidget;
struct ChartState;
struct SettingsRecord;

// The limit mask of the window: File > Open limits and Close limits, the path kept in the
// settings and opened again at start, and the verdicts of the last redraw in the file list's
// Limits column (per trace row, and after each measurement's name in its group header) and
// as the pass count in the readout strip. A refused file leaves the mask in force as it was.
class LimitsController : public QObject {
    Q_OBJECT
public:
    LimitsController(ChartState& state, SettingsRecord& settings, const WindowServices& services,
        WindowPanes& panes, QWidget* dialogParent);

    // The open dialog; a file that is read whole becomes the mask in force.
    void openLimits();
    void closeLimits();
    // The stored limits file, at start; one that cannot be read is kept in the settings, and
    // no mask is in force.
    void openStored();
    // Checks the measurements against the mask and shows the verdicts in the window's
    // language; with no mask, the list and strip as they are without one.
    void showVerdicts();

signals:
    // The mask in force changed.
    void chartChanged();

private:
    ChartState& state;
    SettingsRecord& settings;
    const WindowServices& services;
    WindowPanes& panes;
    QWidget* dialogParent;
};
