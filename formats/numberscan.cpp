#include "numberscan.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

#include <fast_float/fast_float.h>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Hexadecimal numbers are rare in measurement files; they go through the C library with the
// "C" locale on a bounded copy of the token.
const char* scanHexNumber(const char* p, const char* end, double& value)
{
    const char* q = p;
    if (q != end && (*q == '+' || *q == '-'))
        ++q;
    q += 2;
    while (q != end && (isHexDigit(*q) || *q == '.'))
        ++q;
    if (q != end && (*q == 'p' || *q == 'P')) {
        ++q;
        if (q != end && (*q == '+' || *q == '-'))
            ++q;
        while (q != end && *q >= '0' && *q <= '9')
            ++q;
    }
    const std::string token(p, q);
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char* tokenEnd = nullptr;
    const double v = strtod_l(token.c_str(), &tokenEnd, cLocale);
    if (tokenEnd == token.c_str())
        return nullptr;
    value = v;
    return p + (tokenEnd - token.c_str());
}

} // namespace

bool isNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e';
}

const char* scanNumber(const char* p, const char* end, double& value)
{
    while (p != end && isBlank(*p))
        ++p;
    if (p == end)
        return nullptr;
    const char* body = p;
    if (*body == '+' || *body == '-')
        ++body;
    if (body != end && *body == '0' && end - body > 2 && (body[1] == 'x' || body[1] == 'X'))
        return scanHexNumber(p, end, value);

    const char* first = *p == '+' ? p + 1 : p;
    if (first == end || *first == '+' || (*p == '+' && *first == '-'))
        return nullptr;
    double v = 0.0;
    const auto result = fast_float::from_chars(first, end, v);
    if (result.ec == std::errc::invalid_argument)
        return nullptr;
    value = v;
    return result.ptr;
}

int scanNumbers(const char* p, const char* end, double* values, int count, const char** stop)
{
    int read = 0;
    while (read < count) {
        const char* next = scanNumber(p, end, values[read]);
        if (next == nullptr)
            break;
        p = next;
        ++read;
    }
    if (stop != nullptr)
        *stop = p;
    return read;
}
