#include "filesizelimit.h"

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    if (::getrlimit(RLIMIT_FSIZE, &previous_) != 0)
        return;
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    saved_ = true;
    rlimit small = previous_;
    small.rlim_cur = bytes;
    active_ = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (!saved_)
        return;
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
}
