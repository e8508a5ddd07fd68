#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "chartstate.h"
#include "locus.h"
#include "measurementbuilder.h"
#include "measurementlock.h"

namespace {

void addTagged(RubberS2P& list, double tag)
{
    addMeasurement(list, 1e9, 2e9, 11, [tag](double f) {
        return SParams { Complex(tag, f * 1e-9), Complex(0, 0), Complex(0, 0), Complex(-tag, f) };
    });
}

// Each row changes something between two takes of the loci; the second take must be what a
// first take of the changed state gives.
TEST(CollectLoci, ASecondTakeShowsTheStateAsItIsThen)
{
    const std::function<void(ChartState&, double&)> changes[] = {
        [](ChartState&, double&) {},
        [](ChartState&, double& xMax) { xMax = 1.5e9; },
        [](ChartState& state, double&) {
            state.measurements.removeMeasurement(0);
            addTagged(state.measurements, 0.3);
        },
        [](ChartState& state, double&) {
            state.traceEnabled = { 0, 0, 0, 0, 0, 0, 1, 0 };
            state.resetRowVisibility();
        },
    };
    for (size_t c = 0; c < std::size(changes); ++c) {
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
        changes[c](state, xMax);
        std::vector<Locus> fresh;
        const MeasurementLock lock(state.measurements);
        collectLoci(state, 1e9, xMax, loci);
        collectLoci(state, 1e9, xMax, fresh);
        ASSERT_EQ(loci.size(), fresh.size()) << c;
        for (size_t l = 0; l < loci.size(); ++l) {
            EXPECT_EQ(loci[l].parameter, fresh[l].parameter) << c;
            EXPECT_EQ(loci[l].freq, fresh[l].freq) << c;
            EXPECT_EQ(loci[l].values, fresh[l].values) << c;
        }
    }
}

} // namespace
