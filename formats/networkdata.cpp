#include "networkdata.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "frequencytest.h"
#include "halfrecords.h"
#include "numberlines.h"
#include "numberscan.h"
#include "portrenormalize.h"
#include "secondhalf.h"
#include "threeport.h"

namespace {

// The numbers of a text region one after the other, whatever stands between them.
class NumberStream {
public:
    NumberStream(const char* p, const char* end)
        : p_(p)
        , end_(end)
    {
    }

    // Reads up to count numbers; returns how many it read.
    size_t read(double* values, size_t count)
    {
        size_t read = 0;
        while (read < count) {
            while (p_ != end_ && !isNumberChar(*p_))
                ++p_;
            if (p_ == end_)
                break;
            const char* next = scanNumber(p_, end_, values[read]);
            if (next == nullptr) {
                ++p_;
                continue;
            }
            p_ = next;
            ++read;
        }
        return read;
    }

    // Reads every number that is left and returns how many there were.
    size_t skipAll()
    {
        size_t count = 0;
        double value = 0.0;
        while (read(&value, 1) == 1)
            ++count;
        return count;
    }

    const char* position() const { return p_; }

private:
    const char* p_;
    const char* end_;
};

// For element (i, j), at index i * ports + j, the index of its pair among a frequency's pairs.
std::vector<size_t> pairIndexes(int ports, TouchstoneMatrix matrix, bool order12_21)
{
    const auto n = static_cast<size_t>(ports);
    std::vector<size_t> index(n * n);
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            const size_t low = i < j ? i : j;
            const size_t high = i < j ? j : i;
            if (matrix == MatrixLower)
                index[i * n + j] = high * (high + 1) / 2 + low;
            else if (matrix == MatrixUpper)
                index[i * n + j] = low * n - low * (low - 1) / 2 + (high - low);
            else if (n == 2 && !order12_21)
                index[i * n + j] = j * n + i;
            else
                index[i * n + j] = i * n + j;
        }
    }
    return index;
}

size_t pairCount(int ports, TouchstoneMatrix matrix)
{
    const auto n = static_cast<size_t>(ports);
    return matrix == MatrixFull ? n * n : n * (n + 1) / 2;
}

// One frequency's numbers and how to find element (i, j) among them.
struct FrequencyNumbers {
    std::vector<double> values; // the frequency, then the pairs
    std::vector<size_t> index;
    int ports = 0;

    const double* pair(int i, int j) const
    {
        return values.data() + 1 + 2 * index[static_cast<size_t>(i * ports + j)];
    }

    // The pairs of the view of ports a, b in matrix order: (a,a), (a,b), (b,a), (b,b).
    void view(int a, int b, double out[8]) const
    {
        const double* const pairs[4] = { pair(a, a), pair(a, b), pair(b, a), pair(b, b) };
        for (int e = 0; e < 4; ++e) {
            out[2 * e] = pairs[e][0];
            out[2 * e + 1] = pairs[e][1];
        }
    }
};

// Builds the views of one frequency from its numbers, each port converted from its own reference.
class ViewBuilder {
public:
    explicit ViewBuilder(const TouchstoneText& text)
        : options_(text.options)
        , ports_(text.ports)
    {
        for (double r : text.keywords.references) {
            references_.push_back(needsRenormalize(r) ? r : kSystemResistance);
            convert_ = convert_ || needsRenormalize(r);
        }
        if (references_.empty()) {
            const double r = options_.refResistance;
            references_.assign(static_cast<size_t>(ports_), needsRenormalize(r) ? r : kSystemResistance);
            convert_ = needsRenormalize(r);
        }
        whole_.resize(ports_, ports_);
    }

    void build(const FrequencyNumbers& f, S2PPoint* const* points, std::string& label)
    {
        if (ports_ == 1)
            buildOnePort(f, *points[0]);
        else if (ports_ == 2)
            buildView(f, 0, 1, *points[0]);
        else if (ports_ == 3)
            buildThreePort(f, points, label);
        else
            buildPairs(f, points);
    }

private:
    void buildOnePort(const FrequencyNumbers& f, S2PPoint& point) const
    {
        const double* s11 = f.pair(0, 0);
        const double numbers[8] = { s11[0], s11[1], 0.0, 0.0, 0.0, 0.0, 0.0, 0.0 };
        storePoint(point, f.values[0], options_.dataFormat, options_.freqMultiplier, numbers);
        if (convert_)
            renormalizeReflection(point.sParams, references_[0]);
    }

    void buildView(const FrequencyNumbers& f, int a, int b, S2PPoint& point) const
    {
        double numbers[8];
        f.view(a, b, numbers);
        storePoint(point, f.values[0], options_.dataFormat, options_.freqMultiplier, numbers);
        const double references[2]
            = { references_[static_cast<size_t>(a)], references_[static_cast<size_t>(b)] };
        if (needsRenormalize(references[0]) || needsRenormalize(references[1]))
            renormalizePorts(point.sParams, references);
    }

    void buildThreePort(const FrequencyNumbers& f, S2PPoint* const* points, std::string& label) const
    {
        buildView(f, 0, 1, *points[0]);
        buildView(f, 1, 2, *points[1]);
        buildView(f, 0, 2, *points[2]);
        points[3]->freq = f.values[0] * options_.freqMultiplier;
        points[3]->sParams.resize(2, 2);
        reduceThreePort(*points[0], *points[1], *points[2], *points[3], label);
    }

    void buildPairs(const FrequencyNumbers& f, S2PPoint* const* points)
    {
        for (int i = 0; i < ports_; ++i) {
            for (int j = 0; j < ports_; ++j) {
                const double* p = f.pair(i, j);
                whole_(i, j) = touchstoneValue(p[0], p[1], options_.dataFormat);
            }
        }
        if (convert_)
            renormalizePorts(whole_, references_.data());
        int v = 0;
        for (int a = 0; a < ports_; ++a) {
            for (int b = a + 1; b < ports_; ++b) {
                S2PPoint& point = *points[v++];
                point.freq = f.values[0] * options_.freqMultiplier;
                point.sParams.resize(2, 2);
                point.sParams(0, 0) = whole_(a, a);
                point.sParams(0, 1) = whole_(a, b);
                point.sParams(1, 0) = whole_(b, a);
                point.sParams(1, 1) = whole_(b, b);
            }
        }
    }

    const TouchstoneOptions& options_;
    const int ports_;
    std::vector<double> references_;
    bool convert_ = false;
    ComplexMatrix whole_;
};

// Everything one thread needs to turn records into points of its own.
struct RecordReader {
    RecordReader(const TouchstoneText& text, std::vector<size_t> index)
        : builder(text)
        , points(static_cast<size_t>(touchstoneViewCount(text.ports)))
    {
        f.ports = text.ports;
        f.index = std::move(index);
        f.values.resize(1 + 2 * pairCount(text.ports, text.version2 ? text.keywords.matrix : MatrixFull));
    }

    // Reads records from stream, the first of which has its first have numbers in the values
    // already, until the stream ends, a frequency does not increase or newPoints finds no memory.
    template <typename NewPoints>
    RecordRun scan(NumberStream& stream, size_t have, const TouchstoneOptions& options, FileBytes* file,
        const std::atomic<bool>* stop, NewPoints newPoints)
    {
        RecordRun run;
        ReleaseBehind behind(file, stream.position());
        const size_t size = f.values.size();
        for (;;) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                run.stopped = true;
                break;
            }
            const size_t got = have + stream.read(f.values.data() + have, size - have);
            have = 0;
            if (got < size) {
                run.partial = got;
                break;
            }
            if (!frequencies.accept(f.values[0], options.freqMultiplier)) {
                run.stopped = true;
                break;
            }
            if (run.read == 0)
                run.firstRawFrequency = f.values[0];
            if (!newPoints(points.data())) {
                run.stopped = run.outOfMemory = true;
                break;
            }
            builder.build(f, points.data(), label);
            ++run.read;
            behind.reached(stream.position());
        }
        return run;
    }

    FrequencyNumbers f;
    ViewBuilder builder;
    FrequencyTest frequencies;
    std::vector<S2PPoint*> points;
    std::string label;
};

// The most lines that the second half may start with before the first line that starts a
// record; a helper that meets more leaves its half to the first.
constexpr int kMaxLeadLines = 64;

// The first line at or after begin whose count of numbers is odd, or null when the numbers
// before it would fill a whole record or too many lines come first.
const char* firstRecordLine(const char* begin, const char* end, size_t recordSize)
{
    size_t before = 0;
    const char* line = begin;
    for (int k = 0; k < kMaxLeadLines && line != end; ++k) {
        const char* eol = lineEnd(line, end);
        const size_t count = NumberStream(line, eol).skipAll();
        if (count % 2 == 1)
            return line;
        before += count;
        if (before >= recordSize)
            return nullptr;
        line = eol == end ? end : eol + 1;
    }
    return nullptr;
}

// About how many records the text from begin to end holds, judged by the length of the first
// one with an eighth more: the room that the points of a large file take at once, so that they
// come in one block on huge pages. 0 when not one record is there.
size_t estimatedRecords(const char* begin, const char* end, size_t recordSize)
{
    std::vector<double> first(recordSize);
    NumberStream probe(begin, end);
    if (probe.read(first.data(), recordSize) < recordSize)
        return 0;
    const auto recordBytes = static_cast<size_t>(probe.position() - begin);
    const size_t records = static_cast<size_t>(end - begin) / recordBytes + 1;
    return records + records / 8;
}

void readHalfRecords(HalfRecords& half, RecordReader& reader, const TouchstoneText& text, const char* begin,
    const std::atomic<bool>& stop)
{
    const char* end = text.dataEnd;
    const size_t recordSize = reader.f.values.size();
    const char* start = firstRecordLine(begin, end, recordSize);
    if (start == nullptr || !half.reserve(estimatedRecords(start, end, recordSize))) {
        half.gaveUp = true;
        return;
    }
    half.lead.resize(recordSize);
    half.lead.resize(NumberStream(begin, start).read(half.lead.data(), recordSize));
    NumberStream stream(start, end);
    half.run = reader.scan(
        stream, 0, text.options, nullptr, &stop, [&](S2PPoint** points) { return half.append(points); });
    half.label = reader.label;
}

// The helper thread's body: memory that runs out there fails the file, as in the first half,
// instead of ending the program.
void readHalfRecordsGuarded(HalfRecords& half, RecordReader& reader, const TouchstoneText& text,
    const char* begin, const std::atomic<bool>& stop)
{
    try {
        readHalfRecords(half, reader, text, begin, stop);
    } catch (const std::bad_alloc&) {
        half.run.stopped = half.run.outOfMemory = true;
    }
}

} // namespace

LoadResult readNetworkData(const TouchstoneText& text, RubberS2PData* const* views, std::string& label)
{
    const TouchstoneKeywords& k = text.keywords;
    const TouchstoneMatrix matrix = text.version2 ? k.matrix : MatrixFull;
    const bool order12_21 = text.version2 && k.order12_21;
    const int count = touchstoneViewCount(text.ports);
    const std::vector<size_t> index = pairIndexes(text.ports, matrix, order12_21);

    RecordReader reader(text, index);
    reader.label = label;
    const auto appendPoints = [&](S2PPoint** points) { return appendViewPoints(views, count, points); };
    const char* const begin = text.dataStart;
    const char* const end = text.dataEnd;
    const size_t recordSize = reader.f.values.size();
    RecordRun run;

    const char* const second = secondHalfStart(begin, end);
    // Room for the records of the first thread's part at once. Where none is left, the points
    // come in smaller blocks, and the scan finds out whether memory lasts.
    const size_t firstRecords = estimatedRecords(begin, second != nullptr ? second : end, recordSize);
    for (int v = 0; v < count; ++v)
        views[v]->reservePoints(firstRecords);
    std::unique_ptr<HalfRecords> half;
    std::unique_ptr<RecordReader> helperReader;
    std::atomic<bool> stop { false };
    std::thread helper;
    if (second != nullptr) {
        half = std::make_unique<HalfRecords>(count);
        helperReader = std::make_unique<RecordReader>(text, index);
    }
    if (second == nullptr
        || !startHelper(helper, [&] { readHalfRecordsGuarded(*half, *helperReader, text, second, stop); })) {
        NumberStream stream(begin, end);
        run = reader.scan(stream, 0, text.options, text.file, nullptr, appendPoints);
    } else {
        NumberStream first(begin, second);
        run = reader.scan(first, 0, text.options, text.file, nullptr, appendPoints);
        stop.store(run.stopped, std::memory_order_relaxed);
        helper.join();
        const bool meets
            = !half->gaveUp && run.partial + half->lead.size() == (run.partial == 0 ? 0 : recordSize);
        if (!run.stopped && !meets) {
            NumberStream rest(second, end);
            run.follow(reader.scan(rest, run.partial, text.options, text.file, nullptr, appendPoints));
        } else if (!run.stopped) {
            // The record that the halves share, then the helper's records behind it.
            std::copy(half->lead.begin(), half->lead.end(),
                reader.f.values.begin() + static_cast<ptrdiff_t>(run.partial));
            NumberStream none(end, end);
            run.follow(reader.scan(
                none, run.partial + half->lead.size(), text.options, nullptr, nullptr, appendPoints));
            if (!run.stopped)
                joinHalfRecords(
                    run, *half, reader.frequencies, text.options.freqMultiplier, views, reader.label);
        }
    }
    label = reader.label;

    const bool wholeBlock = run.partial == 0 && !run.stopped;
    if (!run.outOfMemory && text.version2 && k.frequencies >= 0
        && !(wholeBlock && run.read == k.frequencies)) {
        for (int v = 0; v < count; ++v)
            views[v]->releasePoints();
        return LoadFrequencyCountDiffers;
    }
    if (text.ports == 3)
        return finishThreePortViews(views, run.outOfMemory, label);
    return finishViews(views, count, run.outOfMemory);
}
