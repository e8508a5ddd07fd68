#pragma once

#include <cstddef>

// printf-style formatting into buffer under the C locale, whatever locale the process uses,
// so that files always get a decimal point. Returns what snprintf returns.
int formatClassic(char* buffer, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
