#include "cformat.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace {

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Switches the calling thread to the "C" locale for the lifetime of the object.
class CLocaleScope {
public:
    CLocaleScope()
        : previous_(uselocale(cLocale()))
    {
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;
    ~CLocaleScope() { uselocale(previous_); }

private:
    locale_t previous_;
};

} // namespace

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
