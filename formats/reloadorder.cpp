#include "reloadorder.h"

#include <cstdint>

void removeEmptyMeasurements(RubberS2P& list)
{
    int32_t i = 0;
    while (i < list.itemCount) {
        RubberS2PData* m = list.measurement(i);
        if (m != nullptr && m->itemCount == 0)
            list.removeMeasurement(i);
        else
            ++i;
    }
}

std::vector<std::string> collectSourcePaths(RubberS2P& list)
{
    std::vector<std::string> paths;
    for (int32_t i = 0; i < list.itemCount; ++i) {
        const RubberS2PData* m = list.measurement(i);
        if (m != nullptr && !m->sourcePath.empty())
            paths.push_back(m->sourcePath);
    }
    return paths;
}

bool restoreFileOrder(RubberS2P& list, const std::vector<std::string>& paths, int32_t first)
{
    const int32_t count = list.itemCount;
    if (first < 0 || first >= count)
        return false;
    std::vector<bool> placed(static_cast<size_t>(count), false);
    std::vector<int> permutation;
    permutation.reserve(static_cast<size_t>(count));
    for (int32_t k = 0; k < first; ++k)
        permutation.push_back(k);
    for (const std::string& path : paths) {
        int32_t start = first;
        while (start < count
            && (placed[static_cast<size_t>(start)] || list.measurement(start)->sourcePath != path))
            ++start;
        if (start == count)
            continue;
        for (int32_t k = start; k < count; ++k) {
            if (k > start && !list.measurement(k)->sourcePath.empty())
                break;
            if (placed[static_cast<size_t>(k)])
                break;
            placed[static_cast<size_t>(k)] = true;
            permutation.push_back(k);
        }
    }
    if (static_cast<int32_t>(permutation.size()) != count)
        return false;
    list.order(count, permutation.data());
    return true;
}
