#pragma once

#include <csignal>
#include <sys/resource.h>

// Lets the process write files of at most the given size for the lifetime of the object, with
// SIGXFSZ ignored so that a write past the limit fails instead of ending the process; gives
// the previous limit and handler back afterwards. It makes a write fail half-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set.
    bool active() const { return active_; }

private:
    rlimit previous_ {};
    void (*previousHandler_)(int) = SIG_DFL;
    bool saved_ = false; // the previous limit and handler are held
    bool active_ = false;
};
