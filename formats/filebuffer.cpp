#include "filebuffer.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor on every way out of the read.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : fd_(fd)
    {
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

LoadResult readWholeFile(const std::string& path, std::vector<char>& buffer, size_t& length)
{
    length = 0;
    buffer.clear();
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0)
        return LoadCannotOpen;
    struct stat info { };
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return LoadCannotOpen;

    const auto size = static_cast<unsigned long long>(info.st_size);
    if (size >= buffer.max_size())
        return LoadCannotRead;
    try {
        buffer.assign(static_cast<size_t>(size) + 1, 0);
    } catch (const std::bad_alloc&) {
        return LoadCannotRead;
    }

    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(file.get(), buffer.data() + done, static_cast<size_t>(size) - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    if (done < size) {
        buffer.clear();
        return LoadCannotRead;
    }
    length = static_cast<size_t>(size);
    return LoadSuccess;
}
