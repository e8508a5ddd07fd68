#include "touchstonereader.h"

#include <cmath>
#include <cstring>

#include "filebuffer.h"
#include "networkdata.h"
#include "numberlines.h"
#include "numberscan.h"
#include "pointlinereader.h"
#include "textprep.h"
#include "threeportlines.h"

namespace {

bool startsWithNoCase(const char* p, const char* end, const char* word)
{
    for (; *word != 0; ++p, ++word) {
        if (p == end)
            return false;
        char c = *p;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != *word)
            return false;
    }
    return true;
}

} // namespace

size_t parseOptionLine(const char* text, size_t length, TouchstoneOptions& options)
{
    const void* hash = std::memchr(text, '#', length);
    if (hash == nullptr)
        return length;
    const char* p = static_cast<const char*>(hash) + 1;
    const char* end = text + length;
    if (p >= end)
        return length;

    options = TouchstoneOptions();
    while (p != end && *p != 0) {
        if (startsWithNoCase(p, end, "GHZ"))
            options.freqMultiplier = 1e9;
        else if (startsWithNoCase(p, end, "MHZ"))
            options.freqMultiplier = 1e6;
        else if (startsWithNoCase(p, end, "KHZ"))
            options.freqMultiplier = 1e3;
        else if (startsWithNoCase(p, end, "HZ"))
            options.freqMultiplier = 1.0;
        else if (startsWithNoCase(p, end, "MA"))
            options.dataFormat = FormatMA;
        else if (startsWithNoCase(p, end, "DB"))
            options.dataFormat = FormatDB;
        else if (startsWithNoCase(p, end, "RI"))
            options.dataFormat = FormatRI;
        else if (*p == 'S' || *p == 's')
            options.paramType = ParamS;
        else if (*p == 'Y' || *p == 'y')
            options.paramType = ParamY;
        else if (*p == 'Z' || *p == 'z')
            options.paramType = ParamZ;
        else if (*p == 'H' || *p == 'h')
            options.paramType = ParamH;
        else if (*p == 'G' || *p == 'g')
            options.paramType = ParamG;
        else if (isNumberChar(*p))
            scanNumber(p, lineEnd(p, end), options.refResistance);

        while (p != end && *p != ' ' && *p != 0)
            ++p;
        if (p == end || *p == 0)
            break;
        ++p;
    }
    return static_cast<size_t>(p - text);
}

namespace {

bool usableResistance(double r)
{
    return r > 0.0 && std::isfinite(r);
}

LoadResult prepareVersion2(char* buffer, int ports, TouchstoneText& text)
{
    TouchstoneKeywords& k = text.keywords;
    const LoadResult keywords = parseTouchstoneKeywords(buffer, text.dataEnd, k);
    if (keywords != LoadSuccess)
        return keywords;
    if (ports >= 0 && ports != k.ports)
        return LoadBadKeywords;
    if (k.optionLine == nullptr)
        return LoadNoData;
    parseOptionLine(k.optionLine, static_cast<size_t>(text.dataEnd - k.optionLine), text.options);
    if (text.options.paramType != ParamS)
        return LoadNotSParameters;
    if (k.references.empty()) {
        if (!usableResistance(text.options.refResistance))
            return LoadNoData;
        k.references.assign(static_cast<size_t>(k.ports), text.options.refResistance);
    }
    text.version2 = true;
    text.ports = k.ports;
    text.dataStart = k.dataStart;
    text.dataEnd = k.dataEnd;
    return LoadSuccess;
}

} // namespace

LoadResult prepareTouchstone(char* buffer, size_t length, int ports, TouchstoneText& text)
{
    text = TouchstoneText();
    const size_t n = normalizeText(buffer, length);
    text.dataEnd = buffer + n;
    if (isTouchstone2(buffer, text.dataEnd))
        return prepareVersion2(buffer, ports, text);
    if (ports > kMaxTouchstonePorts)
        return LoadTooManyPorts;
    if (ports < 1)
        return LoadNoData;
    const size_t start = parseOptionLine(buffer, n, text.options);
    if (start >= n)
        return LoadNoData;
    if (text.options.paramType != ParamS)
        return LoadNotSParameters;
    if (!usableResistance(text.options.refResistance))
        return LoadNoData;
    text.ports = ports;
    text.dataStart = buffer + start;
    return LoadSuccess;
}

LoadResult readTouchstone(const TouchstoneText& text, RubberS2PData* const* views, std::string& label)
{
    const int count = touchstoneViewCount(text.ports);
    for (int v = 0; v < count; ++v) {
        views[v]->clearPoints();
        views[v]->dataValid = 0;
        views[v]->portCount = text.ports == 1 ? 1 : 2;
    }
    if (text.version2 || text.ports > 3)
        return readNetworkData(text, views, label);
    if (text.ports == 3)
        return readThreePortLines(text, views, label);
    return readPointLines(*views[0], text, text.ports == 1);
}

namespace {

LoadResult readFile(int ports, RubberS2PData* const* views, char* buffer, size_t length, std::string& label,
    FileBytes* file = nullptr)
{
    const int count = touchstoneViewCount(ports);
    for (int v = 0; v < count; ++v)
        views[v]->clearPoints();
    TouchstoneText text;
    const LoadResult ready = prepareTouchstone(buffer, length, ports, text);
    for (int v = 0; v < count; ++v)
        views[v]->dataValid = 0;
    if (ready != LoadSuccess)
        return ready;
    text.file = file;
    return readTouchstone(text, views, label);
}

} // namespace

LoadResult readS2P(RubberS2PData& measurement, char* buffer, size_t length)
{
    RubberS2PData* const views[1] = { &measurement };
    std::string label;
    return readFile(2, views, buffer, length, label);
}

LoadResult readS1P(RubberS2PData& measurement, char* buffer, size_t length)
{
    RubberS2PData* const views[1] = { &measurement };
    std::string label;
    return readFile(1, views, buffer, length, label);
}

LoadResult readS3P(RubberS2PData& view12, RubberS2PData& view23, RubberS2PData& view13,
    RubberS2PData& reduced, char* buffer, size_t length, std::string& label)
{
    RubberS2PData* const views[4] = { &view12, &view23, &view13, &reduced };
    return readFile(3, views, buffer, length, label);
}

LoadResult loadS2PFile(RubberS2PData& measurement, const std::string& path)
{
    FileBytes buffer;
    size_t length = 0;
    const LoadResult read = readWholeFile(path, buffer, length);
    if (read == LoadCannotOpen) {
        measurement.sourcePath.clear();
        return read;
    }
    RubberS2PData* const views[1] = { &measurement };
    std::string label;
    const LoadResult result
        = read == LoadSuccess ? readFile(2, views, buffer.get(), length, label, &buffer) : read;
    measurement.sourcePath = path;
    return result;
}
