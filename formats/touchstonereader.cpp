#include "touchstonereader.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "filebuffer.h"
#include "numberscan.h"
#include "textprep.h"
#include "threeport.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
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

bool needsRenormalize(double refResistance)
{
    return std::fabs(refResistance - kSystemResistance) > kRenormalizeTolerance;
}

// The prepared text of a reader and the option line found in it.
struct PreparedText {
    const char* text = nullptr;
    const char* end = nullptr;
    const char* dataStart = nullptr;
    TouchstoneOptions options;
};

LoadResult prepare(char* buffer, size_t length, PreparedText& prepared)
{
    const size_t n = normalizeText(buffer, length);
    const size_t start = parseOptionLine(buffer, n, prepared.options);
    prepared.text = buffer;
    prepared.end = buffer + n;
    if (start >= n)
        return LoadNoData;
    if (prepared.options.paramType != ParamS)
        return LoadNotSParameters;
    const double r = prepared.options.refResistance;
    if (!(r > 0.0) || !std::isfinite(r))
        return LoadNoData;
    prepared.dataStart = buffer + start;
    return LoadSuccess;
}

// The first number character at or after p, or end.
const char* nextNumberStart(const char* p, const char* end)
{
    while (p != end && !isNumberChar(*p))
        ++p;
    return p;
}

// The NUL that ends the line holding p, or end.
const char* lineEnd(const char* p, const char* end)
{
    const void* nul = std::memchr(p, 0, static_cast<size_t>(end - p));
    return nul != nullptr ? static_cast<const char*>(nul) : end;
}

// Accepts the first frequency of a file and then only strictly increasing ones.
class FrequencyTest {
public:
    bool accept(double rawFreq)
    {
        if (havePrevious_ && !(rawFreq > previous_))
            return false;
        havePrevious_ = true;
        previous_ = rawFreq;
        return true;
    }

private:
    bool havePrevious_ = false;
    double previous_ = 0.0;
};

// Appends a point at the end of the measurement; null when no memory is left.
S2PPoint* appendPoint(RubberS2PData& m)
{
    return m.point(m.itemCount);
}

LoadResult finishOnePort(RubberS2PData& m, bool outOfMemory)
{
    if (!outOfMemory && m.itemCount > 1) {
        m.dataValid = 1;
        return LoadSuccess;
    }
    m.releasePoints();
    return outOfMemory ? LoadCannotRead : LoadNoData;
}

// S11 of a one-port converted from oldR to 50 ohm on its own; the filler parameters of the
// point stay as read.
void renormalizeReflection(S2PPoint& point, double oldR)
{
    const double gamma = (kSystemResistance - oldR) / (kSystemResistance + oldR);
    const Complex s = point.sParams(0, 0);
    const Complex denominator = 1.0 - gamma * s;
    point.sParams(0, 0) = denominator == Complex(0.0, 0.0) ? Complex(0.0, 0.0) : (s - gamma) / denominator;
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

void storePoint(
    S2PPoint& point, double rawFreq, int dataFormat, double freqMultiplier, const double numbers[8])
{
    point.freq = rawFreq * freqMultiplier;
    point.sParams.resize(2, 2);
    for (int32_t e = 0; e < 4; ++e) {
        const double a = numbers[2 * e];
        const double b = numbers[2 * e + 1];
        Complex value;
        if (dataFormat == FormatRI)
            value = Complex(a, b);
        else if (dataFormat == FormatDB)
            value = std::polar(std::pow(10.0, a / 20.0), b * kPi / 180.0);
        else
            value = std::polar(a, b * kPi / 180.0);
        point.sParams(e / 2, e % 2) = value;
    }
}

void renormalize(S2PPoint& point, double oldR, double newR)
{
    const double gamma = (newR - oldR) / (newR + oldR);
    const double a = std::sqrt(newR / oldR) / (newR + oldR);
    const ComplexMatrix& s = point.sParams;
    const ComplexMatrix unit = identity(s);
    const ComplexMatrix scale = scalarDiagonal(s, Complex(a, 0.0));
    const ComplexMatrix g = scalarDiagonal(s, Complex(gamma, 0.0));

    const ComplexMatrix gs = g * s;
    const ComplexMatrix denominator = inverse(unit - gs);
    const ComplexMatrix numerator = s - g;
    const ComplexMatrix scaleInverse = inverse(scale);
    point.sParams = scaleInverse * numerator * denominator * scale;
}

namespace {

// The data scan of one- and two-port files: one point per data line, in file order.
LoadResult readPointLines(RubberS2PData& measurement, char* buffer, size_t length, bool onePort)
{
    measurement.clearPoints();
    PreparedText prepared;
    const LoadResult ready = prepare(buffer, length, prepared);
    measurement.dataValid = 0;
    if (ready != LoadSuccess)
        return ready;

    const TouchstoneOptions& o = prepared.options;
    const bool convert = needsRenormalize(o.refResistance);
    // Frequency, then S11, S21, S12, S22 of a two-port or S11 of a one-port. A short two-port
    // line keeps the previous line's later numbers; a short one-port line reads zeros.
    double n[9] = {};
    FrequencyTest frequencies;
    bool outOfMemory = false;
    for (const char* p = nextNumberStart(prepared.dataStart, prepared.end); p != prepared.end;
         p = nextNumberStart(p, prepared.end)) {
        const char* eol = lineEnd(p, prepared.end);
        if (onePort) {
            n[0] = n[1] = n[2] = 0.0;
            scanNumbers(p, eol, n, 3);
        } else {
            scanNumbers(p, eol, n, 9);
        }
        if (!frequencies.accept(n[0]))
            break;
        S2PPoint* point = appendPoint(measurement);
        if (point == nullptr) {
            outOfMemory = true;
            break;
        }
        if (onePort) {
            const double matrixOrder[8] = { n[1], n[2], 0.0, 0.0, 0.0, 0.0, 0.0, 0.0 };
            storePoint(*point, n[0], o.dataFormat, o.freqMultiplier, matrixOrder);
            if (convert)
                renormalizeReflection(*point, o.refResistance);
        } else {
            const double matrixOrder[8] = { n[1], n[2], n[5], n[6], n[3], n[4], n[7], n[8] };
            storePoint(*point, n[0], o.dataFormat, o.freqMultiplier, matrixOrder);
            if (convert)
                renormalize(*point, o.refResistance);
        }
        p = eol == prepared.end ? eol : eol + 1;
    }
    return finishOnePort(measurement, outOfMemory);
}

} // namespace

LoadResult readS2P(RubberS2PData& measurement, char* buffer, size_t length)
{
    return readPointLines(measurement, buffer, length, false);
}

LoadResult readS1P(RubberS2PData& measurement, char* buffer, size_t length)
{
    return readPointLines(measurement, buffer, length, true);
}

LoadResult readS3P(RubberS2PData& view12, RubberS2PData& view23, RubberS2PData& view13,
    RubberS2PData& reduced, char* buffer, size_t length, std::string& label)
{
    RubberS2PData* const all[4] = { &view12, &view23, &view13, &reduced };
    for (RubberS2PData* m : all)
        m->clearPoints();
    PreparedText prepared;
    const LoadResult ready = prepare(buffer, length, prepared);
    for (RubberS2PData* m : all)
        m->dataValid = 0;
    if (ready != LoadSuccess)
        return ready;

    const TouchstoneOptions& o = prepared.options;
    const bool convert = needsRenormalize(o.refResistance);
    const char* const end = prepared.end;
    FrequencyTest frequencies;
    bool outOfMemory = false;
    for (const char* p = nextNumberStart(prepared.dataStart, end); p != end; p = nextNumberStart(p, end)) {
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
        if (!frequencies.accept(n[0]))
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

    bool enough = !outOfMemory;
    for (RubberS2PData* m : all)
        enough = enough && m->itemCount > 1;
    if (enough) {
        for (RubberS2PData* m : all) {
            m->dataValid = 1;
            m->updateFreqSummary();
        }
        return LoadSuccess;
    }
    for (RubberS2PData* m : all)
        m->releasePoints();
    return outOfMemory ? LoadCannotRead : LoadNoData;
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
    const LoadResult result = read == LoadSuccess ? readS2P(measurement, buffer.get(), length) : read;
    measurement.sourcePath = path;
    return result;
}
