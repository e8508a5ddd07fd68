#include "classicformat.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace {

locale_t classicLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

int formatClassic(char* buffer, size_t size, const char* format, ...)
{
    // The thread's locale is switched only for this call; other threads are unaffected.
    const locale_t previous = uselocale(classicLocale());
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    uselocale(previous);
    return written;
}
