#pragma once

#include <cstdint>
#include <vector>

#include "complexmatrix.h"

struct ChartState;

// S-parameters of a measurement in the order of its traces: S11, S21, S12, S22.
constexpr int32_t parametersPerMeasurement = 4;

// What a locus's points were taken from: a measurement, known by its serial and point count,
// and the frequency view. A locus taken from the same source again would be the same.
struct LocusSource {
    uint64_t serial = 0; // 0: none
    int32_t pointCount = 0;
    double xMin = 0;
    double xMax = 0;

    bool operator==(const LocusSource& other) const
    {
        return serial == other.serial && pointCount == other.pointCount && xMin == other.xMin
            && xMax == other.xMax;
    }
};

// One S-parameter of one measurement as a Smith or polar chart draws it: the measured points
// whose frequencies lie in the frequency view, in measured order.
struct Locus {
    int32_t measurement = 0;
    int32_t parameter = 0; // 0 S11, 1 S21, 2 S12, 3 S22
    std::vector<double> freq; // hertz
    std::vector<Complex> values;
    LocusSource source;

    // The magnitude trace of the parameter, whose colour the locus takes.
    int32_t trace() const;
    // S11 and S22 are reflections, read as impedances; S21 and S12 transmissions.
    bool reflection() const { return parameter == 0 || parameter == 3; }
    // The index of the point nearest f (hertz); a tie takes the higher one. -1 when empty.
    int32_t nearestIndex(double f) const;
};

// "S11", "S21", "S12" or "S22".
const char* parameterName(int32_t parameter);

// Whether parameter p of measurement m is shown on a Smith or polar chart: its magnitude or
// its phase trace is visible (which needs the measurement to hold it).
bool parameterShown(const ChartState& state, int32_t m, int32_t p);

// Puts into loci the shown S-parameters of every measurement, measurement by measurement, each
// through its measured points from xMin to xMax hertz, reusing the memory loci holds. A locus
// already in its place from the same source is kept as it is, so that a redraw or a zoom of
// the plane takes no point again. The measurements must be locked.
void collectLoci(ChartState& state, double xMin, double xMax, std::vector<Locus>& loci);
