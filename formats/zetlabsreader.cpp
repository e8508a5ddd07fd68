#include "zetlabsreader.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "loadlock.h"
#include "numberscan.h"
#include "pathparts.h"
#include "textprep.h"

namespace {

const char* skipSpaces(const char* p)
{
    while (*p == ' ')
        ++p;
    return p;
}

const char* skipNumberChars(const char* p)
{
    while (isNumberChar(*p))
        ++p;
    return p;
}

// The NUL that ends the prepared line holding p.
const char* lineEnd(const char* p)
{
    return p + std::strlen(p);
}

// Number tokens on the first prepared line: every run of number characters counts once,
// anything else only moves the scan on.
int countColumns(const char* p)
{
    int count = 0;
    while (true) {
        p = skipSpaces(p);
        if (isNumberChar(*p)) {
            p = skipNumberChars(p);
            ++count;
        }
        if (*p == 0)
            return count;
        ++p;
    }
}

// The measurements one file appends, one per data column.
using Columns = std::vector<RubberS2PData*>;

bool appendColumns(RubberS2P& list, int count, Columns& columns)
{
    const std::lock_guard<std::mutex> guard(loadLock());
    const int32_t first = list.itemCount;
    for (int c = 0; c < count; ++c) {
        RubberS2PData* m = list.measurement(first + c);
        if (m == nullptr)
            return false;
        columns.push_back(m);
    }
    return true;
}

// Reads the point lines of the prepared text into the columns; false rejects the file.
bool readLines(const char* text, const char* textEnd, const Columns& columns)
{
    int32_t k = 0;
    for (const char* p = text; p < textEnd; ++k) {
        p = skipSpaces(p);
        const char* eol = lineEnd(p);
        double freq = 0.0;
        if (scanNumber(p, eol, freq) == nullptr)
            return false;
        // No grid holds a frequency that is not finite: the points end before it.
        if (!std::isfinite(freq))
            return true;
        p = skipNumberChars(p);
        for (RubberS2PData* m : columns) {
            p = skipSpaces(p);
            // The last line of the text gives no point to the columns it lacks.
            if (p >= textEnd)
                return true;
            double dB = 0.0;
            if (*p != 0 && scanNumber(p, eol, dB) == nullptr)
                return false;
            S2PPoint* point = m->point(k);
            if (point == nullptr)
                return false;
            point->freq = freq;
            point->sParams(1, 0) = Complex(std::pow(10.0, dB / 20.0), 0.0);
            p = skipNumberChars(skipSpaces(p));
        }
        p = lineEnd(p) + 1;
    }
    return true;
}

// The columns of a file that is not taken keep no points.
void reject(const Columns& columns)
{
    for (RubberS2PData* m : columns) {
        m->releasePoints();
        m->dataValid = 0;
    }
}

std::string columnName(const std::string& name, int column)
{
    std::vector<char> text(name.size() + 16);
    std::snprintf(text.data(), text.size(), "%s-%2.2d", name.c_str(), column);
    return text.data();
}

} // namespace

LoadResult readZetLabs(const std::string& path, char* buffer, size_t length, RubberS2P& list)
{
    const size_t prepared = normalizeText(buffer, length);
    if (prepared == 0)
        return LoadSuccess;
    const int tokens = countColumns(buffer);
    if (tokens < 2)
        return LoadSuccess;
    if (tokens - 1 > maxListMeasurements)
        return LoadTooManyMeasurements;

    Columns columns;
    const bool appended = appendColumns(list, tokens - 1, columns);
    if (!appended) {
        reject(columns);
        return LoadOutOfMemory;
    }
    if (!readLines(buffer, buffer + prepared, columns)) {
        reject(columns);
        return LoadSuccess;
    }

    try {
        const std::string name = fileNamePart(path);
        for (size_t c = 0; c < columns.size(); ++c) {
            RubberS2PData* m = columns[c];
            m->dataValid = 1;
            m->updateFreqSummary();
            m->fullName = path;
            m->displayName = columnName(name, static_cast<int>(c + 1));
            m->sourcePath = c == 0 ? path : std::string();
        }
    } catch (const std::bad_alloc&) {
        reject(columns);
        return LoadOutOfMemory;
    }
    return LoadSuccess;
}
