#pragma once

#include <QColor>
#include <QMainWindow>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "axissteps.h"
#include "charthost.h"
#include "chartstate.h"

class ChartFrame;
class ControlStrip;
class MList;
class QAction;
class QMenu;
class QSplitter;
class StatsStrip;
struct SettingsRecord;

// The main window: the control strip, the readout strip, the chart and the file list. It owns
// the chart's state (the measurements, the chart, the views, the last results, the trace
// selection and visibility) and the controls that show it, and serves the recomputation as its
// host: the axis edit boxes, the statistics columns and the chart frame.
class CSprelinDlg : public QMainWindow, public ChartHost {
    Q_OBJECT
public:
    // What the window asks of the desktop. Each has a default that shows the platform's
    // dialog or runs the parallel loader.
    struct Services {
        // The files chosen in the open-file dialog; empty when it was cancelled.
        std::function<QStringList(QWidget* parent, const QString& title, const QString& filter)> chooseFiles;
        // The colour chosen in the colour dialog, preset to the current one; none when cancelled.
        std::function<std::optional<QColor>(QWidget* parent, const QColor& current, const QString& title)>
            chooseColour;
        // Loads the paths into the list in a parallel loop.
        std::function<void(RubberS2P& list, const std::vector<std::string>& paths)> loadFiles;
    };

    static Services defaultServices();

    // Runs the start-up: reads the settings file, builds the controls from it, shows the
    // window and loads the command line's files.
    explicit CSprelinDlg(std::vector<std::string> commandLine, Services services = defaultServices());
    ~CSprelinDlg() override;

    // Files are taken from the open-file dialog and from drops only while the list holds
    // fewer measurements than this.
    static constexpr int32_t maxOpenMeasurements = 2045;

    // Loads the paths (already limited by the caller) and runs the post-load step.
    void openPaths(const QStringList& paths);
    // File / Open: the open-file dialog, then loading the chosen files.
    void openFiles();
    // File / Re-read: every file loaded again, in the former order.
    void rereadFiles();

    // The post-load step: drops measurements without points, rebuilds the file list and the
    // reference box keeping the visibility chosen in the list, and redraws.
    void afterLoad();
    // Recomputes and shows the chart for the view in force.
    void redrawChart();

    // The strip's controls into the state, and back.
    void readControls();
    void writeControls();
    // The view in force into the axis edit boxes; the boxes into it when they are valid.
    void writeAxisEdits();
    bool readAxisEdits();
    void updateAxisEnables();
    void fillReferenceCombo();
    void resetRowVisibility();
    void rebuildFileList();
    void collectRowChecks();
    void applyRowChecks();
    // The colour dialog for a palette slot; a new colour changes its swatch and its traces.
    void chooseTraceColour(int32_t slot);
    // Switches every text to the language of the settings.
    void applyLanguage();

    ChartState& chartState() { return state; }
    ControlStrip* controlStrip() const { return strip; }
    MList* fileList() const { return files; }
    StatsStrip* statsList() const { return stats; }
    ChartFrame* chartFrame() const { return frame; }
    int32_t listUpdating() const { return listUpdatingFlag; }
    QChar decimalSeparator() const { return separator; }

    // ChartHost
    bool readAxisEdits(ZoomEntry& zoom) override;
    void writeAxisEdits(const ZoomEntry& zoom) override;
    void fillStatistics(const ChartState& chartState) override;
    void setChartFrameVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildWindow();
    void buildMenu();
    void connectControls();
    void startUp(const std::vector<std::string>& commandLine);
    void placeWindow();
    void restoreListWidths();
    void saveListWidths();
    void runCloseSequence();
    void loadPaths(const std::vector<std::string>& paths);
    // How many more files an open or a drop may take.
    int32_t openLimit();

    void onApply();
    void onAutoAxis();
    void onUnitChanged();
    void onMagnitudeMode();
    void onTraceBox();
    void onReferenceChanged();
    void onSpinner(AxisSpinner spinner, int delta);
    void onRowCheckChanged();
    void onRowClicked(int32_t row);
    void onFirstColumnHeader();
    void onChartFrameResized();

    SettingsRecord& settings;
    Services services;
    ChartState state;
    int32_t listUpdatingFlag = 0;
    int32_t hoverRow = -1;
    int32_t largeGraph = 0;
    int32_t modernListView = 1;
    QChar separator;
    bool shown = false; // the start-up has shown the window
    bool closed = false;
    bool redrawing = false; // a recomputation is running

    ControlStrip* strip = nullptr;
    StatsStrip* stats = nullptr;
    ChartFrame* frame = nullptr;
    MList* files = nullptr;
    QSplitter* splitter = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* openAction = nullptr;
    QAction* rereadAction = nullptr;
    QAction* exitAction = nullptr;
};
