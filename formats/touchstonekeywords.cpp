#include "touchstonekeywords.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "numberlines.h"
#include "numberscan.h"

namespace {

// One keyword line: the name between the brackets and the text after them.
struct KeywordLine {
    const char* name = nullptr;
    const char* nameEnd = nullptr;
    const char* value = nullptr;
    const char* valueEnd = nullptr;
};

const char* nextLine(const char* p, const char* end)
{
    const char* eol = lineEnd(p, end);
    return eol == end ? end : eol + 1;
}

// The keyword of the line at p; false when the line is no keyword line.
bool keywordAt(const char* p, const char* end, KeywordLine& keyword)
{
    const char* eol = lineEnd(p, end);
    if (p == eol || *p != '[')
        return false;
    const void* close = std::memchr(p, ']', static_cast<size_t>(eol - p));
    if (close == nullptr)
        return false;
    keyword.name = p + 1;
    keyword.nameEnd = static_cast<const char*>(close);
    keyword.value = keyword.nameEnd + 1;
    if (keyword.value != eol && *keyword.value == ' ')
        ++keyword.value;
    keyword.valueEnd = eol;
    return true;
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalNoCase(const char* p, const char* end, const char* word)
{
    for (; p != end && *word != 0; ++p, ++word)
        if (upper(*p) != upper(*word))
            return false;
    return p == end && *word == 0;
}

bool named(const KeywordLine& keyword, const char* name)
{
    return equalNoCase(keyword.name, keyword.nameEnd, name);
}

bool valueIs(const KeywordLine& keyword, const char* word)
{
    return equalNoCase(keyword.value, keyword.valueEnd, word);
}

// A whole-number value; false unless the value is one integer and nothing else.
bool integerValue(const KeywordLine& keyword, int64_t& value)
{
    const auto result = std::from_chars(keyword.value, keyword.valueEnd, value);
    return result.ec == std::errc() && result.ptr == keyword.valueEnd;
}

// Appends the numbers from p to end to values.
void appendNumbers(const char* p, const char* end, std::vector<double>& values)
{
    double v = 0.0;
    while (const char* next = scanNumber(p, end, v)) {
        values.push_back(v);
        p = next;
    }
}

LoadResult readVersion(const KeywordLine& keyword)
{
    return valueIs(keyword, "2.0") || valueIs(keyword, "2.1") ? LoadSuccess : LoadBadKeywords;
}

LoadResult readPorts(const KeywordLine& keyword, int& ports)
{
    int64_t n = 0;
    if (!integerValue(keyword, n) || n < 1)
        return LoadBadKeywords;
    if (n > kMaxTouchstonePorts)
        return LoadTooManyPorts;
    ports = static_cast<int>(n);
    return LoadSuccess;
}

LoadResult readDataOrder(const KeywordLine& keyword, bool& order12_21)
{
    order12_21 = valueIs(keyword, "12_21");
    return order12_21 || valueIs(keyword, "21_12") ? LoadSuccess : LoadBadKeywords;
}

LoadResult readCount(const KeywordLine& keyword, int64_t least, int64_t& count)
{
    return integerValue(keyword, count) && count >= least ? LoadSuccess : LoadBadKeywords;
}

LoadResult readMatrixFormat(const KeywordLine& keyword, TouchstoneMatrix& matrix)
{
    if (valueIs(keyword, "Full"))
        matrix = MatrixFull;
    else if (valueIs(keyword, "Lower"))
        matrix = MatrixLower;
    else if (valueIs(keyword, "Upper"))
        matrix = MatrixUpper;
    else
        return LoadBadKeywords;
    return LoadSuccess;
}

// The resistances on the [Reference] line and on the lines of numbers after it. Returns the
// first line after them.
const char* readReferences(const KeywordLine& keyword, const char* end, std::vector<double>& references)
{
    appendNumbers(keyword.value, keyword.valueEnd, references);
    const char* p = nextLine(keyword.valueEnd, end);
    while (p != end && isNumberChar(*p)) {
        const char* eol = lineEnd(p, end);
        appendNumbers(p, eol, references);
        p = nextLine(eol, end);
    }
    return p;
}

bool referencesUsable(const std::vector<double>& references)
{
    for (double r : references)
        if (!(r > 0.0) || !std::isfinite(r))
            return false;
    return true;
}

} // namespace

bool isTouchstone2(const char* text, const char* end)
{
    KeywordLine keyword;
    return keywordAt(text, end, keyword) && named(keyword, "Version");
}

LoadResult parseTouchstoneKeywords(const char* text, const char* end, TouchstoneKeywords& k)
{
    k = TouchstoneKeywords();
    bool haveReferences = false;
    const char* p = text;
    while (p != end) {
        KeywordLine keyword;
        if (!keywordAt(p, end, keyword)) {
            if (*p == '#' && k.optionLine == nullptr)
                k.optionLine = p;
            p = nextLine(p, end);
            continue;
        }
        LoadResult r = LoadSuccess;
        if (named(keyword, "Network Data")) {
            k.dataStart = nextLine(keyword.valueEnd, end);
            const void* next = std::memchr(k.dataStart, '[', static_cast<size_t>(end - k.dataStart));
            k.dataEnd = next != nullptr ? static_cast<const char*>(next) : end;
            break;
        }
        if (named(keyword, "Reference")) {
            haveReferences = true;
            p = readReferences(keyword, end, k.references);
            continue;
        }
        if (named(keyword, "Begin Information")) {
            KeywordLine last;
            do
                p = nextLine(p, end);
            while (p != end && !(keywordAt(p, end, last) && named(last, "End Information")));
        } else if (named(keyword, "Version"))
            r = readVersion(keyword);
        else if (named(keyword, "Number of Ports"))
            r = readPorts(keyword, k.ports);
        else if (named(keyword, "Two-Port Data Order"))
            r = readDataOrder(keyword, k.order12_21);
        else if (named(keyword, "Number of Frequencies"))
            r = readCount(keyword, 1, k.frequencies);
        else if (named(keyword, "Number of Noise Frequencies")) {
            int64_t noise = 0;
            r = readCount(keyword, 0, noise);
        } else if (named(keyword, "Matrix Format"))
            r = readMatrixFormat(keyword, k.matrix);
        else if (named(keyword, "Mixed-Mode Order"))
            r = LoadNotSParameters;
        if (r != LoadSuccess)
            return r;
        p = nextLine(p, end);
    }
    if (k.ports == 0 || k.dataStart == nullptr)
        return LoadBadKeywords;
    if (haveReferences
        && (k.references.size() != static_cast<size_t>(k.ports) || !referencesUsable(k.references)))
        return LoadBadKeywords;
    return LoadSuccess;
}
