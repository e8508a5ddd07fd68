#pragma once

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

#include "loadreport.h"
#include "windowservices.h"

class FileListController;
class QWidget;
class ViewControls;
struct ChartState;
struct SettingsRecord;

// Files into the window and out of it: the open dialog, drops and the command line's files,
// File / Re-read and File / Close. After each the file list, the reference box and the chart
// follow, and the files that yielded nothing are listed in a message box.
class FileLoading : public QObject {
    Q_OBJECT
public:
    FileLoading(ChartState& state, SettingsRecord& settings, const WindowServices& services,
        FileListController& list, ViewControls& views, QWidget* parent);

    // File / Open: the open-file dialog, then loading the chosen files, as many as the list
    // still takes.
    void openFiles();
    // Loads paths already limited by the caller, as a drop does, and runs the post-load step.
    void openPaths(const QStringList& paths);
    // A drop's local files, as many as the list still takes, loaded once the drop is over.
    void openDropped(const QStringList& paths);
    // The command line's files at start-up; the post-load step runs also when there are none.
    void openCommandLine(const std::vector<std::string>& paths);
    // File / Re-read: every file loaded again, in the former order.
    void rereadFiles();
    // File / Close, a group's close link: the close-files dialog with measurement preselected
    // (-1 for none); on Close the chosen measurements go and the list and chart follow.
    void closeFiles(int32_t preselected);

private:
    // Loads the paths after the measurements already listed, in the order given; the paths
    // that yielded nothing come back.
    std::vector<FailedFile> loadPaths(const std::vector<std::string>& paths);
    // The post-load step: drops measurements without points, rebuilds the file list and the
    // reference box keeping the visibility chosen in the list, and redraws.
    void afterLoad();
    void settle(const std::vector<FailedFile>& failed);
    // How many more files an open or a drop may take.
    int32_t openLimit() const;

    ChartState& state;
    SettingsRecord& settings;
    const WindowServices& services;
    FileListController& list;
    ViewControls& views;
    QWidget* parent;
};
