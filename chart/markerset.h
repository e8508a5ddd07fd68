#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "settingsrecord.h"

// Markers M1 to M16 at fixed frequencies in hertz, numbered by their slot: a marker keeps its
// number while others come and go. One of them may be the delta reference, which the others
// are read relative to.
class MarkerSet {
public:
    MarkerSet();

    // Sets the first free marker to the frequency; returns its number, or 0 when all sixteen
    // are set or the frequency is not finite and not negative.
    int32_t add(double hertz);
    // Moves marker n to the frequency; false when n is not set or the frequency is unusable.
    bool move(int32_t number, double hertz);
    // Clears marker n (and the delta reference when it was n).
    void remove(int32_t number);
    void clear();
    bool has(int32_t number) const;
    // The frequency of marker n in hertz; not a number when it is not set.
    double frequency(int32_t number) const;
    // The numbers of the markers set, ascending.
    std::vector<int32_t> numbers() const;
    bool empty() const { return numbers().empty(); }

    // The delta reference: a marker set, or 0 for none. Setting any other number sets none.
    int32_t deltaRef() const { return reference; }
    void setDeltaRef(int32_t number);

    // The markers of the settings file, and back.
    static MarkerSet fromSettings(const SettingsRecord& settings);
    void intoSettings(SettingsRecord& settings) const;

private:
    static bool usable(double hertz);

    std::array<double, markerSlots> hertz;
    int32_t reference = 0;
};
