#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "frequencytest.h"
#include "halfpoints.h"
#include "rubbers2pdata.h"

// How a scan of frequency records over a part of a data text ended.
struct RecordRun {
    int64_t read = 0;
    // Parts (numbers or lines) of a record that the end of the text part cut short.
    size_t partial = 0;
    // A frequency that did not increase or memory that ran out ended the scan before the end.
    bool stopped = false;
    bool outOfMemory = false;
    double firstRawFrequency = 0.0;

    // Continues this run by that of the text part behind it.
    void follow(const RecordRun& next);
};

// What a helper thread makes of the second half of a data text of records: the numbers of its
// first lines that belong to a record begun in the first half (lead), and the points of the
// records from there on, one HalfPoints a view. A helper that cannot tell where its first record
// starts gives up, and the first half's thread reads the half itself.
struct HalfRecords {
    explicit HalfRecords(int views);
    // Room for about count records in every view; false when no memory is left for it.
    bool reserve(size_t count);
    // The next record's point of every view; false when no memory is left.
    bool append(S2PPoint** points);

    std::vector<double> lead;
    std::vector<HalfPoints> points;
    RecordRun run;
    std::string label;
    bool gaveUp = false;
};

// Puts the helper's records behind the records of run, which ended whole: when the helper's
// first frequency follows the last one that frequencies took, its points join the views and its
// run and three-port label continue run and label; otherwise run stops there.
void joinHalfRecords(RecordRun& run, HalfRecords& half, FrequencyTest& frequencies, double freqMultiplier,
    RubberS2PData* const* views, std::string& label);
