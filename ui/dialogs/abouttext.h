#pragma once

#include <cstdint>
#include <string>

#include "language.h"

// When the program was built, in the compiler's forms: date "Mmm dd yyyy" (the day padded
// with a blank), time "hh:mm:ss".
struct BuildStamp {
    std::string date;
    std::string time;
};

// The stamp this build recorded.
BuildStamp programBuildStamp();

// A compiler build date as "dd.mm.yyyy"; "??.??.????" when it is not in the compiler's form.
std::string buildDateText(const std::string& compilerDate);

// The About box's six lines, separated by '\n': name, version and bitness; empty; the maker;
// the maker's web address; empty; build date and time.
std::string aboutText(Language language, const BuildStamp& stamp);
std::string aboutText(Language language);
