#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "phasetraces.h"
#include "rubbers2p.h"
#include "tracevalues.h"

// What the plotted values of a trace are computed with: dB or VSWR for S11M and S22M, the phase
// mode (PhaseMode) and the group delay aperture.
struct ValueForm {
    int32_t dbMode = 1;
    int32_t phaseMode = PhaseWrapped;
    int32_t aperture = defaultDelayAperture;
};

// The plotted values of trace kind k at each of m's own points in index order, in the form:
// magnitudes in dB or VSWR, phases in degrees, the group delay in seconds. Reads only existing
// points, so it is safe on a locked measurement shared by several threads.
void makeOwnValues(RubberS2PData& m, int32_t kind, const ValueForm& form, double* values);

// The plotted values of each measurement's traces at its own points, kept from one
// recomputation of the chart to the next, so that a zoom, a pan or a resize samples them instead
// of taking logarithms and angles of every point again. The values of a trace are made on first
// use and again only when what they depend on changes: S11M and S22M on dB or VSWR, the phase
// traces on the phase mode and, for the group delay, the aperture. Values no recomputation asks
// for are freed. A measurement is known by its serial, so its values follow it when the list is
// reordered and are dropped when it is closed or read again.
class OwnValueCache {
public:
    // Lines the cache up with the list, entry i for measurement i: the values of measurements
    // still loaded move along, the others are freed; no kind is wanted yet.
    void align(RubberS2P& measurements);
    // Asks for trace kind k of measurement mi in this recomputation.
    void want(int32_t mi, int32_t kind);
    // Makes the wanted values that are missing or were made in another form, in parallel over
    // the measurements, and frees those not wanted. The measurements must be locked. Throws
    // std::bad_alloc when memory runs out.
    void update(RubberS2P& measurements, const ValueForm& form);
    // The values of trace kind k of measurement mi, one per own point in index order; null
    // unless it was wanted at the last update.
    const double* values(int32_t mi, int32_t kind) const;
    // The frequencies of measurement mi's own points when PointWalk finds them strictly
    // ascending, kept while any of its kinds is wanted; null otherwise.
    const double* ascendingFrequencies(int32_t mi) const;
    void clear();

private:
    struct KindValues {
        std::vector<double> values;
        int64_t form = -1; // formKey of the values; -1: none made
        bool wanted = false;
    };
    struct Entry {
        uint64_t serial = 0;
        std::vector<double> frequencies; // of the own points when they ascend
        bool walked = false; // whether the points were looked at for frequencies
        std::array<KindValues, tracesPerMeasurement> kinds;
    };

    // Brings the wanted kinds of entry e up to date with m and form, frees the others.
    static void refresh(Entry& e, RubberS2PData& m, const ValueForm& form);

    std::vector<Entry> entries;
};
