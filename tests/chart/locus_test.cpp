#include <gtest/gtest.h>

#include <complex>
#include <functional>
#include <vector>

#include "chartstate.h"
#include "locus.h"
#include "measurementbuilder.h"
#include "measurementlock.h"

namespace {

// S11 and S22 of a made measurement, apart by its tag, so that a locus shows whose it is.
SParams tagged(double f, double tag)
{
    const Complex s11(tag, f * 1e-9);
    return { s11, Complex(0, 0), Complex(0, 0), -s11 };
}

void addTagged(RubberS2P& list, double tag)
{
    addMeasurement(list, 1e9, 2e9, 11, [tag](double f) { return tagged(f, tag); });
}

// Each row changes something between two takes of the loci; the second take must be what a
// first take of the changed state would give.
struct Change {
    const char* name;
    std::function<void(ChartState&, double&)> apply;
};

TEST(CollectLoci, ASecondTakeShowsTheStateAsItIsThen)
{
    const Change changes[] = {
        { "nothing", [](ChartState&, double&) {} },
        { "a narrower frequency view", [](ChartState&, double& xMax) { xMax = 1.5e9; } },
        { "the first measurement closed and another read",
            [](ChartState& state, double&) {
                state.measurements.removeMeasurement(0);
                addTagged(state.measurements, 0.3);
            } },
        { "S22 shown instead of S11",
            [](ChartState& state, double&) {
                state.traceEnabled = { 0, 0, 0, 0, 0, 0, 1, 0 };
                state.resetRowVisibility();
            } },
    };
    for (const Change& change : changes) {
        ChartState state;
        addTagged(state.measurements, 0.1);
        addTagged(state.measurements, 0.2);
        state.traceEnabled = { 1, 0, 0, 0, 0, 0, 0, 0 };
        state.resetRowVisibility();
        double xMax = 2e9;
        std::vector<Locus> loci;
        {
            const MeasurementLock lock(state.measurements);
            collectLoci(state, 1e9, xMax, loci);
        }
        change.apply(state, xMax);
        std::vector<Locus> fresh;
        const MeasurementLock lock(state.measurements);
        collectLoci(state, 1e9, xMax, loci);
        collectLoci(state, 1e9, xMax, fresh);
        ASSERT_EQ(loci.size(), fresh.size()) << change.name;
        for (size_t l = 0; l < loci.size(); ++l) {
            EXPECT_EQ(loci[l].measurement, fresh[l].measurement) << change.name;
            EXPECT_EQ(loci[l].parameter, fresh[l].parameter) << change.name;
            EXPECT_EQ(loci[l].freq, fresh[l].freq) << change.name;
            EXPECT_EQ(loci[l].values, fresh[l].values) << change.name;
            RubberS2PData& data = *state.measurements.measurement(loci[l].measurement);
            const double tag = data.point(0)->sParams(0, 0).real();
            for (size_t i = 0; i < loci[l].freq.size(); ++i) {
                const SParams s = tagged(loci[l].freq[i], tag);
                EXPECT_EQ(loci[l].values[i], s[static_cast<size_t>(loci[l].parameter)]) << change.name;
            }
        }
    }
}

} // namespace
