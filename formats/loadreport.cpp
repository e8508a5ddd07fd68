#include "loadreport.h"

#include <filesystem>
#include <map>

#include "loader.h"
#include "reloadorder.h"

namespace {

LoadFailure failureOf(const std::string& path, LoadResult result)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return LoadFailure::notFound;
    if (status.type() == std::filesystem::file_type::directory)
        return LoadFailure::directory;
    if (!hasReader(path))
        return LoadFailure::unknownExtension;
    switch (result) {
    case LoadCannotOpen:
    case LoadCannotRead:
        return LoadFailure::cannotRead;
    case LoadNotSParameters:
        return LoadFailure::notSParameters;
    case LoadSuccess:
    case LoadNoData:
        return LoadFailure::noData;
    default:
        return LoadFailure::readerReason;
    }
}

} // namespace

std::vector<FailedFile> settleLoad(RubberS2P& list, int32_t first, const std::vector<std::string>& paths,
    const std::vector<LoadResult>& results)
{
    removeEmptyMeasurements(list);
    first = std::min(std::max(first, 0), list.itemCount);
    restoreFileOrder(list, paths, first);

    std::map<std::string, int> loaded;
    for (int32_t i = first; i < list.itemCount; ++i)
        ++loaded[list.measurement(i)->sourcePath];
    std::vector<FailedFile> failed;
    for (size_t k = 0; k < paths.size(); ++k) {
        int& count = loaded[paths[k]];
        if (count > 0) {
            --count;
            continue;
        }
        const LoadResult result = k < results.size() ? results[k] : LoadNoData;
        failed.push_back(FailedFile { paths[k], failureOf(paths[k], result), result });
    }
    return failed;
}
