#include "touchstonereader.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "angles.h"
#include "filebuffer.h"
#include "frequencytest.h"
#include "networkdata.h"
#include "numberlines.h"
#include "numberscan.h"
#include "pointlinereader.h"
#include "portrenormalize.h"
#include "textprep.h"
#include "threeport.h"

namespace {

// Reference resistances closer to 50 ohm than this are taken as 50 ohm.
constexpr double kRenormalizeTolerance = 0.1;
constexpr double kSystemResistance = 50.0;

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

// Appends a point at the end of the measurement; null when no memory is left.
S2PPoint* appendPoint(RubberS2PData& m)
{
    return m.point(m.itemCount);
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

Complex touchstoneValue(double a, double b, TouchstoneFormat dataFormat)
{
    if (dataFormat == FormatRI)
        return Complex(a, b);
    if (dataFormat == FormatDB)
        return std::polar(std::pow(10.0, a / 20.0), radiansOf(b));
    return std::polar(a, radiansOf(b));
}

void storePoint(S2PPoint& point, double rawFreq, TouchstoneFormat dataFormat, double freqMultiplier,
    const double numbers[8])
{
    point.freq = rawFreq * freqMultiplier;
    // Every element is set below, so a 2 x 2 matrix needs no zeroing first.
    if (point.sParams.rowCount != 2 || point.sParams.colCount != 2)
        point.sParams.resize(2, 2);
    for (int32_t e = 0; e < 4; ++e)
        point.sParams(e / 2, e % 2) = touchstoneValue(numbers[2 * e], numbers[2 * e + 1], dataFormat);
}

void renormalize(S2PPoint& point, double oldR, double newR)
{
    const double references[2] = { oldR, oldR };
    renormalizePorts(point.sParams, references, newR);
}

void renormalizeReflection(S2PPoint& point, double oldR)
{
    const double gamma = (kSystemResistance - oldR) / (kSystemResistance + oldR);
    const Complex s = point.sParams(0, 0);
    const Complex denominator = 1.0 - gamma * s;
    point.sParams(0, 0) = denominator == Complex(0.0, 0.0) ? Complex(0.0, 0.0) : (s - gamma) / denominator;
}

bool needsRenormalize(double refResistance)
{
    return std::fabs(refResistance - kSystemResistance) > kRenormalizeTolerance;
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

int touchstoneViewCount(int ports)
{
    if (ports <= 2)
        return 1;
    if (ports == 3)
        return 4;
    return ports * (ports - 1) / 2;
}

namespace {

// The data scan of version 1 three-port files: a frequency group is the line that starts it and
// the next two lines that hold numbers.
LoadResult readThreePortLines(RubberS2PData* const* all, const TouchstoneText& text, std::string& label)
{
    const TouchstoneOptions& o = text.options;
    const bool convert = needsRenormalize(o.refResistance);
    const char* const end = text.dataEnd;
    FrequencyTest frequencies;
    bool outOfMemory = false;
    for (const char* p = nextNumberStart(text.dataStart, end); p != end; p = nextNumberStart(p, end)) {
        // Frequency and S11 S12 S13 on the first line, S21 S22 S23 and S31 S32 S33 on the next
        // two lines that hold numbers.
        double n[19] = {};
        const char* eol = lineEnd(p, end);
        scanNumbers(p, eol, n, 7);
        for (int row = 0; row < 2; ++row) {
            p = nextNumberStart(eol, end);
            eol = lineEnd(p, end);
            scanNumbers(p, eol, n + 7 + 6 * row, 6);
        }
        if (!frequencies.accept(n[0], o.freqMultiplier))
            break;

        const double* s1 = n + 1;
        const double* s2 = n + 7;
        const double* s3 = n + 13;
        const double v12[8] = { s1[0], s1[1], s1[2], s1[3], s2[0], s2[1], s2[2], s2[3] };
        const double v23[8] = { s2[2], s2[3], s2[4], s2[5], s3[2], s3[3], s3[4], s3[5] };
        const double v13[8] = { s1[0], s1[1], s1[4], s1[5], s3[0], s3[1], s3[4], s3[5] };
        const double* const views[3] = { v12, v23, v13 };
        S2PPoint* points[4] = {};
        for (int v = 0; v < 4; ++v) {
            points[v] = appendPoint(*all[v]);
            outOfMemory = outOfMemory || points[v] == nullptr;
        }
        if (outOfMemory)
            break;
        for (int v = 0; v < 3; ++v) {
            storePoint(*points[v], n[0], o.dataFormat, o.freqMultiplier, views[v]);
            if (convert)
                renormalize(*points[v], o.refResistance);
        }
        points[3]->freq = n[0] * o.freqMultiplier;
        points[3]->sParams.resize(2, 2);
        reduceThreePort(*points[0], *points[1], *points[2], *points[3], label);
        p = eol == end ? eol : eol + 1;
    }
    return finishViews(all, 4, outOfMemory);
}

} // namespace

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
        return readThreePortLines(views, text, label);
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
