#pragma once

#include <unistd.h>

// Owns an open file descriptor and closes it on every way out; a negative one owns nothing.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor)
        : fd(descriptor)
    {
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int get() const { return fd; }

private:
    int fd;
};
