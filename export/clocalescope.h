#pragma once

#include <clocale>
#include <locale.h>

// Switches the calling thread to the "C" locale for the lifetime of the object, so that the
// numbers the workbook writer prints keep their decimal point in every user locale. Other
// threads keep theirs.
class CLocaleScope {
public:
    CLocaleScope()
        : previous(uselocale(cLocale()))
    {
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;
    ~CLocaleScope() { uselocale(previous); }

private:
    static locale_t cLocale()
    {
        static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        return locale;
    }

    locale_t previous;
};
