#include "loadlock.h"

std::mutex& loadLock()
{
    static std::mutex lock;
    return lock;
}
