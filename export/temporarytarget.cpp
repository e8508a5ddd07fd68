#include "temporarytarget.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cformat.h"

namespace {

// Attempts at a free temporary name before giving up.
constexpr int nameAttempts = 100;

std::atomic<unsigned> nameCounter { 0 };

std::string systemReason()
{
    return std::strerror(errno);
}

} // namespace

TemporaryTarget::~TemporaryTarget()
{
    discard();
}

bool TemporaryTarget::create(const std::string& path, std::string& error)
{
    discard();
    target = path;
    int fd = -1;
    for (int attempt = 0; attempt < nameAttempts && fd < 0; ++attempt) {
        temporary = path + cFormat(".%ld.%u.tmp", static_cast<long>(getpid()), nameCounter++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        error = systemReason();
        temporary.clear();
        return false;
    }
    // A replaced file keeps its permissions.
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd, existing.st_mode & 07777);
    ::close(fd);
    return true;
}

bool TemporaryTarget::commit(std::string& error)
{
    if (temporary.empty()) {
        error = "no file was written";
        return false;
    }
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    bool ok = fd >= 0 && ::fsync(fd) == 0;
    if (!ok)
        error = systemReason();
    if (fd >= 0)
        ::close(fd);
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = systemReason();
        ok = false;
    }
    if (!ok) {
        discard();
        return false;
    }
    temporary.clear();
    return true;
}

void TemporaryTarget::discard()
{
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
    }
}
