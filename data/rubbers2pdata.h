#pragma once

#include <cstdint>
#include <string>

#include "complexmatrix.h"
#include "pointarena.h"
#include "rubberitem.h"

// One frequency point: the frequency in hertz and the 2 x 2 S-parameters referred to 50 ohm,
// (0, 0) S11, (0, 1) S12, (1, 0) S21, (1, 1) S22.
struct S2PPoint {
    double freq = 0.0;
    ComplexMatrix sParams;
};

// Ends a point made by RubberS2PData::point or makePoint, freeing a matrix block that it took
// for other dimensions; its own memory goes back with its arena. Accepts null.
void releasePoint(void* item);

// A point with frequency 0 and zero 2 x 2 S-parameters in memory of arena; null when no memory
// is left.
S2PPoint* makePoint(PointArena& arena);
// The bytes of arena that makePoint takes for one point.
size_t madePointBytes();
// Makes room in arena for count points of makePoint in one block, so that the points of a long
// measurement known beforehand lie on huge pages; false when no memory is left for it.
bool reservePointMemory(PointArena& arena, size_t count);

// One measurement: the frequency points of one file (or one view of a three-port file) in
// index order, the names under which it is shown and a summary of its frequency range.
class RubberS2PData final : public RubberItem {
public:
    RubberS2PData() = default;
    RubberS2PData(const RubberS2PData&) = delete;
    RubberS2PData& operator=(const RubberS2PData&) = delete;
    ~RubberS2PData();

    // The point of index i, made with frequency 0 and zero S-parameters when its slot is
    // empty; null when no memory is left. While locked, a plain read of the snapshot.
    S2PPoint* point(int32_t i);
    // Drops the points of a valid measurement and marks it invalid; keeps them otherwise.
    void clearPoints();
    // Sets freqFirst, freqLast and freqStep from the points; a one-point measurement has
    // step 0, meaning that no spacing is known.
    void updateFreqSummary();
    void releasePoints();
    // Gives the memory that the points' arena holds beyond the last point back, once the
    // measurement is complete; points added later still get memory.
    void trimPoints();
    // Makes room for count more points by reservePointMemory; false when no memory is left.
    bool reservePoints(size_t count);
    // Appends count points made by makePoint in memory after the last point and takes the
    // arena's chunks over. Returns false when no memory is left for the array: the points that
    // did not fit are ended, and the ones appended so far stay.
    bool adoptPoints(PointArena& memory, S2PPoint* const* points, int32_t count);

    std::string sourcePath;
    std::string displayName;
    std::string fullName;
    int32_t dataValid = 0;
    // Ports the file measured: 1 for a one-port, which holds S11 alone (its other parameters
    // stay zero and are not shown); 2 otherwise.
    int32_t portCount = 2;
    double freqFirst = 0.0;
    double freqLast = 0.0;
    double freqStep = 0.0;
    // A number that no other measurement made in this process has: values derived from a
    // measurement are kept under it, so a later measurement made at the same address is never
    // taken for it.
    const uint64_t serial = nextSerial();

private:
    static uint64_t nextSerial();

    // The points and their matrix blocks, given back whole when the points are released.
    PointArena pointMemory;
};
