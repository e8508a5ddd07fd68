#include "closemeasurements.h"

#include <algorithm>
#include <functional>

#include "chartstate.h"

namespace {

// Marker of a visibility flag whose measurement is being closed.
constexpr int32_t closedFlag = -1;

// The flag entries [first, last) of measurement m, limited to the table's first `end` entries.
struct FlagRange {
    size_t first;
    size_t last;
};

FlagRange flagRange(int32_t m, size_t end)
{
    const size_t first = std::min(static_cast<size_t>(m) * tracesPerMeasurement, end);
    const size_t last = std::min(first + tracesPerMeasurement, end);
    return { first, last };
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// When measurement m names its file and is closed, the first of the file's further views or
// columns that stays (those right after it without a source path whose full name ends with
// the path) names the file instead, so that re-reading still finds it.
void handOnSourcePath(RubberS2P& list, int32_t m, const std::vector<int32_t>& closing)
{
    const std::string& path = list.measurement(m)->sourcePath;
    if (path.empty())
        return;
    for (int32_t k = m + 1; k < list.itemCount; ++k) {
        RubberS2PData* next = list.measurement(k);
        if (!next->sourcePath.empty() || !endsWith(next->fullName, path))
            return;
        if (std::find(closing.begin(), closing.end(), k) == closing.end()) {
            next->sourcePath = path;
            return;
        }
    }
}

} // namespace

std::vector<std::string> measurementNames(RubberS2P& list)
{
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(std::max(list.itemCount, 0)));
    for (int32_t m = 0; m < list.itemCount; ++m) {
        const RubberS2PData* measurement = list.measurement(m);
        names.push_back(measurement != nullptr ? measurement->displayName : std::string());
    }
    return names;
}

void closeMeasurements(ChartState& state, std::vector<int32_t> selected)
{
    RubberS2P& list = state.measurements;
    std::vector<int32_t>& rowVisible = state.rowVisible;
    int32_t& referenceIndex = state.referenceIndex;
    const int32_t count = list.itemCount;
    if (count <= 0)
        return;

    selected.erase(
        std::remove_if(selected.begin(), selected.end(), [count](int32_t m) { return m < 0 || m >= count; }),
        selected.end());
    std::sort(selected.begin(), selected.end(), std::greater<int32_t>());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    if (selected.empty())
        return;

    const size_t tableEnd = std::min(rowVisible.size(), static_cast<size_t>(count) * tracesPerMeasurement);
    int32_t closedBelowReference = 0;
    for (int32_t m : selected) {
        const FlagRange flags = flagRange(m, tableEnd);
        std::fill(rowVisible.begin() + flags.first, rowVisible.begin() + flags.last, closedFlag);
        if (m == referenceIndex)
            referenceIndex = -1;
        else if (m < referenceIndex)
            ++closedBelowReference;
    }
    if (referenceIndex >= 0)
        referenceIndex -= closedBelowReference;

    // Every surviving measurement's flags move down to the next free place. Survivors are
    // told apart by index rather than by the marker, so no flag value can be taken for one.
    size_t next = 0;
    auto closed = selected.rbegin();
    for (int32_t m = 0; m < count; ++m) {
        if (closed != selected.rend() && *closed == m) {
            ++closed;
            continue;
        }
        const FlagRange flags = flagRange(m, tableEnd);
        for (size_t j = flags.first; j < flags.last; ++j)
            rowVisible[next++] = rowVisible[j];
    }

    for (int32_t m : selected)
        handOnSourcePath(list, m, selected);
    for (int32_t m : selected)
        list.removeMeasurement(m);
}
