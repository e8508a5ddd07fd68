#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "markertable.h"
#include "measurementbuilder.h"
#include "recomputechart.h"
#include "renderchart.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Two measurements whose S21 reads f / 10 MHz dB at f (so straight in dB between points) and
// whose S11 phase is one radian, drawn in MHz: "a" from 1000 to 3000 MHz in steps of 100 MHz,
// "b" 2 dB higher from 2000 to 4000 MHz.
class Markers : public testing::Test {
protected:
    Markers()
    {
        addMeasurement(state.measurements, 1e9, 3e9, 21, s21(0));
        addMeasurement(state.measurements, 2e9, 4e9, 21, s21(2));
        state.traceEnabled = { 0, 1, 1, 0, 0, 0, 0, 0 };
        state.resetRowVisibility();
        state.chart.attach(ChartView::defaultLabelFont(), QSize(600, 400));
    }

    static std::function<SParams(double)> s21(double offset)
    {
        return [offset](double f) {
            const Complex s = std::polar(std::pow(10, (f / 10e6 + offset) / 20), 1.0);
            const Complex s11 = std::polar(0.1, 1.0);
            return SParams { s11, s, s, s11 };
        };
    }

    void redraw()
    {
        const ZoomEntry& zoom = state.currentZoom();
        ASSERT_EQ(recomputeChart(state, host, zoom.autoX, zoom.autoY), RecomputeResult::Drawn);
    }

    ChartState state;
    HeadlessChartHost host;
};

constexpr int32_t aS21 = 2; // trace S21M of "a"
constexpr int32_t bS21 = 8 + 2;

TEST_F(Markers, ValuesComeFromEachMeasurementsOwnPointsAndAreEmptyOutsideItsRange)
{
    state.markers.add(1550e6);
    state.markers.add(2550e6);
    state.markers.add(3550e6);
    state.rowVisible[8 + 1] = 0; // b's S21A hidden
    redraw();
    struct Case {
        int32_t trace;
        int32_t marker;
        double value;
    };
    const Case cases[] = {
        { aS21, 1, 155 },
        { aS21, 2, 255 },
        { aS21, 3, nan },
        { bS21, 1, nan },
        { bS21, 2, 255 + 2 },
        { bS21, 3, 355 + 2 },
        { 1, 2, 180 / 3.141592653589793 },
        { 8 + 1, 2, nan }, // hidden
        { 0, 1, nan }, // a kind not enabled
        { aS21, 4, nan }, // a marker not set
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "trace " << c.trace << " M" << c.marker);
        const double got = state.markerValues.at(c.trace, c.marker);
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(got)) << got;
        else
            EXPECT_NEAR(got, c.value, 1e-9);
    }
}

TEST_F(Markers, TableTitlesAndDeltasFollowTheReferenceMarker)
{
    state.markers.add(2400e6);
    state.markers.add(2500e6);
    state.markers.add(2250e6);
    state.referenceIndex = 0; // b relative to a, 2 dB everywhere they overlap
    redraw();
    struct Case {
        int32_t deltaRef;
        double multiplier;
        std::vector<std::string> titles;
        std::vector<double> bRow; // b's S21M at M1, M2, M3
    };
    const Case cases[] = {
        { 0, 1e6, { "M1 2400 MHz", "M2 2500 MHz", "M3 2250 MHz" }, { 2, 2, 2 } },
        { 0, 1e9, { "M1 2.4 GHz", "M2 2.5 GHz", "M3 2.25 GHz" }, { 2, 2, 2 } },
        { 1, 1e6, { "M1 2400 MHz", "\u0394M2 100 MHz", "\u0394M3 -150 MHz" }, { 2, 0, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.titles[1]);
        state.markers.setDeltaRef(c.deltaRef);
        state.unitMultiplier = c.multiplier;
        const MarkerTable table = markerTable(state, shownRowTraces(state), Language::english);
        EXPECT_EQ(table.numbers, (std::vector<int32_t> { 1, 2, 3 }));
        EXPECT_EQ(table.titles, c.titles);
        ASSERT_EQ(table.traces, (std::vector<int32_t> { 1, aS21, 8 + 1, bS21 }));
        for (size_t n = 0; n < c.bRow.size(); ++n) {
            EXPECT_NEAR(table.cells[3][n], c.bRow[n], 1e-9) << n;
            EXPECT_NEAR(table.cells[1][n], 0, 1e-9) << n; // a relative to itself
        }
    }
    EXPECT_TRUE(markerTable(ChartState(), {}, Language::english).empty());
}

} // namespace
