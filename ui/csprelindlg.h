#pragma once

#include <QColor>
#include <QMainWindow>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "axissteps.h"
#include "chartcontextmenu.h"
#include "charthost.h"
#include "chartstate.h"
#include "loadreport.h"
#include "panelayout.h"
#include "qttranslation.h"

class ChartFrame;
class ChartMouse;
class ControlStrip;
class MainMenu;
class MList;
class QLabel;
class QUrl;
class SplitterHandle;
class StatsStrip;
struct ChartLegend;
struct ExportInput;
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
        // The files chosen in the open-file dialog, which starts in folder; empty when it was
        // cancelled.
        std::function<QStringList(
            QWidget* parent, const QString& title, const QString& filter, const QString& folder)>
            chooseFiles;
        // The colour chosen in the colour dialog, preset to the current one; none when cancelled.
        std::function<std::optional<QColor>(QWidget* parent, const QColor& current, const QString& title)>
            chooseColour;
        // Loads the paths into the list in a parallel loop; the reader's outcome per path.
        std::function<std::vector<LoadResult>(RubberS2P& list, const std::vector<std::string>& paths)>
            loadFiles;
        // The file chosen in the save-file dialog, which replaces an existing file without
        // asking; empty when it was cancelled.
        std::function<QString(
            QWidget* parent, const QString& title, const QString& filter, const QString& defaultSuffix)>
            chooseSaveFile;
        // Shows an error in a message box.
        std::function<void(QWidget* parent, const QString& title, const QString& text)> showError;
        // Writes the spreadsheet export to path; false with the reason in error.
        std::function<bool(const ExportInput& input, const std::string& path, std::string& error)>
            writeWorkbook;
        // Whether the desktop has an application for the document's type.
        std::function<bool(const QString& path)> hasApplicationFor;
        // Opens a document with the desktop's application for it; false when none could.
        std::function<bool(const QUrl& url)> openDocument;
        // Shows the chart's context menu and gives the entry chosen.
        MenuChooser chooseFromMenu;
    };

    static Services defaultServices();

    // Runs the start-up: reads the settings file, builds the controls from it, shows the
    // window and loads the command line's files.
    explicit CSprelinDlg(std::vector<std::string> commandLine, Services services = defaultServices());
    ~CSprelinDlg() override;

    // File / Open: the open-file dialog, then loading the chosen files. openPaths loads paths
    // already limited by the caller, as a drop does, and runs the post-load step.
    void openFiles();
    void openPaths(const QStringList& paths);
    // View / Russian, English.
    void setLanguage(Language language);
    // View / Large graph: only the readout strip, the chart and the file list, at the top.
    // View / Normal: the control strip and the panes where they were.
    void setLargeGraph();
    void setNormalLayout();
    // The splitter to x in client coordinates, as a drag of its handle does.
    void moveSplitter(int x);
    // The file list anew from the state, and its check boxes from the visibility table; the
    // list's change reports meanwhile never reach the table.
    void rebuildFileList();
    void applyRowChecks();

    // The parts of the window, for the application's tests and benchmarks.
    ChartState& chartState() { return state; }
    ControlStrip* controlStrip() const { return strip; }
    MList* fileList() const { return files; }
    StatsStrip* statsList() const { return stats; }
    ChartFrame* chartFrame() const { return frame; }
    QLabel* chartHint() const { return hint; }
    SplitterHandle* splitterHandle() const { return splitter; }
    ChartMouse* chartMouse() const { return mouse; }
    MainMenu& mainMenu() const { return *menu; }
    // The panes as they lie now, and the client rectangle of the last accepted resize.
    PaneLayout panes() const;
    QRect lastClientRect() const { return clientRect; }
    int32_t layoutIsLargeGraph() const { return largeGraph; }
    int32_t sizingFrameWidth() const { return frameWidth; }
    int32_t listUpdating() const { return listUpdatingFlag; }

    // ChartHost
    bool readAxisEdits(ZoomEntry& zoom, double unitMultiplier) override;
    void writeAxisEdits(const ZoomEntry& zoom, double unitMultiplier) override;
    void fillStatistics(const ChartState& chartState) override;
    void setChartFrameVisible(bool visible) override;
    void readViewControls(ChartState& chartState) override;
    void writeViewControls(ChartState& chartState) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Files are taken from the open-file dialog and from drops only while the list holds
    // fewer measurements than this.
    static constexpr int32_t maxOpenMeasurements = maxListMeasurements;

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
    void collectRowChecks();
    // The colour dialog for a palette slot; a new colour changes its swatch and its traces.
    void chooseTraceColour(int32_t slot);
    // Hides the trace of a file list row and redraws.
    void hideTraceRow(int32_t row);
    // Switches every text to the language of the settings.
    void applyLanguage();
    // The menu's check marks from the settings and the layout.
    void updateMenuChecks();
    // Keeps the window above all others, or not, as the settings say; it neither moves nor
    // resizes.
    void applyTopmost();

    // File / Close, a group's close link: the close-files dialog with measurement preselected
    // (-1 for none); on Close the chosen measurements go and the list and chart follow.
    void closeFiles(int32_t preselected);
    // File / Averaged S2P: the save dialog, then the average of every measurement written
    // there; a file that cannot be written is reported.
    void saveAveragedS2P();
    // File / Export into MS Excel: the plotted traces into a new workbook in the temporary
    // folder, opened with the desktop's application for it; failures are reported.
    void exportToSpreadsheet();
    // File / Save chart image: the save dialog (PNG or SVG by the name's extension, PNG when it
    // has none), then the chart with its legend and units written there; failures are reported.
    void saveChartImage();
    // File / Copy chart (Ctrl+C): the chart with its legend and units as an image on the
    // clipboard. Copy table (Ctrl+Shift+C): the plotted table as tab-separated text.
    void copyChartImage();
    void copyPlottedTable();
    // Help / About.
    void showAbout();
    // View / Always on top, Smoothing.
    void toggleTopmost();
    void toggleSmoothing();

    // The stored column widths and list width into the file list, and back.
    void restoreListWidths();
    void saveListWidths();
    // Sizes the readout strip's columns to its width.
    void sizeStatsColumns();
    // The language of the settings.
    Language language() const;

    void buildWindow();
    void buildMenu();
    void connectControls();
    void startUp(const std::vector<std::string>& commandLine);
    void placeWindow();
    void layOutPanes();
    void placePanes(const PaneLayout& layout);
    void onClientResized(const QSize& size);
    void runCloseSequence();
    // Loads the paths after the measurements already listed, in the order given; the paths
    // that yielded nothing come back.
    std::vector<FailedFile> loadPaths(const std::vector<std::string>& paths);
    // Lists the files of a load that yielded nothing, with their reasons, in a message box.
    void reportFailedFiles(const std::vector<FailedFile>& failed);
    // The export's view of the plotted table, and its legend for the chart's pictures.
    ExportInput plottedTable();
    ChartLegend chartLegend();
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
    int32_t largeGraph = 0;
    bool shown = false; // the start-up has shown the window
    bool closed = false;
    bool redrawing = false; // a recomputation is running
    QRect clientRect; // the client area as of the last accepted layout
    int32_t savedChartTop = 0;
    int32_t savedListTop = 0;
    int32_t splitterBusy = 0;
    int32_t frameWidth = 4; // half the splitter band: the width of a window's sizing frame

    ControlStrip* strip = nullptr;
    StatsStrip* stats = nullptr;
    ChartFrame* frame = nullptr;
    MList* files = nullptr;
    SplitterHandle* splitter = nullptr;
    QLabel* hint = nullptr; // in the chart's place while nothing is loaded
    ChartMouse* mouse = nullptr;
    QtTranslation qtTexts;
    std::unique_ptr<MainMenu> menu;
};
