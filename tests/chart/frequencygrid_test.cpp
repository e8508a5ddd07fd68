#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "frequencygrid.h"
#include "measurementbuilder.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// Appends a measurement with evenly spaced points from first to last; only their frequencies
// count here.
RubberS2PData& addMeasurement(RubberS2P& list, double first, double last, int32_t points)
{
    return addConstantMeasurement(list, first, last, points, Complex(0, 0));
}

ZoomEntry view(double xMin, double xMax)
{
    ZoomEntry zoom;
    zoom.xMin = xMin;
    zoom.xMax = xMax;
    return zoom;
}

// Measurements of 1 MHz and 10 MHz mean steps over 0..100 MHz. A view with two or more of the
// 1 MHz points takes their step, however few 10 MHz points it holds.
class GridOfTwoSteps : public testing::Test {
protected:
    void SetUp() override
    {
        addMeasurement(list, 0, 100e6, 101);
        addMeasurement(list, 0, 100e6, 11);
    }
    RubberS2P list;
};

TEST_F(GridOfTwoSteps, CoarsestStepSnapsTheViewInward)
{
    struct Row {
        double xMin;
        double xMax;
        double snappedMin;
        double snappedMax;
        int32_t count;
    };
    const Row rows[] = {
        { 15.5e6, 100e6, 16e6, 100e6, 85 }, { 0, 100e6, 0, 100e6, 101 }, { 0, 95.5e6, 0, 95e6, 96 },
        { -25e6, 250e6, -25e6, 250e6, 276 }, // a view wider than the data keeps the 1 MHz points
        { 100e6, 0, 0, 100e6, 101 }, // reversed ends are swapped
        { 15e6, 17e6, 15e6, 17e6, 3 },
        { 20e6, 20e6, 20e6, 30e6, 2 }, // no 1 MHz point pair: 10 MHz, and the next multiple added
        { 15.5e6, 15.7e6, 10e6, 20e6, 2 }, // no multiple inside: snapped outward
    };
    EXPECT_EQ(coarsestMeanStep(list), 10e6);
    for (const Row& row : rows) {
        ZoomEntry zoom = view(row.xMin, row.xMax);
        EXPECT_EQ(gridPointCount(list, zoom, 0), row.count) << row.xMin << " .. " << row.xMax;
        EXPECT_DOUBLE_EQ(zoom.xMin, row.snappedMin) << row.xMin << " .. " << row.xMax;
        EXPECT_DOUBLE_EQ(zoom.xMax, row.snappedMax) << row.xMin << " .. " << row.xMax;
    }
}

TEST_F(GridOfTwoSteps, ViewWithoutFiniteEndsShowsAllData)
{
    const ZoomEntry views[] = { view(nan, 50e6), view(0, inf), view(-inf, inf), view(-1e308, 1e308) };
    for (ZoomEntry zoom : views) {
        EXPECT_EQ(gridPointCount(list, zoom, 0), 101);
        EXPECT_EQ(zoom.xMin, 0);
        EXPECT_EQ(zoom.xMax, 100e6);
    }
}

TEST_F(GridOfTwoSteps, StepsThatAreNotPositiveAndFiniteDoNotCount)
{
    RubberS2PData& odd = addMeasurement(list, 0, 1e9, 2);
    const double steps[] = { nan, inf, -1e9 };
    for (double step : steps) {
        odd.freqStep = step;
        EXPECT_EQ(coarsestMeanStep(list), 10e6) << step;
    }
}

TEST(GridStep, ResolvingTakesMoreThanSixteenMeanSteps)
{
    RubberS2P list;
    RubberS2PData& m = addMeasurement(list, 0, 10e6, 11);
    struct Row {
        double step;
        double span;
        bool resolves;
    };
    const Row rows[] = {
        { 1e6, 16e6, false },
        { 1e6, 16.5e6, true },
        { 1e6, 1e12, true },
        { 0, 1e9, false },
        { -1e6, 1e9, false },
        { nan, 1e9, false },
        { inf, 1e300, false },
    };
    for (const Row& row : rows) {
        m.freqStep = row.step;
        EXPECT_EQ(resolvesSpan(m, row.span), row.resolves) << row.step << " in " << row.span;
    }
}

// Steps of 1 MHz over 0..1 GHz, 10 MHz and 200 MHz over 0..2 GHz, and one point at 500 MHz.
// The finest measurement with points in the view sets the step, down to a quarter of a pixel
// column, but never coarser than the step of the coarsest measurement that resolves the view.
TEST(GridStep, FinestMeasurementInTheViewSetsTheStepUpToTheScreen)
{
    RubberS2P list;
    addMeasurement(list, 0, 2e9, 11);
    addMeasurement(list, 0, 1e9, 1001);
    addMeasurement(list, 500e6, 500e6, 1);
    addMeasurement(list, 0, 2e9, 201);
    struct Row {
        double xMin;
        double xMax;
        int32_t width;
        double step;
        double snappedMin;
        double snappedMax;
        int32_t count;
    };
    const Row rows[] = {
        { 450e6, 550e6, 0, 1e6, 450e6, 550e6, 101 }, { 450.5e6, 549.5e6, 0, 1e6, 451e6, 549e6, 99 },
        { nan, nan, 0, 1e6, 0, 2e9, 2001 }, // all data: the 1 MHz points, not 10 MHz ones
        { nan, nan, 250, 2e6, 0, 2e9, 1001 }, // 2 GHz over 4 x 250 pixel columns
        { nan, nan, 10, 10e6, 0, 2e9, 201 }, // 50 MHz a quarter column: the resolving 10 MHz stay
        { 0, 3.3e9, 0, 1e6, 0, 3.3e9, 3301 },
        { 500e6, 510e6, 0, 1e6, 500e6, 510e6, 11 }, // nothing resolves 10 MHz; 1 MHz points lie there
        { 1.5e9, 1.6e9, 0, 1e6, 1.5e9, 1.6e9, 101 }, // 10 MHz points lie there, 1 MHz resolve the span
    };
    for (const Row& row : rows) {
        ZoomEntry zoom = view(row.xMin, row.xMax);
        double step = -1;
        EXPECT_EQ(gridPointCount(list, zoom, row.width, step), row.count) << row.xMin << " .. " << row.xMax;
        EXPECT_EQ(step, row.step) << row.xMin << " .. " << row.xMax;
        EXPECT_DOUBLE_EQ(zoom.xMin, row.snappedMin) << row.xMin << " .. " << row.xMax;
        EXPECT_DOUBLE_EQ(zoom.xMax, row.snappedMax) << row.xMin << " .. " << row.xMax;
    }
}

TEST(GridStep, OnePointMeasurementsNeverCount)
{
    RubberS2P list;
    addMeasurement(list, 500e6, 500e6, 1);
    EXPECT_EQ(gridStepForView(list, 0, 1e9, 0), 0);
    double step = -1;
    ZoomEntry zoom = view(0, 1e9);
    EXPECT_EQ(gridPointCount(list, zoom, 0, step), 2);
    EXPECT_EQ(step, 0);

    addMeasurement(list, 0, 1e9, 6);
    EXPECT_EQ(gridStepForView(list, 0, 1e9, 0), 200e6);
}

TEST(GridPointCount, OnePointMeasurementsGiveTwoPoints)
{
    RubberS2P list;
    addMeasurement(list, 1e9, 1e9, 1);
    addMeasurement(list, 2e9, 2e9, 1);
    EXPECT_EQ(coarsestMeanStep(list), 0);
    ZoomEntry zoom = view(1e9, 2e9);
    EXPECT_EQ(gridPointCount(list, zoom, 0), 2);
    EXPECT_EQ(zoom.xMin, 1e9);
    EXPECT_EQ(zoom.xMax, 2e9);
}

TEST(GridPointCount, SingleFrequencyGetsAFiniteSpan)
{
    RubberS2P list;
    addMeasurement(list, 1e9, 1e9, 1);
    addMeasurement(list, 1e9, 1e9, 1);
    ZoomEntry zoom = view(1e9, 1e9);
    EXPECT_EQ(gridPointCount(list, zoom, 0), 2);
    EXPECT_EQ(zoom.xMin, 1e9);
    EXPECT_EQ(zoom.xMax, 1e9 + 1); // 1 Hz, which is also a billionth of 1 GHz

    ZoomEntry far = view(1e20, 1e20);
    EXPECT_EQ(gridPointCount(list, far, 0), 2);
    EXPECT_EQ(far.xMin, 1e20);
    EXPECT_DOUBLE_EQ(far.xMax, 1e20 + 1e11);

    ZoomEntry top = view(std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
    EXPECT_EQ(gridPointCount(list, top, 0), 2);
    EXPECT_TRUE(std::isfinite(top.xMin));
    EXPECT_TRUE(std::isfinite(top.xMax));
    EXPECT_LT(top.xMin, top.xMax);
}

TEST(GridPointCount, NoMeasurementsGiveTwoPointsOverOneHertz)
{
    RubberS2P list;
    ZoomEntry zoom;
    EXPECT_EQ(gridPointCount(list, zoom, 0), 2);
    EXPECT_EQ(zoom.xMin, 0);
    EXPECT_EQ(zoom.xMax, 1);
}

TEST(GridPointCount, LimitKeepsTheTraceBuffersWithinBudget)
{
    // 512 MiB over 8 doubles per measurement and 9 doubles and an int per grid point.
    struct Row {
        int32_t measurements;
        int32_t limit;
    };
    const Row rows[] = {
        { -3, 1000000 },
        { 0, 1000000 },
        { 1, 1000000 }, // 536870912 / 140 > 3.8 million
        { 50, 163880 }, // 536870912 / 3276
        { 2048, 4093 }, // 536870912 / 131148
        { 1 << 30, 2 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(gridPointLimit(row.measurements), row.limit) << row.measurements;
}

TEST(GridPointCount, WideViewIsCapped)
{
    RubberS2P list;
    addMeasurement(list, 0, 1e6, 2);
    ZoomEntry zoom = view(0, 1e15); // a billion steps of 1 MHz
    EXPECT_EQ(gridPointCount(list, zoom, 0), maxGridPoints);
    EXPECT_EQ(zoom.xMin, 0);
    EXPECT_EQ(zoom.xMax, 1e15);

    for (int i = 1; i < 50; ++i)
        addMeasurement(list, 0, 1e6, 2);
    ZoomEntry wide = view(0, 1e12);
    EXPECT_EQ(gridPointCount(list, wide, 0), 163880);
}

} // namespace
