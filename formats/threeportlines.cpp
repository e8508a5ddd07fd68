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

    // Reads the lines of a group from line have on, up to its last line or the end of the text;
    // returns where the text behind them starts.
    const char* readLines(const char* p, const char* end, size_t& have)
    {
        for (; have < kGroupLines; ++have) {
            p = nextNumberStart(p, end);
            if (p == end)
                break;
            const char* eol = lineEnd(p, end);
            scanNumbers(p, eol, lineNumbers(have), have == 0 ? kFirstLineNumbers : kRowNumbers);
            p = eol == end ? eol : eol + 1;
        }
        return p;
    }

    // Reads the groups between p and end, the first of which has its first have lines read
    // already, until a frequency does not increase or newPoints finds no memory. A group that
    // the end cuts short is read with zeros when textEnd, else left for the text behind.
    template <typename NewPoints>
    RecordRun scan(const char* p, const char* end, size_t have, bool textEnd, ReleaseBehind behind,
        const std::atomic<bool>* stop, NewPoints newPoints)
    {
        RecordRun run;
        for (;;) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                run.stopped = true;
                break;
            }
            if (have == 0)
                std::fill(std::begin(n), std::end(n), 0.0);
            p = readLines(p, end, have);
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

// About how many groups of lines the text from begin to end holds.
size_t estimatedGroups(const char* begin, const char* end)
{
    return estimatedLines(begin, end) / kGroupLines + 1;
}

// The helper thread's part. Groups start at every third line that holds numbers from the start
// of the data, so a count of the first half's lines tells how many lines of the group that the
// first half ends in come first in the second half; they are kept as read, and the groups behind
// them are read into points, their text given back as the read goes. Once the count is done,
// the first half's text is the reading thread's alone.
void readSecondHalf(HalfRecords& half, GroupReader& reader, const TouchstoneText& text, const char* second,
    std::atomic<bool>& counted, const std::atomic<bool>& stop)
{
    size_t have = countNumberLines(text.dataStart, second) % kGroupLines;
    counted.store(true, std::memory_order_release);
    // Where no room is left for the points at once, they come in smaller blocks.
    half.reserve(estimatedGroups(second, text.dataEnd));
    const char* p = second;
    if (have > 0) {
        double* const lead = reader.lineNumbers(have);
        p = reader.readLines(second, text.dataEnd, have);
        half.lead.assign(lead, std::end(reader.n));
    }
    half.run = reader.scan(p, text.dataEnd, 0, true, ReleaseBehind(text.file, p), &stop,
        [&](S2PPoint** points) { return half.append(points); });
    half.label = reader.label;
}

void readSecondHalfGuarded(HalfRecords& half, GroupReader& reader, const TouchstoneText& text,
    const char* second, std::atomic<bool>& counted, const std::atomic<bool>& stop)
{
    try {
        readSecondHalf(half, reader, text, second, counted, stop);
    } catch (const std::bad_alloc&) {
        half.run.stopped = half.run.outOfMemory = true;
    }
}

} // namespace

LoadResult readThreePortLines(const TouchstoneText& text, RubberS2PData* const* views, std::string& label)
{
    GroupReader reader(text.options);
    reader.label = label;
    const auto appendPoints = [&](S2PPoint** points) { return appendViewPoints(views, 4, points); };
    const char* const begin = text.dataStart;
    const char* const end = text.dataEnd;
    RecordRun run;

    const char* const second = secondHalfStart(begin, end);
    // Room for the first part's points at once, or else smaller blocks, as in the helper.
    const size_t firstGroups = estimatedGroups(begin, second != nullptr ? second : end);
    for (int v = 0; v < 4; ++v)
        views[v]->reservePoints(firstGroups);
    HalfRecords half(4);
    GroupReader helperReader(text.options);
    std::atomic<bool> counted { false };
    std::atomic<bool> stop { false };
    std::thread helper;
    if (second == nullptr || !startHelper(helper, [&] {
            readSecondHalfGuarded(half, helperReader, text, second, counted, stop);
        })) {
        run = reader.scan(begin, end, 0, true, ReleaseBehind(text.file, begin), nullptr, appendPoints);
    } else {
        run = reader.scan(
            begin, second, 0, false, ReleaseBehind(text.file, begin, &counted), nullptr, appendPoints);
        stop.store(run.stopped, std::memory_order_relaxed);
        helper.join();
        // The group that the halves share, if the middle cut one, then the helper's groups.
        if (!run.stopped && run.partial > 0) {
            std::copy(half.lead.begin(), half.lead.end(), reader.lineNumbers(run.partial));
            run.follow(
                reader.scan(end, end, kGroupLines, true, ReleaseBehind(nullptr, end), nullptr, appendPoints));
        }
        if (!run.stopped)
            joinHalfRecords(run, half, reader.frequencies, text.options.freqMultiplier, views, reader.label);
    }
    label = reader.label;
    return finishThreePortViews(views, run.outOfMemory, label);
}
