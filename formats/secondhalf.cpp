#include "secondhalf.h"

#include <cstring>
#include <system_error>

namespace {

// Texts shorter than this are read by one thread: a helper would cost more than it saves.
constexpr ptrdiff_t kSplitBytes = ptrdiff_t { 4 } << 20;

} // namespace

const char* secondHalfStart(const char* begin, const char* end)
{
    if (end - begin < kSplitBytes)
        return nullptr;
    const char* const middle = begin + (end - begin) / 2;
    const void* nul = std::memchr(middle, 0, static_cast<size_t>(end - middle));
    return nul != nullptr ? static_cast<const char*>(nul) + 1 : nullptr;
}

size_t countLineEnds(const char* begin, const char* end)
{
    size_t count = 0;
    for (const char* p = begin;
         (p = static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)))) != nullptr; ++p)
        ++count;
    return count;
}

bool startHelper(std::thread& helper, const std::function<void()>& work)
{
    try {
        helper = std::thread(work);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}
