#include "threeportlines.h"

#include "frequencytest.h"
#include "numberlines.h"
#include "numberscan.h"
#include "portrenormalize.h"
#include "threeport.h"

namespace {

// Appends a point at the end of the measurement; null when no memory is left.
S2PPoint* appendPoint(RubberS2PData& m)
{
    return m.point(m.itemCount);
}

} // namespace

LoadResult readThreePortLines(const TouchstoneText& text, RubberS2PData* const* views, std::string& label)
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
        const double* const pairs[3] = { v12, v23, v13 };
        S2PPoint* points[4] = {};
        for (int v = 0; v < 4; ++v) {
            points[v] = appendPoint(*views[v]);
            outOfMemory = outOfMemory || points[v] == nullptr;
        }
        if (outOfMemory)
            break;
        for (int v = 0; v < 3; ++v) {
            storePoint(*points[v], n[0], o.dataFormat, o.freqMultiplier, pairs[v]);
            if (convert)
                renormalizeTwoPort(points[v]->sParams, o.refResistance);
        }
        points[3]->freq = n[0] * o.freqMultiplier;
        points[3]->sParams.resize(2, 2);
        reduceThreePort(*points[0], *points[1], *points[2], *points[3], label);
        p = eol == end ? eol : eol + 1;
    }
    return finishThreePortViews(views, outOfMemory, label);
}
