#include "savefile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Attempts at a free temporary name before giving up.
constexpr int nameAttempts = 100;
// Symbolic links followed before the chain counts as a loop, as the kernel does.
constexpr int linkHops = 40;
// Bytes a temporary's name keeps free for ".<pid>.<n>.tmp" after the target's name.
constexpr size_t suffixRoom = 32;

std::atomic<unsigned> nameCounter { 0 };

// The reason for the user, in the same words whatever the locale.
const char* reasonOf(int code)
{
    switch (code) {
    case ENOENT:
        return "no such folder";
    case ENOTDIR:
        return "a part of the path is not a folder";
    case EISDIR:
        return "is a directory";
    case EACCES:
    case EPERM:
        return "permission denied";
    case EROFS:
        return "read-only file system";
    case ENOSPC:
        return "no space left on the device";
    case EDQUOT:
        return "disk quota exceeded";
    case EFBIG:
        return "file too large";
    case ENAMETOOLONG:
        return "name too long";
    case ELOOP:
        return "too many symbolic links";
    case EPIPE:
        return "the reading end is closed";
    case EIO:
        return "input/output error";
    default:
        return "system error";
    }
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool underProc(const std::string& path)
{
    return path.rfind("/proc/", 0) == 0;
}

// The file a chain of symbolic links ends at (path itself when it is none); false on a loop
// or an unreadable link, with errno set. A link of /proc (/dev/stdout ends at one) names an
// open file rather than a place, and is where the chain stops.
bool followLinks(std::string& path)
{
    for (int hop = 0; hop < linkHops; ++hop) {
        struct stat st;
        if (underProc(path) || ::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::vector<char> text(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 2);
        const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
        if (n < 0)
            return false;
        if (static_cast<size_t>(n) >= text.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string link(text.data(), static_cast<size_t>(n));
        path = link.front() == '/' ? link : folderOf(path) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

bool inGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<size_t>(count > 0 ? count : 0));
    const int got = count > 0 ? ::getgroups(count, groups.data()) : 0;
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<size_t>(i)] == group)
            return true;
    return false;
}

// Whether the file's permission bits let this user write it.
bool modeAllowsWrite(const struct stat& st)
{
    if (st.st_uid == ::geteuid())
        return (st.st_mode & S_IWUSR) != 0;
    if (inGroup(st.st_gid))
        return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

// The start of every temporary's name for a target: its name, cut to leave room for the
// suffix within the folder's name limit, never inside a UTF-8 sequence.
std::string temporaryStem(const std::string& folder, const std::string& name)
{
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const size_t room
        = limit > static_cast<long>(2 * suffixRoom) ? static_cast<size_t>(limit) - suffixRoom : 223;
    size_t keep = std::min(name.size(), room);
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    return name.substr(0, keep);
}

std::string temporaryName(const std::string& stem)
{
    char suffix[suffixRoom];
    std::snprintf(suffix, sizeof suffix, ".%ld.%u.tmp", static_cast<long>(::getpid()), nameCounter++);
    return stem + suffix;
}

// The writer's process id when entry is a temporary name for the stem; 0 otherwise.
long temporaryOwner(const std::string& entry, const std::string& stem)
{
    if (entry.size() <= stem.size() + 1 || entry.compare(0, stem.size(), stem) != 0
        || entry[stem.size()] != '.')
        return 0;
    const char* p = entry.c_str() + stem.size() + 1;
    char* end = nullptr;
    const long pid = std::strtol(p, &end, 10);
    if (end == p || *end != '.' || pid <= 0)
        return 0;
    p = end + 1;
    std::strtoul(p, &end, 10);
    return end != p && std::strcmp(end, ".tmp") == 0 ? pid : 0;
}

// Removes the named temporaries of earlier writes to the target whose writer has gone.
void removeAbandoned(const std::string& folder, const std::string& stem)
{
    DIR* d = ::opendir(folder.c_str());
    if (d == nullptr)
        return;
    while (const dirent* e = ::readdir(d)) {
        const long pid = temporaryOwner(e->d_name, stem);
        if (pid != 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(d), e->d_name, 0);
    }
    ::closedir(d);
}

} // namespace

SaveFile::~SaveFile()
{
    discard();
}

bool SaveFile::fail(std::string& error, int code)
{
    error = std::string("not writable: ") + reasonOf(code);
    discard();
    return false;
}

bool SaveFile::open(const std::string& path, std::string& error)
{
    discard();
    writeError = 0;
    if (path == standardOutputPath) {
        fd = STDOUT_FILENO;
        mode = Mode::Direct;
        return true;
    }
    target = path;
    if (!followLinks(target))
        return fail(error, errno);
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail(error, EISDIR);
    if ((exists && !S_ISREG(st.st_mode)) || underProc(target)) {
        fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0)
            return fail(error, errno);
        ownsDescriptor = true;
        mode = Mode::Direct;
        return true;
    }
    if (exists && !modeAllowsWrite(st))
        return fail(error, EACCES);
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return fail(error, errno);

    folder = folderOf(target);
    const std::string stem = temporaryStem(folder, nameOf(target));
    removeAbandoned(folder, stem);
    fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    mode = Mode::Unnamed;
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        mode = Mode::Named;
        for (int attempt = 0; attempt < nameAttempts; ++attempt) {
            temporary = folder + "/" + temporaryName(stem);
            fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0 || errno != EEXIST)
                break;
        }
        if (fd < 0)
            temporary.clear();
    }
    if (fd < 0)
        return fail(error, errno);
    ownsDescriptor = true;
    if (mode == Mode::Unnamed)
        temporary = folder + "/" + temporaryName(stem);
    // A replaced file keeps its owner and group where this user may give them (a superuser
    // replacing a user's file), then its permissions, which a change of owner may have cut.
    if (exists) {
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid())
            static_cast<void>(::fchown(fd, st.st_uid, st.st_gid));
        ::fchmod(fd, st.st_mode & 07777);
    }
    return true;
}

void SaveFile::write(const char* data, size_t size)
{
    if (fd < 0 || writeError != 0)
        return;
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            writeError = n < 0 ? errno : ENOSPC;
            return;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
}

bool SaveFile::linkIn(std::string& error)
{
    const std::string descriptor = "/proc/self/fd/" + std::to_string(fd);
    // A new file appears at once under its name; an old one is replaced through a name of
    // the temporary, since a link never replaces.
    if (::linkat(AT_FDCWD, descriptor.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno != EEXIST)
        return fail(error, errno);
    for (int attempt = 0; attempt < nameAttempts; ++attempt) {
        if (::linkat(AT_FDCWD, descriptor.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            mode = Mode::Named;
            return true;
        }
        if (errno != EEXIST)
            return fail(error, errno);
        temporary = folder + "/" + temporaryName(temporaryStem(folder, nameOf(target)));
    }
    return fail(error, EEXIST);
}

bool SaveFile::commit(std::string& error)
{
    if (mode == Mode::Closed)
        return fail(error, EBADF);
    if (writeError != 0)
        return fail(error, writeError);
    if (mode == Mode::Direct) {
        const bool closed = !ownsDescriptor || ::close(fd) == 0;
        const int code = errno;
        ownsDescriptor = false;
        fd = -1;
        mode = Mode::Closed;
        return closed || fail(error, code);
    }
    if (::fsync(fd) != 0)
        return fail(error, errno);
    if (mode == Mode::Unnamed) {
        if (!linkIn(error))
            return false;
        if (mode == Mode::Unnamed) {
            temporary.clear();
            discard();
            return true;
        }
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(error, errno);
    temporary.clear();
    discard();
    return true;
}

void SaveFile::discard()
{
    if (fd >= 0 && ownsDescriptor)
        ::close(fd);
    fd = -1;
    ownsDescriptor = false;
    if (mode == Mode::Named && !temporary.empty())
        ::unlink(temporary.c_str());
    temporary.clear();
    mode = Mode::Closed;
}
