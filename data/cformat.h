#pragma once

#include <string>

// printf-style formatting that always uses the "C" locale, so numbers in files, settings and
// batch output keep their decimal point whatever locale the process runs in.
std::string cFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
