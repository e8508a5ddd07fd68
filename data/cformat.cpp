#include "cformat.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "clocalescope.h"

std::string cFormat(const char* format, ...)
{
    const CLocaleScope scope;
    char small[128];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (needed < 0) {
        va_end(again);
        return std::string();
    }
    if (static_cast<size_t>(needed) < sizeof small) {
        va_end(again);
        return std::string(small, static_cast<size_t>(needed));
    }
    std::vector<char> large(static_cast<size_t>(needed) + 1);
    std::vsnprintf(large.data(), large.size(), format, again);
    va_end(again);
    return std::string(large.data(), static_cast<size_t>(needed));
}
