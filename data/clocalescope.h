#pragma once

#include <locale.h>

// Switches the calling thread to the "C" locale for the lifetime of the object, so that the
// printf and strtod families print and read numbers with a decimal point in every user
// locale. Other threads keep theirs.
class CLocaleScope {
public:
    CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;
    ~CLocaleScope();

private:
    locale_t previous; // the thread's locale before; null when the "C" locale could not be made
};
