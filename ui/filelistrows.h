#pragma once

#include <cstdint>

class MList;
struct ChartState;

// Holds listUpdating nonzero for its lifetime.
class ListUpdating {
public:
    explicit ListUpdating(int32_t& listUpdating)
        : flag(listUpdating)
        , previous(listUpdating)
    {
        flag = 1;
    }
    ListUpdating(const ListUpdating&) = delete;
    ListUpdating& operator=(const ListUpdating&) = delete;
    ~ListUpdating() { flag = previous; }

private:
    int32_t& flag;
    int32_t previous;
};

// Keeping the file list and the chart's visibility table in step. The operations that change
// rows hold listUpdating nonzero meanwhile, so the list's change reports never feed back into
// the table.

// Fills the list anew: one group per measurement, in list order, headed by its display name,
// and in it one row per enabled trace kind, checked when its trace is visible. A measurement
// with every trace kind disabled keeps its group, without rows.
void rebuildFileList(MList& list, ChartState& state, int32_t& listUpdating);

// The trace selection into the whole table, then the check boxes of the list's rows over it:
// traces without a row take the strip's setting.
void collectRowChecks(const MList& list, ChartState& state);

// Checks each row's box exactly when its trace is visible.
void applyRowChecks(MList& list, const ChartState& state, int32_t& listUpdating);

// The Min, Max and Flatness columns of every row from the last recomputation; empty for
// hidden traces. Nothing changes before the first recomputation.
void fillStatistics(MList& list, const ChartState& state);
