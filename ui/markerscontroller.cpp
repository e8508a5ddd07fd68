#include "markerscontroller.h"

#include <cmath>

#include "chartstate.h"
#include "labeltext.h"
#include "markersdlg.h"
#include "markertable.h"
#include "mlist.h"
#include "settingsrecord.h"
#include "statsstrip.h"
#include "uitexts.h"
#include "unitmultiplier.h"
#include "windowpanes.h"

MarkersController::MarkersController(
    ChartState& chartState, const SettingsRecord& windowSettings, WindowPanes& windowPanes, QWidget* parent)
    : QObject(parent)
    , state(chartState)
    , settings(windowSettings)
    , panes(windowPanes)
    , dialogParent(parent)
{
}

void MarkersController::addMarker(double hertz)
{
    if (state.markers.add(hertz) != 0)
        emit chartChanged();
}

QString MarkersController::search(int32_t trace, SearchKind kind, double level, MarkerSet& markers)
{
    const std::optional<TraceSearch> found = searchShownTrace(state, trace, level);
    if (!found)
        return QString();
    placeSearchMarkers(markers, *found, kind);
    const RubberS2PData* m = state.measurements.measurement(trace / tracesPerMeasurement);
    // The outcome first, so that a narrow strip still shows it; the trace it belongs to after it.
    return QString::fromStdString(searchText(*found, kind, level, state.unitMultiplier, languageOf(settings.Language)))
        + QStringLiteral(" (") + QString::fromStdString(m->displayName) + QStringLiteral("->")
        + QString::fromLatin1(traceName(trace % tracesPerMeasurement)) + QStringLiteral(")");
}

void MarkersController::searchRow(int32_t row, SearchKind kind)
{
    const QString text = search(panes.files->itemData(row), kind, drop, state.markers);
    if (text.isEmpty())
        return;
    panes.stats->setSearchText(text);
    emit chartChanged();
}

int32_t MarkersController::markedRow() const
{
    const MList& files = *panes.files;
    return files.markedRow >= 0 ? files.markedRow : files.rowOf(files.currentItem());
}

void MarkersController::openDialog()
{
    const Language language = languageOf(settings.Language);
    const int32_t trace = panes.files->itemData(markedRow());
    MarkersDlg::Searcher searcher = [this, trace](SearchKind kind, double level, MarkerSet& markers) {
        return search(trace, kind, level, markers);
    };
    MarkersDlg dialog(state.markers, state.unitMultiplier,
        QString::fromUtf8(unitName(language, unitIndexOf(state.unitMultiplier))), drop, searcher, language,
        dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    state.markers = dialog.markers();
    drop = dialog.bandwidthDrop();
    if (!dialog.searchText().isEmpty())
        panes.stats->setSearchText(dialog.searchText());
    emit chartChanged();
}

void MarkersController::forgetSearch()
{
    panes.stats->setSearchText(QString());
}

void MarkersController::showValues()
{
    MList& files = *panes.files;
    const int first = MList::plainColumnCount + (state.limits.empty() ? 0 : 1);
    const std::vector<int32_t> numbers = state.markers.numbers();
    files.setColumnCount(first + static_cast<int>(numbers.size()));
    const Language language = languageOf(settings.Language);
    for (size_t c = 0; c < numbers.size(); ++c) {
        const int column = first + static_cast<int>(c);
        const int32_t n = numbers[c];
        files.headerItem()->setText(
            column, QString::fromStdString(markerTitle(state.markers, n, state.unitMultiplier, language)));
        for (int32_t r = 0; r < files.rowCount(); ++r) {
            const double value = markerCell(state, files.itemData(r), n);
            const QString text
                = std::isfinite(value) ? QString::fromStdString(formatNumber("%5.4lg", value)) : QString();
            QTreeWidgetItem* item = files.rowItem(r);
            if (item->text(column) != text)
                item->setText(column, text);
        }
        files.resizeColumnToContents(column);
    }
}
