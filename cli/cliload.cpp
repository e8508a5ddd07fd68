#include "cliload.h"

#include "listingtext.h"
#include "loader.h"
#include "loadreport.h"

namespace {

const char* const kNoSuchFile = "no such file";
const char* const kDirectory = "a directory, not a file";
const char* const kNoMeasurement = "no usable measurement in the file";

std::string unsupportedType()
{
    return "not a supported file type (" + readerExtensionList() + ")";
}

std::string failureReason(const FailedFile& file)
{
    switch (file.reason) {
    case LoadFailure::notFound:
        return kNoSuchFile;
    case LoadFailure::directory:
        return kDirectory;
    case LoadFailure::unknownExtension:
        return unsupportedType();
    default:
        break;
    }
    if (file.result != LoadSuccess)
        return loadResultReason(file.result);
    return kNoMeasurement;
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

std::vector<std::string> loadFailureReasons()
{
    std::vector<std::string> reasons { kNoSuchFile, kDirectory, unsupportedType(), kNoMeasurement };
    for (int code = LoadCannotOpen; code <= lastLoadResult; ++code) {
        if (code != LoadCannotWrite)
            reasons.emplace_back(loadResultReason(code));
    }
    return reasons;
}

RubberS2P& listKeptToExit()
{
    static RubberS2P* const list = new RubberS2P;
    return *list;
}
