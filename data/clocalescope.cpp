#include "clocalescope.h"

namespace {

// The "C" locale, made once for the process; uselocale applies it to the calling thread only.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

CLocaleScope::CLocaleScope()
    : previous(
        cLocale() != static_cast<locale_t>(nullptr) ? uselocale(cLocale()) : static_cast<locale_t>(nullptr))
{
}

CLocaleScope::~CLocaleScope()
{
    if (previous != static_cast<locale_t>(nullptr))
        uselocale(previous);
}
