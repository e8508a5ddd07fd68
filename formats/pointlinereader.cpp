#include "pointlinereader.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <thread>

#include "frequencytest.h"
#include "halfpoints.h"
#include "numberlines.h"
#include "portrenormalize.h"
#include "secondhalf.h"

namespace {

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

struct LineNumbers {
    int count;
    double values[kMaxLineNumbers];
};

// What the helper thread makes of the second half: the lines before its first whole line, as
// read, and the points of the lines from there on, in memory of its own.
struct SecondHalf {
    LineNumbers lead[kMaxLeadLines];
    int leadCount = 0;
    HalfPoints points;
    double firstRawFrequency = 0.0;
    bool gaveUp = false;
    bool outOfMemory = false;
};

void readSecondHalf(SecondHalf& half, const char* begin, const char* end, const TouchstoneOptions& options,
    bool onePort, FileBytes* file, const std::atomic<bool>& stop)
{
    if (!half.points.reserve(estimatedLines(begin, end))) {
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
        if (half.points.count() == 0)
            half.firstRawFrequency = lines.rawFrequency();
        S2PPoint* point = half.points.append();
        if (point == nullptr) {
            half.outOfMemory = true;
            return false;
        }
        lines.store(*point);
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
    const char* const second = secondHalfStart(begin, end);
    // Room for the first part's points at once. Where none is left, they come in smaller
    // blocks, and the scan finds out whether memory lasts.
    measurement.reservePoints(estimatedLines(begin, second != nullptr ? second : end));
    SecondHalf half;
    std::atomic<bool> stop { false };
    std::thread helper;
    if (second == nullptr || !startHelper(helper, [&] {
            readSecondHalfGuarded(half, second, end, text.options, onePort, text.file, stop);
        })) {
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
    if (half.points.count() > 0 && half.leadCount == 0 && !lines.acceptFrequency(half.firstRawFrequency))
        return finish(measurement, outOfMemory);
    outOfMemory = half.outOfMemory || !half.points.joinTo(measurement);
    return finish(measurement, outOfMemory);
}
