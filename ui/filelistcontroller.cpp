#include "filelistcontroller.h"

#include "chartstate.h"
#include "filelistrows.h"
#include "mlist.h"
#include "settingsrecord.h"
#include "uitexts.h"

FileListController::FileListController(MList& fileList, ChartState& chartState,
    const SettingsRecord& windowSettings, ColourChooser colourChooser, QWidget* parent)
    : QObject(parent)
    , files(fileList)
    , state(chartState)
    , settings(windowSettings)
    , chooseColour(std::move(colourChooser))
    , dialogParent(parent)
{
    connect(&files, &MList::rowCheckChanged, this, &FileListController::onRowCheckChanged);
    connect(&files, &MList::rowClicked, this, &FileListController::onRowClicked);
    connect(&files, &MList::firstColumnHeaderClicked, this, &FileListController::invertShownTraces);
}

void FileListController::rebuild()
{
    rebuildFileList(files, state, listUpdating);
    emit rebuilt();
}

void FileListController::applyRowChecks()
{
    ::applyRowChecks(files, state, listUpdating);
}

void FileListController::collectRowChecks()
{
    ::collectRowChecks(files, state);
}

void FileListController::chooseTraceColour(int32_t slot)
{
    if (slot < 0 || slot >= paletteSize)
        return;
    const std::optional<QColor> colour = chooseColour(
        dialogParent, state.chart.palette[slot], uiTexts(languageOf(settings.Language)).colourDialogTitle);
    if (!colour)
        return;
    const ListUpdating updatingRows(listUpdating);
    state.chart.setPaletteColour(slot, *colour);
    files.replaceSwatch(slot, *colour);
    files.viewport()->repaint();
    emit chartChanged();
}

void FileListController::hideTraceRow(int32_t row)
{
    if (files.rowItem(row) == nullptr)
        return;
    {
        const ListUpdating updatingRows(listUpdating);
        files.setRowChecked(row, false);
    }
    collectRowChecks();
    emit chartChanged();
}

void FileListController::invertShownTraces()
{
    state.invertEnabledTraces();
    applyRowChecks();
    emit chartChanged();
}

void FileListController::onRowCheckChanged()
{
    if (listUpdating != 0)
        return;
    collectRowChecks();
    emit chartChanged();
}

void FileListController::onRowClicked(int32_t row)
{
    if (files.rowItem(row) == nullptr)
        return;
    chooseTraceColour(files.itemData(row) % paletteSize);
}
