#include "halfrecords.h"

void RecordRun::follow(const RecordRun& next)
{
    read += next.read;
    partial = next.partial;
    stopped = next.stopped;
    outOfMemory = next.outOfMemory;
}

HalfRecords::HalfRecords(int views)
    : points(static_cast<size_t>(views))
{
}

bool HalfRecords::reserve(size_t count)
{
    for (HalfPoints& view : points)
        if (!view.reserve(count))
            return false;
    return true;
}

bool HalfRecords::append(S2PPoint** made)
{
    for (size_t v = 0; v < points.size(); ++v) {
        made[v] = points[v].append();
        if (made[v] == nullptr)
            return false;
    }
    return true;
}

void joinHalfRecords(RecordRun& run, HalfRecords& half, FrequencyTest& frequencies, double freqMultiplier,
    RubberS2PData* const* views, std::string& label)
{
    if (half.run.read > 0 && !frequencies.accept(half.run.firstRawFrequency, freqMultiplier)) {
        run.stopped = true;
        return;
    }
    bool joined = true;
    for (size_t v = 0; v < half.points.size(); ++v)
        joined = half.points[v].joinTo(*views[v]) && joined;
    run.follow(half.run);
    run.outOfMemory = run.outOfMemory || !joined;
    if (!half.label.empty())
        label = half.label;
}
