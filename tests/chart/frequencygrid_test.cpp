#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "frequencygrid.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// Appends a measurement with evenly spaced points from first to last.
RubberS2PData& addMeasurement(RubberS2P& list, double first, double last, int32_t points)
{
    RubberS2PData& m = *list.measurement(list.itemCount);
    for (int32_t i = 0; i < points; ++i)
        m.point(i)->freq = points > 1 ? first + (last - first) * i / (points - 1) : first;
    m.dataValid = 1;
    m.updateFreqSummary();
    return m;
}

ZoomEntry view(double xMin, double xMax)
{
    ZoomEntry zoom;
    zoom.xMin = xMin;
    zoom.xMax = xMax;
    return zoom;
}

// Measurements of 1 MHz and 10 MHz mean steps over 0..100 MHz.
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
        { 15e6, 100e6, 20e6, 100e6, 9 },
        { 0, 100e6, 0, 100e6, 11 },
        { 0, 95e6, 0, 90e6, 10 },
        { -25e6, 250e6, -20e6, 250e6, 28 }, // a view wider than the data
        { 100e6, 0, 0, 100e6, 11 }, // reversed ends are swapped
        { 15e6, 17e6, 10e6, 20e6, 2 }, // no multiple inside: snapped outward
        { 20e6, 20e6, 20e6, 30e6, 2 }, // one multiple: the next one is added
        { 15e6, 25e6, 10e6, 30e6, 3 },
    };
    EXPECT_EQ(coarsestMeanStep(list), 10e6);
    for (const Row& row : rows) {
        ZoomEntry zoom = view(row.xMin, row.xMax);
        EXPECT_EQ(gridPointCount(list, zoom), row.count) << row.xMin << " .. " << row.xMax;
        EXPECT_DOUBLE_EQ(zoom.xMin, row.snappedMin) << row.xMin << " .. " << row.xMax;
        EXPECT_DOUBLE_EQ(zoom.xMax, row.snappedMax) << row.xMin << " .. " << row.xMax;
    }
}

TEST_F(GridOfTwoSteps, ViewWithoutFiniteEndsShowsAllData)
{
    const ZoomEntry views[] = { view(nan, 50e6), view(0, inf), view(-inf, inf), view(-1e308, 1e308) };
    for (ZoomEntry zoom : views) {
        EXPECT_EQ(gridPointCount(list, zoom), 11);
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

TEST(GridPointCount, OnePointMeasurementsGiveTwoPoints)
{
    RubberS2P list;
    addMeasurement(list, 1e9, 1e9, 1);
    addMeasurement(list, 2e9, 2e9, 1);
    EXPECT_EQ(coarsestMeanStep(list), 0);
    ZoomEntry zoom = view(1e9, 2e9);
    EXPECT_EQ(gridPointCount(list, zoom), 2);
    EXPECT_EQ(zoom.xMin, 1e9);
    EXPECT_EQ(zoom.xMax, 2e9);
}

TEST(GridPointCount, SingleFrequencyGetsAFiniteSpan)
{
    RubberS2P list;
    addMeasurement(list, 1e9, 1e9, 1);
    addMeasurement(list, 1e9, 1e9, 1);
    ZoomEntry zoom = view(1e9, 1e9);
    EXPECT_EQ(gridPointCount(list, zoom), 2);
    EXPECT_EQ(zoom.xMin, 1e9);
    EXPECT_EQ(zoom.xMax, 1e9 + 1); // 1 Hz, which is also a billionth of 1 GHz

    ZoomEntry far = view(1e20, 1e20);
    EXPECT_EQ(gridPointCount(list, far), 2);
    EXPECT_EQ(far.xMin, 1e20);
    EXPECT_DOUBLE_EQ(far.xMax, 1e20 + 1e11);

    ZoomEntry top = view(std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
    EXPECT_EQ(gridPointCount(list, top), 2);
    EXPECT_TRUE(std::isfinite(top.xMin));
    EXPECT_TRUE(std::isfinite(top.xMax));
    EXPECT_LT(top.xMin, top.xMax);
}

TEST(GridPointCount, NoMeasurementsGiveTwoPointsOverOneHertz)
{
    RubberS2P list;
    ZoomEntry zoom;
    EXPECT_EQ(gridPointCount(list, zoom), 2);
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
    EXPECT_EQ(gridPointCount(list, zoom), maxGridPoints);
    EXPECT_EQ(zoom.xMin, 0);
    EXPECT_EQ(zoom.xMax, 1e15);

    for (int i = 1; i < 50; ++i)
        addMeasurement(list, 0, 1e6, 2);
    ZoomEntry wide = view(0, 1e12);
    EXPECT_EQ(gridPointCount(list, wide), 163880);
}

} // namespace
