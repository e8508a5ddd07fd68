#include "cliload.h"

#include <map>

#include "loader.h"
#include "reloadorder.h"

namespace {

std::string failureReason(const std::string& path, LoadResult result)
{
    if (!hasReader(path))
        return "not a supported file type (" + readerExtensionList() + ")";
    if (result != LoadSuccess)
        return loadResultReason(result);
    return "no usable measurement in the file";
}

} // namespace

bool loadForCli(const std::vector<std::string>& paths, RubberS2P& list, std::ostream& err)
{
    std::vector<LoadResult> results;
    loadFiles(list, paths, &results);
    removeEmptyMeasurements(list);
    restoreFileOrder(list, paths);

    // A path given twice must have yielded a file's measurements twice.
    std::map<std::string, int> loaded;
    for (int32_t i = 0; i < list.itemCount; ++i)
        ++loaded[list.measurement(i)->sourcePath];
    bool all = true;
    for (size_t k = 0; k < paths.size(); ++k) {
        int& count = loaded[paths[k]];
        if (count > 0) {
            --count;
            continue;
        }
        all = false;
        err << paths[k] << ": " << failureReason(paths[k], results[k]) << '\n';
    }
    return all;
}
