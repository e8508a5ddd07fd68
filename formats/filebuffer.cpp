#include "filebuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "filedescriptor.h"
#include "largeblock.h"
#include "secondhalf.h"

namespace {

// How much text a scan reads between two releases of the text behind it.
constexpr ptrdiff_t kReleaseStep = ptrdiff_t { 8 } << 20;
// How much of a file one read takes: small enough to stay in the cache for the look after it.
constexpr size_t kReadPiece = size_t { 1 } << 20;
// Files at least this large are read by two threads, a half each. The kernel clears each fresh
// page of the buffer before the text is copied into it, which costs as much as the copy, and
// the two halves' pages are then filled at the same time.
constexpr size_t kSplitReadBytes = size_t { 16 } << 20;

// Reads bytes from..to of the file into the same place of buffer, in pieces, each looked
// through for a NUL byte while it is still in the cache: a NUL never stands in a text of
// numbers, so the file then holds binary data.
LoadResult readRange(int file, char* buffer, size_t from, size_t to)
{
    while (from < to) {
        const size_t piece = std::min(to - from, kReadPiece);
        const ssize_t got = ::pread(file, buffer + from, piece, static_cast<off_t>(from));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return LoadCannotRead;
        if (std::memchr(buffer + from, 0, static_cast<size_t>(got)) != nullptr)
            return LoadNotText;
        from += static_cast<size_t>(got);
    }
    return LoadSuccess;
}

} // namespace

void FileBytesRelease::operator()(char* block) const
{
    releaseLargeBlock(block, bytes);
}

void releaseFileBytes(FileBytes& buffer, const char* from, const char* to)
{
    if (buffer == nullptr || from < buffer.get() || to <= from)
        return;
    releaseLargeBlockPages(buffer.get(), buffer.get_deleter().bytes, static_cast<size_t>(from - buffer.get()),
        static_cast<size_t>(to - buffer.get()));
}

ReleaseBehind::ReleaseBehind(FileBytes* file, const char* begin, const std::atomic<bool>* allowed)
    : file_(file)
    , begin_(begin)
    , next_(begin + kReleaseStep)
    , allowed_(allowed)
{
}

void ReleaseBehind::release(const char* p)
{
    releaseFileBytes(*file_, begin_, p);
    next_ = p + kReleaseStep;
}

LoadResult readWholeFile(const std::string& path, FileBytes& buffer, size_t& length)
{
    length = 0;
    buffer.reset();
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0)
        return LoadCannotOpen;
    struct stat info { };
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return LoadCannotOpen;

    const auto size = static_cast<unsigned long long>(info.st_size);
    if (size == 0)
        return LoadEmptyFile;
    if (size >= std::numeric_limits<size_t>::max() / 2)
        return LoadCannotRead;
    // A file of a megabyte or more is read into huge pages, which the read fills at once.
    const size_t bytes = briefBlockBytes(static_cast<size_t>(size) + 1);
    buffer = FileBytes(static_cast<char*>(allocateLargeBlock(bytes)), FileBytesRelease { bytes });
    if (buffer == nullptr)
        return LoadOutOfMemory;
    buffer[size] = 0;

    // The halves meet on a huge-page boundary, so that each thread fills pages of its own.
    const auto total = static_cast<size_t>(size);
    const size_t half = total >= kSplitReadBytes ? total / 2 / kHugePageBytes * kHugePageBytes : total;
    LoadResult upper = LoadSuccess;
    std::thread helper;
    const bool split = half < total
        && startHelper(helper, [&] { upper = readRange(file.get(), buffer.get(), half, total); });
    const LoadResult lower = readRange(file.get(), buffer.get(), 0, split ? half : total);
    if (split)
        helper.join();
    const LoadResult read = lower != LoadSuccess ? lower : upper;
    if (read != LoadSuccess) {
        buffer.reset();
        return read;
    }
    length = total;
    return LoadSuccess;
}
