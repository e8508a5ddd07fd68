#include "savefile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Attempts at a free temporary name before giving up.
constexpr int kNameAttempts = 100;

std::atomic<unsigned> nameCounter { 0 };

} // namespace

SaveFile::~SaveFile()
{
    discard();
}

bool SaveFile::open(const std::string& path)
{
    discard();
    target = path;
    failed = false;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, ".%ld.%u.tmp", static_cast<long>(getpid()), nameCounter++);
        temporary = path + suffix;
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            break;
        if (errno != EEXIST) {
            temporary.clear();
            return false;
        }
    }
    if (fd < 0) {
        temporary.clear();
        return false;
    }
    // A replaced file keeps its permissions.
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd, existing.st_mode & 07777);
    return true;
}

void SaveFile::write(const char* data, size_t size)
{
    if (fd < 0 || failed)
        return;
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed = true;
            return;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
}

bool SaveFile::commit()
{
    if (fd < 0)
        return false;
    bool ok = !failed && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    fd = -1;
    if (ok && ::rename(temporary.c_str(), target.c_str()) == 0) {
        temporary.clear();
        return true;
    }
    discard();
    return false;
}

void SaveFile::discard()
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
    }
}
