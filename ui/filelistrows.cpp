#include "filelistrows.h"

#include <QString>

#include "charthost.h"
#include "chartstate.h"
#include "mlist.h"

namespace {

// File list columns of the statistics.
constexpr int minColumn = 2;
constexpr int maxColumn = 3;
constexpr int flatnessColumn = 4;

} // namespace

void rebuildFileList(MList& list, ChartState& state, int32_t& listUpdating)
{
    const ListUpdating updating(listUpdating);
    list.setUpdatesEnabled(false);
    list.clearRows();
    for (int32_t m = 0; m < state.measurements.itemCount; ++m) {
        const RubberS2PData* measurement = state.measurements.measurement(m);
        const QString name
            = measurement != nullptr ? QString::fromStdString(measurement->displayName) : QString();
        QTreeWidgetItem* group = list.addGroup(m, name);
        for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
            const int32_t trace = m * tracesPerMeasurement + k;
            if (state.traceEnabled[k] == 0 || !state.traceHeld(trace))
                continue;
            list.addRow(group, QLatin1String(traceName(k)), trace, state.traceVisible(trace));
        }
    }
    list.expandAll();
    list.setUpdatesEnabled(true);
}

void collectRowChecks(const MList& list, ChartState& state)
{
    state.resetRowVisibility();
    for (int32_t r = 0; r < list.rowCount(); ++r) {
        const int32_t trace = list.itemData(r);
        if (trace >= 0 && static_cast<size_t>(trace) < state.rowVisible.size())
            state.rowVisible[static_cast<size_t>(trace)] = list.rowChecked(r) ? 1 : 0;
    }
}

void applyRowChecks(MList& list, const ChartState& state, int32_t& listUpdating)
{
    const ListUpdating updating(listUpdating);
    for (int32_t r = 0; r < list.rowCount(); ++r)
        list.setRowChecked(r, state.traceVisible(list.itemData(r)));
}

void fillStatistics(MList& list, const ChartState& state)
{
    if (state.buffers.traceCount == 0)
        return;
    for (int32_t r = 0; r < list.rowCount(); ++r) {
        const StatisticsTexts texts = statisticsTexts(state, list.itemData(r));
        QTreeWidgetItem* row = list.rowItem(r);
        row->setText(minColumn, QString::fromStdString(texts.min));
        row->setText(maxColumn, QString::fromStdString(texts.max));
        row->setText(flatnessColumn, QString::fromStdString(texts.flatness));
    }
}
