#pragma once

#include "windowservices.h"

class QWidget;
struct ChartLegend;
struct ChartState;
struct ExportInput;
struct SettingsRecord;

// The File menu's commands that write out what the window holds: the averaged S2P, the
// spreadsheet export, the chart image, and the chart and the plotted table on the clipboard.
// Each does nothing while no measurement is loaded; failures are shown in a message box.
class FileCommands {
public:
    FileCommands(
        ChartState& state, const SettingsRecord& settings, const WindowServices& services, QWidget* parent);

    // File / Averaged S2P: the save dialog, then the average of every measurement written
    // there.
    void saveAveragedS2P();
    // File / Export into MS Excel: the plotted traces into a new workbook in the temporary
    // folder, opened with the desktop's application for it.
    void exportToSpreadsheet();
    // File / Save chart image: the save dialog (PNG or SVG by the name's extension, PNG when it
    // has none), then the chart with its legend and units written there.
    void saveChartImage();
    // File / Copy chart (Ctrl+C): the chart with its legend and units as an image on the
    // clipboard. Copy table (Ctrl+Shift+C): the plotted table as tab-separated text.
    void copyChartImage();
    void copyPlottedTable();

private:
    // The export's view of the plotted table, and its legend for the chart's pictures.
    ExportInput plottedTable();
    ChartLegend chartLegend();
    bool nothingLoaded() const;

    ChartState& state;
    const SettingsRecord& settings;
    const WindowServices& services;
    QWidget* parent;
};
