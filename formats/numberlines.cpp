#include "numberlines.h"

#include <cstring>

#include "numberscan.h"

const char* nextNumberStart(const char* p, const char* end)
{
    while (p != end && !isNumberChar(*p))
        ++p;
    return p;
}

const char* lineEnd(const char* p, const char* end)
{
    const void* nul = std::memchr(p, 0, static_cast<size_t>(end - p));
    return nul != nullptr ? static_cast<const char*>(nul) : end;
}

size_t countNumberLines(const char* begin, const char* end)
{
    size_t count = 0;
    for (const char* p = nextNumberStart(begin, end); p != end; p = nextNumberStart(p, end)) {
        ++count;
        const char* eol = lineEnd(p, end);
        p = eol == end ? eol : eol + 1;
    }
    return count;
}

bool scanNumberLines(const char* begin, const char* end, int width, FileBytes* file,
    const std::function<bool(const double* numbers, int count)>& take, const char** resume)
{
    ReleaseBehind behind(file, begin);
    for (const char* p = nextNumberStart(begin, end); p != end; p = nextNumberStart(p, end)) {
        behind.reached(p);
        // No number holds a NUL, so the numbers end within the line without searching its end
        // first; whatever follows them on the line is skipped.
        double numbers[kMaxLineNumbers];
        const char* last = p;
        const int count = scanNumbers(p, end, numbers, width, &last);
        const char* eol = lineEnd(last, end);
        p = eol == end ? eol : eol + 1;
        if (!take(numbers, count)) {
            if (resume != nullptr)
                *resume = p;
            return false;
        }
    }
    if (resume != nullptr)
        *resume = end;
    return true;
}
