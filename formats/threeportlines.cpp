#include "threeportlines.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>
#include <thread>

#include "frequencytest.h"
#include "halfrecords.h"
#include "numberlines.h"
#include "numberscan.h"
#include "portrenormalize.h"
#include "secondhalf.h"
#include "threeport.h"

namespace {

// Lines of a frequency group, and the numbers read from the first and from each later line.
constexpr int kGroupLines = 3;
constexpr int kFirstLineNumbers = 7;
constexpr int kRowNumbers = 6;

// Reads frequency groups into points: frequency and S11 S12 S13 on the first line, S21 S22 S23
// and S31 S32 S33 on the next two lines that hold numbers; missing numbers read as zero.
struct GroupReader {
    explicit GroupReader(const TouchstoneOptions& o)
        : options(o)
        , convert(needsRenormalize(o.refResistance))
    {
    }

    // Where line k of the group (0 to 2) keeps its numbers.
    double* lineNumbers(size_t k) { return k == 0 ? n : n + kFirstLineNumbers + kRowNumbers * (k - 1); }

    // Reads the groups between p and end, the first of which has its first have lines read
    // already, until a frequency does not increase or newPoints finds no memory. A group that
    // the end cuts short is read with zeros when textEnd, else left for the text behind.
    template <typename NewPoints>
    RecordRun scan(const char* p, const char* end, size_t have, bool textEnd, FileBytes* file,
        const std::atomic<bool>* stop, NewPoints newPoints)
    {
        RecordRun run;
        ReleaseBehind behind(file, p);
        for (;;) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                run.stopped = true;
                break;
            }
            if (have == 0)
                std::fill(std::begin(n), std::end(n), 0.0);
            for (; have < kGroupLines; ++have) {
                p = nextNumberStart(p, end);
                if (p == end)
                    break;
                const char* eol = lineEnd(p, end);
                scanNumbers(p, eol, lineNumbers(have), have == 0 ? kFirstLineNumbers : kRowNumbers);
                p = eol == end ? eol : eol + 1;
            }
            if (have == 0 || (have < kGroupLines && !textEnd)) {
                run.partial = have;
                break;
            }
            have = 0;
            if (!frequencies.accept(n[0], options.freqMultiplier)) {
                run.stopped = true;
                break;
            }
            if (run.read == 0)
                run.firstRawFrequency = n[0];
            S2PPoint* points[4] = {};
            if (!newPoints(points)) {
                run.stopped = run.outOfMemory = true;
                break;
            }
            build(points);
            ++run.read;
            behind.reached(p);
        }
        return run;
    }

    void build(S2PPoint* const* points)
    {
        const double* s1 = n + 1;
        const double* s2 = n + 7;
        const double* s3 = n + 13;
        const double v12[8] = { s1[0], s1[1], s1[2], s1[3], s2[0], s2[1], s2[2], s2[3] };
        const double v23[8] = { s2[2], s2[3], s2[4], s2[5], s3[2], s3[3], s3[4], s3[5] };
        const double v13[8] = { s1[0], s1[1], s1[4], s1[5], s3[0], s3[1], s3[4], s3[5] };
        const double* const pairs[3] = { v12, v23, v13 };
        for (int v = 0; v < 3; ++v) {
            storePoint(*points[v], n[0], options.dataFormat, options.freqMultiplier, pairs[v]);
            if (convert)
                renormalizeTwoPort(points[v]->sParams, options.refResistance);
        }
        points[3]->freq = n[0] * options.freqMultiplier;
        points[3]->sParams.resize(2, 2);
        reduceThreePort(*points[0], *points[1], *points[2], *points[3], label);
    }

    const TouchstoneOptions& options;
    const bool convert;
    double n[kFirstLineNumbers + 2 * kRowNumbers] = {};
    FrequencyTest frequencies;
    std::string label;
};

// The helper thread's part: the group lines before the first line that reads a whole first line
// (a frequency and three pairs) are its lead, kept as read.
void readSecondHalf(
    HalfRecords& half, GroupReader& reader, const char* begin, const char* end, const std::atomic<bool>& stop)
{
    const char* p = begin;
    for (int k = 0;; ++k) {
        p = nextNumberStart(p, end);
        if (k == kGroupLines || p == end) {
            half.gaveUp = true;
            return;
        }
        const char* eol = lineEnd(p, end);
        double first[kFirstLineNumbers];
        if (scanNumbers(p, eol, first, kFirstLineNumbers) == kFirstLineNumbers)
            break;
        half.lead.resize(half.lead.size() + kRowNumbers, 0.0);
        scanNumbers(p, eol, half.lead.data() + half.lead.size() - kRowNumbers, kRowNumbers);
        p = eol == end ? eol : eol + 1;
    }
    half.run = reader.scan(
        p, end, 0, true, nullptr, &stop, [&](S2PPoint** points) { return half.append(points); });
    half.label = reader.label;
}

void readSecondHalfGuarded(
    HalfRecords& half, GroupReader& reader, const char* begin, const char* end, const std::atomic<bool>& stop)
{
    try {
        readSecondHalf(half, reader, begin, end, stop);
    } catch (const std::bad_alloc&) {
        half.run.stopped = half.run.outOfMemory = true;
    }
}

} // namespace

LoadResult readThreePortLines(const TouchstoneText& text, RubberS2PData* const* views, std::string& label)
{
    GroupReader reader(text.options);
    reader.label = label;
    const auto appendPoints = [&](S2PPoint** points) {
        for (int v = 0; v < 4; ++v) {
            points[v] = views[v]->point(views[v]->itemCount);
            if (points[v] == nullptr)
                return false;
        }
        return true;
    };
    const char* const begin = text.dataStart;
    const char* const end = text.dataEnd;
    RecordRun run;

    const char* const second = secondHalfStart(begin, end);
    HalfRecords half(4);
    GroupReader helperReader(text.options);
    std::atomic<bool> stop { false };
    std::thread helper;
    if (second == nullptr
        || !startHelper(helper, [&] { readSecondHalfGuarded(half, helperReader, second, end, stop); })) {
        run = reader.scan(begin, end, 0, true, text.file, nullptr, appendPoints);
    } else {
        run = reader.scan(begin, second, 0, false, text.file, nullptr, appendPoints);
        stop.store(run.stopped, std::memory_order_relaxed);
        helper.join();
        const size_t leadLines = half.lead.size() / kRowNumbers;
        const bool meets = !half.gaveUp && run.partial + leadLines == (run.partial == 0 ? 0 : kGroupLines);
        if (!run.stopped && !meets) {
            run.follow(reader.scan(second, end, run.partial, true, text.file, nullptr, appendPoints));
        } else if (!run.stopped) {
            // The group that the halves share, if the middle cut one, then the helper's groups.
            if (run.partial > 0) {
                std::copy(half.lead.begin(), half.lead.end(), reader.lineNumbers(run.partial));
                run.follow(reader.scan(end, end, kGroupLines, true, nullptr, nullptr, appendPoints));
            }
            if (!run.stopped)
                joinHalfRecords(
                    run, half, reader.frequencies, text.options.freqMultiplier, views, reader.label);
        }
    }
    label = reader.label;
    return finishThreePortViews(views, run.outOfMemory, label);
}
