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

bool restoreFileOrder(RubberS2P& list, const std::vector<std::string>& paths)
{
    const int32_t count = list.itemCount;
    std::vector<bool> placed(static_cast<size_t>(count), false);
    std::vector<int> permutation;
    permutation.reserve(static_cast<size_t>(count));
    for (const std::string& path : paths) {
        int32_t first = 0;
        while (first < count
            && (placed[static_cast<size_t>(first)] || list.measurement(first)->sourcePath != path))
            ++first;
        if (first == count)
            continue;
        for (int32_t k = first; k < count; ++k) {
            if (k > first && !list.measurement(k)->sourcePath.empty())
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
