#pragma once

#include <cstdint>
#include <vector>

#include "chartkind.h"
#include "language.h"

class QAction;
class QMenu;
class QMenuBar;
struct UiTexts;

// The commands of the menu bar, numbered as the window's commands are.
enum class MenuCommand : int32_t {
    open = 1024,
    close = 1023,
    reread = 32806,
    openLimits = 32850,
    closeLimits = 32851,
    exportWorkbook = 32775,
    averagedS2P = 32797,
    saveImage = 32830,
    copyImage = 32831,
    copyTable = 32832,
    exit = 2,
    normal = 32782,
    largeGraph = 32781,
    topmost = 32800,
    smoothing = 32803,
    frequencyChart = 32840,
    smithChart = 32841,
    polarChart = 32842,
    admittanceGrid = 32843,
    wrappedPhase = 32860,
    unwrappedPhase = 32861,
    groupDelay = 32862,
    delayAperture = 32863,
    markers = 32870,
    russian = 32810,
    english = 32811,
    about = 16,
};

// The main window's menu bar: File (Open, Close, Re-read; Open limits, Close limits; Export into MS Excel,
// Averaged S2P, Save chart image; Copy chart image, Copy table; Exit), View (Normal, Large graph; Always on
// top; Smoothing; Frequency chart, Smith chart, Polar chart, Admittance grid; Phase, Unwrapped phase, Group
// delay, Group delay aperture...; Markers...; Language with Russian and English) and Help (About). The texts follow the
// language; each action carries its command number as its data, and the window connects to the actions'
// triggered signals.
class MainMenu {
public:
    explicit MainMenu(QMenuBar* bar);

    QAction* action(MenuCommand command) const;
    // The command of an action of this menu, or 0 for any other.
    static int32_t commandOf(const QAction* action);

    void applyTexts(const UiTexts& texts);

    // The check marks: the language, Always on top, the layout
    // (0 Normal, 1 Large graph) and Smoothing.
    void setChecks(Language language, bool topmost, int32_t largeGraph, bool smoothing);
    // The chart kind's mark and the admittance grid's.
    void setChartChecks(ChartKind kind, bool admittance);
    // The check mark of the phase mode (0 Phase, 1 Unwrapped phase, 2 Group delay).
    void setPhaseMode(int32_t phaseMode);

    QMenu* fileMenu;
    QMenu* viewMenu;
    QMenu* languageMenu;
    QMenu* helpMenu;

private:
    QAction* add(QMenu* menu, MenuCommand command, bool checkable = false);

    std::vector<QAction*> actions;
};
