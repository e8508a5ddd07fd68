#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "loadresult.h"
#include "rubbers2p.h"

// Why a file given to a load yielded no measurement.
enum class LoadFailure {
    notFound, // nothing at the path
    directory, // a folder, not a file
    unknownExtension, // no reader for the file's extension
    cannotRead, // the file cannot be opened or read whole
    noData, // no usable S-parameter data
    notSParameters, // parameters of another kind than S
    readerReason, // another reason of the reader's, told by its result code
};

// A path of a load that yielded nothing, with the reason and the reader's result.
struct FailedFile {
    std::string path;
    LoadFailure reason;
    LoadResult result;
};

// Settles a load of paths whose measurements were appended to the list from index first on,
// results holding the reader's outcome per path: drops the measurements without points, puts
// the new ones into the order of paths (the files' own order of views and columns kept) and
// returns the paths that yielded no measurement, in path order. A path given twice must yield
// its file's measurements twice.
std::vector<FailedFile> settleLoad(RubberS2P& list, int32_t first, const std::vector<std::string>& paths,
    const std::vector<LoadResult>& results);
