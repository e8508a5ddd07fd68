#include "cliload.h"

#include "listingtext.h"
#include "loader.h"
#include "loadreport.h"

namespace {

std::string failureReason(const FailedFile& file)
{
    switch (file.reason) {
    case LoadFailure::notFound:
        return "no such file";
    case LoadFailure::directory:
        return "a directory, not a file";
    case LoadFailure::unknownExtension:
        return "not a supported file type (" + readerExtensionList() + ")";
    default:
        break;
    }
    if (file.result != LoadSuccess)
        return loadResultReason(file.result);
    return "no usable measurement in the file";
}

} // namespace

bool loadForCli(const std::vector<std::string>& paths, RubberS2P& list, std::ostream& err)
{
    std::vector<LoadResult> results;
    loadFiles(list, paths, &results);
    const std::vector<FailedFile> failed = settleLoad(list, 0, paths, results);
    for (const FailedFile& file : failed)
        err << escaped(file.path) << ": " << failureReason(file) << '\n';
    return failed.empty();
}
