#include "loader.h"

#include <cstdint>
#include <mutex>

#include "csvreader.h"
#include "filebuffer.h"
#include "loadlock.h"
#include "pathparts.h"
#include "touchstonereader.h"
#include "zetlabsreader.h"

namespace {

// Appends one empty measurement at the end of the list; null when no memory is left.
RubberS2PData* appendMeasurement(RubberS2P& list)
{
    const std::lock_guard<std::mutex> guard(loadLock());
    return list.measurement(list.itemCount);
}

void nameMeasurement(RubberS2PData& m, const std::string& prefix, const std::string& path, bool keepsPath)
{
    m.fullName = prefix + path;
    m.updateFreqSummary();
    m.displayName = prefix + fileNamePart(path);
    m.sourcePath = keepsPath ? path : std::string();
}

LoadResult loadTwoPort(RubberS2P& list, const std::string& path)
{
    RubberS2PData* m = appendMeasurement(list);
    if (m == nullptr)
        return LoadCannotRead;
    const LoadResult r = loadS2PFile(*m, path);
    if (r == LoadSuccess)
        nameMeasurement(*m, std::string(), path, true);
    else
        m->clearPoints();
    return r;
}

LoadResult loadOnePort(RubberS2P& list, const std::string& path, FileBytes& buffer, size_t length)
{
    RubberS2PData* m = appendMeasurement(list);
    if (m == nullptr)
        return LoadCannotRead;
    const LoadResult r = readS1P(*m, buffer.get(), length);
    if (r == LoadSuccess)
        nameMeasurement(*m, std::string(), path, true);
    else
        m->clearPoints();
    return r;
}

LoadResult loadThreePort(RubberS2P& list, const std::string& path, FileBytes& buffer, size_t length)
{
    RubberS2PData* m[4] = {};
    {
        const std::lock_guard<std::mutex> guard(loadLock());
        const int32_t n = list.itemCount;
        for (int32_t k = 0; k < 4; ++k)
            m[k] = list.measurement(n + k);
    }
    if (m[0] == nullptr || m[1] == nullptr || m[2] == nullptr || m[3] == nullptr)
        return LoadCannotRead;

    std::string label;
    const LoadResult r = readS3P(*m[0], *m[1], *m[2], *m[3], buffer.get(), length, label);
    if (r != LoadSuccess) {
        for (RubberS2PData* view : m)
            view->clearPoints();
        return r;
    }
    nameMeasurement(*m[0], "[1->2] ", path, true);
    nameMeasurement(*m[2], "[1->3] ", path, false);
    nameMeasurement(*m[1], "[2->3] ", path, false);
    nameMeasurement(*m[3], label + " ", path, false);
    return r;
}

} // namespace

bool hasReader(const std::string& path)
{
    for (const char* extension : { ".s2p", ".s3p", ".s1p", ".dtu", ".nrm", ".csv" })
        if (hasExtension(path, extension))
            return true;
    return false;
}

LoadResult loadFile(RubberS2P& list, const std::string& path)
{
    if (hasExtension(path, ".s2p"))
        return loadTwoPort(list, path);
    if (!hasReader(path))
        return LoadNoData;

    FileBytes buffer;
    size_t length = 0;
    const LoadResult read = readWholeFile(path, buffer, length);
    if (read != LoadSuccess)
        return read;
    if (hasExtension(path, ".s3p"))
        return loadThreePort(list, path, buffer, length);
    if (hasExtension(path, ".s1p"))
        return loadOnePort(list, path, buffer, length);
    if (hasExtension(path, ".dtu") || hasExtension(path, ".nrm"))
        return readZetLabs(path, buffer.get(), length, list);
    const std::lock_guard<std::mutex> guard(loadLock());
    return readCsv(list, buffer.get(), length, path);
}

void loadFiles(RubberS2P& list, const std::vector<std::string>& paths, std::vector<LoadResult>* results)
{
    const auto count = static_cast<int64_t>(paths.size());
    if (count == 0)
        return;
    if (results != nullptr)
        results->assign(paths.size(), LoadSuccess);
#pragma omp parallel for schedule(static)
    for (int64_t i = 0; i < count; ++i) {
        const LoadResult r = loadFile(list, paths[static_cast<size_t>(i)]);
        if (results != nullptr)
            (*results)[static_cast<size_t>(i)] = r;
    }
}

void loadCommandLine(RubberS2P& list, int argc, const char* const* argv)
{
    if (argc <= 1)
        return;
    const std::vector<std::string> paths(argv + 1, argv + argc);
    loadFiles(list, paths);
}
