#pragma once

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

#include "chartstate.h"
#include "language.h"
#include "qttranslation.h"
#include "statusnotice.h"
#include "windowservices.h"

class ChartMouse;
class FileCommands;
class FileListController;
class FileLoading;
class LimitsController;
class MainMenu;
class MarkersController;
class ViewControls;
class WindowPanes;
struct SettingsRecord;

// The main window: the control strip, the readout strip, the chart and the file list. It owns
// the chart's state (the measurements, the chart, the views, the last results, the trace
// selection and visibility) and the units that work on it, and wires the menu and the mouse to
// them: the panes, the view controls, the file list, loading and the file commands.
class CSprelinDlg : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up: reads the settings file, builds the controls from it, shows the
    // window and loads the command line's files.
    explicit CSprelinDlg(
        std::vector<std::string> commandLine, WindowServices services = defaultWindowServices());
    ~CSprelinDlg() override;

    // View / Russian, English.
    void setLanguage(Language language);

    // The window's units, for the application's tests and benchmarks.
    ChartState& chartState() { return state; }
    WindowPanes& panes() const { return *windowPanes; }
    ViewControls& viewControls() const { return *views; }
    FileListController& listController() const { return *list; }
    FileLoading& loading() const { return *files; }
    ChartMouse& chartMouse() const { return *mouse; }
    MarkersController& markersController() const { return *markers; }
    MainMenu& mainMenu() const { return *menu; }
    const StatusNotice& statusNotice() const { return notice; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void connectParts();
    void startUp(const std::vector<std::string>& commandLine);
    void placeWindow();
    void runCloseSequence();
    // Switches every text to the language of the settings.
    void applyLanguage();
    // The menu's check marks from the settings and the layout.
    void updateMenuChecks();
    // Keeps the window above all others, or not, as the settings say; it neither moves nor
    // resizes.
    void applyTopmost();
    // View / Always on top.
    void toggleTopmost();
    // Help / About.
    void showAbout();
    // View / Group delay aperture...
    void chooseDelayAperture();
    // The language of the settings.
    Language language() const;

    SettingsRecord& settings;
    WindowServices services;
    ChartState state;
    bool shown = false; // the start-up has shown the window
    bool closed = false;

    WindowPanes* windowPanes = nullptr;
    FileListController* list = nullptr;
    ViewControls* views = nullptr;
    FileLoading* files = nullptr;
    LimitsController* limits = nullptr;
    MarkersController* markers = nullptr;
    std::unique_ptr<FileCommands> commands;
    ChartMouse* mouse = nullptr;
    QtTranslation qtTexts;
    std::unique_ptr<MainMenu> menu;
    StatusNotice notice;
};
