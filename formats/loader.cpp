#include "loader.h"

#include <charconv>
#include <cstdint>
#include <mutex>
#include <new>

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
    m.displayName = prefix + fileNamePart(path);
    m.sourcePath = keepsPath ? path : std::string();
}

// Runs read, which fills the measurements a file appended; when the memory runs out on the
// way, they are left without points and the file fails.
template <typename Read> LoadResult emptiedWhenMemoryRunsOut(const std::vector<RubberS2PData*>& m, Read read)
{
    try {
        return read();
    } catch (const std::bad_alloc&) {
        for (RubberS2PData* view : m)
            view->clearPoints();
        return LoadOutOfMemory;
    }
}

LoadResult loadTwoPort(RubberS2P& list, const std::string& path)
{
    RubberS2PData* m = appendMeasurement(list);
    if (m == nullptr)
        return LoadOutOfMemory;
    return emptiedWhenMemoryRunsOut({ m }, [&] {
        const LoadResult r = loadS2PFile(*m, path);
        if (r == LoadSuccess)
            nameMeasurement(*m, std::string(), path, true);
        else
            m->clearPoints();
        return r;
    });
}

// The port count that a Touchstone extension names (.s4p: 4), -1 for .ts; a count too large
// for an int reads as one more than the most ports.
int portsOfExtension(const std::string& path)
{
    const std::string extension = extensionPart(path);
    int ports = -1;
    if (extension.size() < 4)
        return ports;
    const auto r = std::from_chars(extension.data() + 2, extension.data() + extension.size() - 1, ports);
    return r.ec == std::errc::result_out_of_range ? kMaxTouchstonePorts + 1 : ports;
}

// The prefix of view v of a file with more than three ports: the views run over the port pairs
// (1,2), (1,3) ... (1,N), (2,3) ...
std::string pairPrefix(int ports, int v)
{
    int a = 0;
    while (v >= ports - 1 - a) {
        v -= ports - 1 - a;
        ++a;
    }
    return "[" + std::to_string(a + 1) + "->" + std::to_string(a + 2 + v) + "] ";
}

void nameViews(
    const std::vector<RubberS2PData*>& m, int ports, const std::string& path, const std::string& label)
{
    if (ports <= 2) {
        nameMeasurement(*m[0], std::string(), path, true);
    } else if (ports == 3) {
        nameMeasurement(*m[0], "[1->2] ", path, true);
        nameMeasurement(*m[2], "[1->3] ", path, false);
        nameMeasurement(*m[1], "[2->3] ", path, false);
        nameMeasurement(*m[3], label + " ", path, false);
    } else {
        for (size_t v = 0; v < m.size(); ++v)
            nameMeasurement(*m[v], pairPrefix(ports, static_cast<int>(v)), path, v == 0);
    }
}

// A Touchstone file of any port count. Its measurements are appended together once the file's
// port count is known. A file whose option or keyword lines fail leaves one empty measurement,
// one whose data fail its emptied views.
LoadResult loadTouchstone(RubberS2P& list, const std::string& path)
{
    FileBytes buffer;
    size_t length = 0;
    const LoadResult read = readWholeFile(path, buffer, length);
    if (read != LoadSuccess)
        return read;
    TouchstoneText text;
    const LoadResult prepared = prepareTouchstone(buffer.get(), length, portsOfExtension(path), text);
    const int count = prepared == LoadSuccess ? touchstoneViewCount(text.ports) : 1;
    std::vector<RubberS2PData*> m(static_cast<size_t>(count));
    {
        const std::lock_guard<std::mutex> guard(loadLock());
        const int32_t n = list.itemCount;
        for (int32_t k = 0; k < count; ++k)
            m[static_cast<size_t>(k)] = list.measurement(n + k);
    }
    for (RubberS2PData* view : m)
        if (view == nullptr)
            return LoadOutOfMemory;
    if (prepared != LoadSuccess)
        return prepared;

    return emptiedWhenMemoryRunsOut(m, [&] {
        std::string label;
        text.file = &buffer;
        const LoadResult r = readTouchstone(text, m.data(), label);
        if (r != LoadSuccess) {
            for (RubberS2PData* view : m)
                view->clearPoints();
            return r;
        }
        nameViews(m, text.ports, path, label);
        return r;
    });
}

// Reads the whole file and gives it to read.
template <typename Read> LoadResult withFileBytes(const std::string& path, Read read)
{
    FileBytes buffer;
    size_t length = 0;
    const LoadResult r = readWholeFile(path, buffer, length);
    return r == LoadSuccess ? read(buffer.get(), length) : r;
}

LoadResult loadZetLabs(RubberS2P& list, const std::string& path)
{
    return withFileBytes(
        path, [&](char* bytes, size_t length) { return readZetLabs(path, bytes, length, list); });
}

LoadResult loadCsv(RubberS2P& list, const std::string& path)
{
    return withFileBytes(path, [&](char* bytes, size_t length) {
        const std::lock_guard<std::mutex> guard(loadLock());
        const int32_t first = list.itemCount;
        try {
            return readCsv(list, bytes, length, path);
        } catch (const std::bad_alloc&) {
            while (list.itemCount > first)
                list.removeMeasurement(list.itemCount - 1);
            return LoadOutOfMemory;
        }
    });
}

struct Reader {
    ReaderExtension extension;
    LoadResult (*load)(RubberS2P& list, const std::string& path);
};

// The extensions and their readers: the first row whose extension matches reads the file.
const Reader kReaders[] = {
    { { ".s1p", "S1P", false }, loadTouchstone },
    { { ".s2p", "S2P", false }, loadTwoPort },
    { { ".s3p", "S3P", false }, loadTouchstone },
    { { ".s#p", "SNP", false }, loadTouchstone },
    { { ".ts", "TS", false }, loadTouchstone },
    { { ".dtu", "ZetLabs", false }, loadZetLabs },
    { { ".nrm", "ZetLabs", false }, loadZetLabs },
    { { ".csv", "CSV", true }, loadCsv },
};

const Reader* readerOf(const std::string& path)
{
    for (const Reader& reader : kReaders)
        if (hasExtension(path, reader.extension.extension))
            return &reader;
    return nullptr;
}

} // namespace

std::vector<ReaderExtension> readerExtensions()
{
    std::vector<ReaderExtension> extensions;
    for (const Reader& reader : kReaders)
        extensions.push_back(reader.extension);
    return extensions;
}

std::string readerExtensionList()
{
    std::string list;
    for (const Reader& reader : kReaders) {
        std::string extension = reader.extension.extension;
        const size_t digits = extension.find('#');
        if (digits != std::string::npos)
            extension[digits] = 'N';
        list += (list.empty() ? "" : ", ") + extension;
    }
    return list;
}

bool hasReader(const std::string& path)
{
    return readerOf(path) != nullptr;
}

LoadResult loadFile(RubberS2P& list, const std::string& path)
{
    const Reader* reader = readerOf(path);
    if (reader == nullptr)
        return LoadNoData;
    // Memory that runs out before the file's measurements exist fails the file alone; inside
    // the loaders' parallel loop it must not end the program.
    try {
        return reader->load(list, path);
    } catch (const std::bad_alloc&) {
        return LoadOutOfMemory;
    }
}

void loadFiles(RubberS2P& list, const std::vector<std::string>& paths, std::vector<LoadResult>* results)
{
    const auto count = static_cast<int64_t>(paths.size());
    if (count == 0)
        return;
    if (results != nullptr)
        results->assign(paths.size(), LoadSuccess);
#pragma omp parallel for schedule(static) if (count > 1)
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
