#include "pointlinereader.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>

#include "frequencytest.h"
#include "largeblock.h"
#include "numberlines.h"
#include "portrenormalize.h"

namespace {

// Texts shorter than this are read by one thread: a helper would cost more than it saves.
constexpr ptrdiff_t kSplitBytes = ptrdiff_t { 4 } << 20;
// The most lines that the second half may start with before its first whole line, whose later
// numbers come from the first half; a helper that meets more leaves its half to the first.
constexpr int kMaxLeadLines = 64;

// Turns the numbers of data lines into points: frequency, then S11, S21, S12, S22 of a
// two-port or S11 of a one-port.
class PointLines {
public:
    PointLines(const TouchstoneOptions& options, bool onePort)
        : options_(options)
        , onePort_(onePort)
        , convert_(needsRenormalize(options.refResistance))
    {
    }

    int width() const { return onePort_ ? 3 : 9; }

    // Takes the numbers of the next line; false when its frequency does not increase.
    bool accept(const double* v, int count)
    {
        if (onePort_)
            n_[0] = n_[1] = n_[2] = 0.0;
        std::copy(v, v + count, n_);
        return acceptFrequency(n_[0]);
    }
    bool acceptFrequency(double raw) { return frequencies_.accept(raw, options_.freqMultiplier); }
    double rawFrequency() const { return n_[0]; }

    // Fills point from the numbers taken last.
    void store(S2PPoint& point) const
    {
        const TouchstoneOptions& o = options_;
        if (onePort_) {
            const double matrixOrder[8] = { n_[1], n_[2], 0.0, 0.0, 0.0, 0.0, 0.0, 0.0 };
            storePoint(point, n_[0], o.dataFormat, o.freqMultiplier, matrixOrder);
            if (convert_)
                renormalizeReflection(point.sParams, o.refResistance);
        } else {
            const double matrixOrder[8] = { n_[1], n_[2], n_[5], n_[6], n_[3], n_[4], n_[7], n_[8] };
            storePoint(point, n_[0], o.dataFormat, o.freqMultiplier, matrixOrder);
            if (convert_)
                renormalizeTwoPort(point.sParams, o.refResistance);
        }
    }

private:
    const TouchstoneOptions& options_;
    const bool onePort_;
    const bool convert_;
    double n_[kMaxLineNumbers] = {};
    FrequencyTest frequencies_;
};

// The helper's array of point pointers, given back on every way out.
class PointList {
public:
    PointList() = default;
    PointList(const PointList&) = delete;
    PointList& operator=(const PointList&) = delete;
    ~PointList() { releaseLargeBlock(points_, bytes_); }
    // Room for capacity pointers; false when no memory is left.
    bool allocate(size_t capacity)
    {
        bytes_ = capacity * sizeof(S2PPoint*);
        points_ = static_cast<S2PPoint**>(allocateLargeBlock(bytes_));
        return points_ != nullptr;
    }
    S2PPoint** get() const { return points_; }

private:
    size_t bytes_ = 0;
    S2PPoint** points_ = nullptr;
};

size_t countNuls(const char* begin, const char* end)
{
    size_t count = 0;
    for (const char* p = begin;
         (p = static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)))) != nullptr; ++p)
        ++count;
    return count;
}

struct LineNumbers {
    int count;
    double values[kMaxLineNumbers];
};

// What the helper thread makes of the second half: the lines before its first whole line, as
// read, and the points of the lines from there on, in memory of its own.
struct SecondHalf {
    LineNumbers lead[kMaxLeadLines];
    int leadCount = 0;
    PointArena memory;
    PointList points;
    int32_t pointCount = 0;
    double firstRawFrequency = 0.0;
    bool gaveUp = false;
    bool outOfMemory = false;
};

void readSecondHalf(SecondHalf& half, const char* begin, const char* end, const TouchstoneOptions& options,
    bool onePort, FileBytes* file, const std::atomic<bool>& stop)
{
    // Every line ends with a NUL but perhaps the last.
    if (!half.points.allocate(countNuls(begin, end) + 1)) {
        half.gaveUp = true;
        return;
    }
    PointLines lines(options, onePort);
    // The lead: the lines up to the first whole one, kept as read. Its text stays, since the
    // first half's thread reads the half itself when the lead is too long.
    const char* rest = begin;
    if (!onePort) {
        bool ended = false;
        const bool allLead = scanNumberLines(
            begin, end, lines.width(), nullptr,
            [&](const double* v, int count) {
                if (stop.load(std::memory_order_relaxed))
                    return false;
                if (half.leadCount == kMaxLeadLines) {
                    half.gaveUp = true;
                    return false;
                }
                LineNumbers& line = half.lead[half.leadCount++];
                line.count = count;
                std::memcpy(line.values, v, sizeof(double) * static_cast<size_t>(count));
                ended = !lines.accept(v, count);
                return !ended && count != lines.width();
            },
            &rest);
        if (allLead || ended || half.gaveUp || stop.load(std::memory_order_relaxed))
            return;
    }
    scanNumberLines(rest, end, lines.width(), file, [&](const double* v, int count) {
        if (stop.load(std::memory_order_relaxed) || !lines.accept(v, count))
            return false;
        S2PPoint* point = makePoint(half.memory);
        if (point == nullptr) {
            half.outOfMemory = true;
            return false;
        }
        lines.store(*point);
        if (half.pointCount == 0)
            half.firstRawFrequency = lines.rawFrequency();
        half.points.get()[half.pointCount++] = point;
        return true;
    });
}

// The helper thread's body: memory that runs out there fails the file, as in the first half,
// instead of ending the program.
void readSecondHalfGuarded(SecondHalf& half, const char* begin, const char* end,
    const TouchstoneOptions& options, bool onePort, FileBytes* file, const std::atomic<bool>& stop)
{
    try {
        readSecondHalf(half, begin, end, options, onePort, file, stop);
    } catch (const std::bad_alloc&) {
        half.outOfMemory = true;
    }
}

// Ends the scan by the rule of every Touchstone scan.
LoadResult finish(RubberS2PData& m, bool outOfMemory)
{
    RubberS2PData* const views[1] = { &m };
    return finishViews(views, 1, outOfMemory);
}

} // namespace

LoadResult readPointLines(RubberS2PData& measurement, const TouchstoneText& text, bool onePort)
{
    PointLines lines(text.options, onePort);
    bool outOfMemory = false;
    const auto take = [&](const double* v, int count) {
        if (!lines.accept(v, count))
            return false;
        S2PPoint* point = measurement.point(measurement.itemCount);
        if (point == nullptr) {
            outOfMemory = true;
            return false;
        }
        lines.store(*point);
        return true;
    };

    const char* const begin = text.dataStart;
    const char* const end = text.dataEnd;
    const void* middle = end - begin >= kSplitBytes
        ? std::memchr(begin + (end - begin) / 2, 0, static_cast<size_t>(end - (begin + (end - begin) / 2)))
        : nullptr;
    if (middle == nullptr) {
        scanNumberLines(begin, end, lines.width(), text.file, take);
        return finish(measurement, outOfMemory);
    }
    // The halves meet just after a line end, so that no line lies in both.
    const char* const second = static_cast<const char*>(middle) + 1;
    SecondHalf half;
    std::atomic<bool> stop { false };
    std::thread helper;
    try {
        helper = std::thread(
            [&] { readSecondHalfGuarded(half, second, end, text.options, onePort, text.file, stop); });
    } catch (const std::system_error&) {
    }
    if (!helper.joinable()) {
        scanNumberLines(begin, end, lines.width(), text.file, take);
        return finish(measurement, outOfMemory);
    }

    const bool firstWhole = scanNumberLines(begin, second, lines.width(), text.file, take);
    stop.store(!firstWhole, std::memory_order_relaxed);
    helper.join();
    if (!firstWhole)
        return finish(measurement, outOfMemory);
    if (half.gaveUp) {
        scanNumberLines(second, end, lines.width(), text.file, take);
        return finish(measurement, outOfMemory);
    }
    for (int k = 0; k < half.leadCount; ++k) {
        if (!take(half.lead[k].values, half.lead[k].count))
            return finish(measurement, outOfMemory);
    }
    if (half.pointCount > 0 && half.leadCount == 0 && !lines.acceptFrequency(half.firstRawFrequency))
        return finish(measurement, outOfMemory);
    outOfMemory
        = half.outOfMemory || !measurement.adoptPoints(half.memory, half.points.get(), half.pointCount);
    return finish(measurement, outOfMemory);
}
