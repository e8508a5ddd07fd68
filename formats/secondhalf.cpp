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

size_t estimatedLines(const char* begin, const char* end)
{
    while (begin != end && *begin == 0)
        ++begin;
    const void* firstEnd = std::memchr(begin, 0, static_cast<size_t>(end - begin));
    if (firstEnd == nullptr)
        return 1;
    const auto firstBytes = static_cast<size_t>(static_cast<const char*>(firstEnd) - begin) + 1;
    const size_t lines = static_cast<size_t>(end - begin) / firstBytes + 1;
    return lines + lines / 8;
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
