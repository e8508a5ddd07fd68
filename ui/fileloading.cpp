#include "fileloading.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "busycursor.h"
#include "chartstate.h"
#include "closefilesdlg.h"
#include "closemeasurements.h"
#include "failedfilesmessage.h"
#include "filelistcontroller.h"
#include "reloadorder.h"
#include "settingsrecord.h"
#include "uitexts.h"
#include "viewcontrols.h"

namespace {

// Files are taken from the open-file dialog and from drops only while the list holds fewer
// measurements than this.
constexpr int32_t maxOpenMeasurements = maxListMeasurements;

std::vector<std::string> localPaths(const QStringList& paths)
{
    std::vector<std::string> result;
    result.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths)
        result.push_back(QFile::encodeName(path).toStdString());
    return result;
}

} // namespace

FileLoading::FileLoading(ChartState& chartState, SettingsRecord& windowSettings,
    const WindowServices& windowServices, FileListController& fileList, ViewControls& viewControls,
    QWidget* window)
    : QObject(window)
    , state(chartState)
    , settings(windowSettings)
    , services(windowServices)
    , list(fileList)
    , views(viewControls)
    , parent(window)
{
}

std::vector<FailedFile> FileLoading::loadPaths(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return {};
    const BusyCursor busy;
    const int32_t first = state.measurements.itemCount;
    const std::vector<LoadResult> results = services.loadFiles(state.measurements, paths);
    return settleLoad(state.measurements, first, paths, results);
}

void FileLoading::settle(const std::vector<FailedFile>& failed)
{
    afterLoad();
    if (failed.empty())
        return;
    const UiTexts& texts = uiTexts(languageOf(settings.Language));
    services.showError(parent, texts.windowTitle, failedFilesMessage(failed, texts));
}

int32_t FileLoading::openLimit() const
{
    return std::max(0, maxOpenMeasurements - state.measurements.itemCount);
}

void FileLoading::openPaths(const QStringList& paths)
{
    settle(loadPaths(localPaths(paths)));
}

void FileLoading::openCommandLine(const std::vector<std::string>& paths)
{
    settle(loadPaths(paths));
}

void FileLoading::openDropped(const QStringList& dropped)
{
    const QStringList paths = dropped.mid(0, openLimit());
    if (paths.isEmpty())
        return;
    // The drop is finished before the files load, so the source never waits for the load.
    QMetaObject::invokeMethod(
        this, [this, paths] { openPaths(paths); }, Qt::QueuedConnection);
}

void FileLoading::openFiles()
{
    const UiTexts& texts = uiTexts(languageOf(settings.Language));
    const QString folder = QFile::decodeName(QByteArray::fromStdString(settings.OpenFolder));
    const QStringList chosen = services.chooseFiles(parent, texts.openDialogTitle, texts.openFilter, folder);
    if (chosen.isEmpty())
        return;
    settings.OpenFolder = QFile::encodeName(QFileInfo(chosen.front()).absolutePath()).toStdString();
    openPaths(chosen.mid(0, openLimit()));
}

void FileLoading::rereadFiles()
{
    const std::vector<std::string> paths = collectSourcePaths(state.measurements);
    state.measurements.removeAll();
    settle(loadPaths(paths));
}

void FileLoading::afterLoad()
{
    removeEmptyMeasurements(state.measurements);
    state.forgetMissingReference();
    list.collectRowChecks();
    list.rebuild();
    views.fillReferenceCombo();
    list.applyRowChecks();
    views.redrawChart();
}

void FileLoading::closeFiles(int32_t preselected)
{
    CloseFilesDlg dialog(
        measurementNames(state.measurements), preselected, languageOf(settings.Language), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    closeMeasurements(state, dialog.selectedIndices());
    list.rebuild();
    views.fillReferenceCombo();
    list.applyRowChecks();
    views.redrawChart();
}
