#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chartsettings.h"
#include "chartstate.h"

namespace {

// A stored manual view of 1.5 to 2.5 GHz by 0.25 and -40 to 0 dB by 5, S11M and S22A checked,
// VSWR, no smoothing.
SettingsRecord manualSettings()
{
    SettingsRecord s;
    s.MX = 1e9;
    s.AutoX = 0;
    s.AutoY = 0;
    s.MinX = 1.5;
    s.MaxX = 2.5;
    s.dX = 0.25;
    s.MinY = -40;
    s.MaxY = 0;
    s.dY = 5;
    s.Units = 1;
    s.Filter = 0;
    s.S21m = 0;
    s.S11m = 1;
    s.S22a = 1;
    return s;
}

} // namespace

TEST(ChartSettings, StoredUnitIsAlwaysOneOfTheFour)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double rows[][2] = { { 1e6, 1e6 }, { 1, 1 }, { 1e3, 1e3 }, { 1e9, 1e9 }, { 2e6, 1e6 }, { 5e8, 1e9 },
        { 1e12, 1e9 }, { 0, 1 }, { -1e6, 1 }, { inf, 1e9 } };
    for (const auto& row : rows) {
        SettingsRecord s;
        s.MX = row[0];
        EXPECT_EQ(storedUnitMultiplier(s), row[1]) << row[0];
    }
    SettingsRecord s;
    s.MX = std::nan("");
    EXPECT_EQ(storedUnitMultiplier(s), 1);
}

TEST(ChartSettings, StartUpBuildsTheFirstViewAndTheStoredOne)
{
    ChartState automatic;
    chartStateFromSettings(SettingsRecord(), automatic);
    EXPECT_EQ(automatic.zoomList.itemCount, 1);
    const ZoomEntry& first = automatic.currentZoom();
    EXPECT_EQ(first.autoX, 1);
    EXPECT_EQ(first.autoY, 1);
    EXPECT_EQ(first.xMax, 100e6);
    EXPECT_EQ(first.xStep, 10e6);
    EXPECT_EQ(first.yMax, 100);
    EXPECT_EQ(automatic.dbMode, 0); // Units 1: VSWR
    EXPECT_EQ(automatic.smoothing, 1);
    EXPECT_EQ(automatic.traceEnabled, (std::array<int32_t, 8> { 0, 0, 1, 0, 0, 0, 0, 0 }));

    ChartState manual;
    chartStateFromSettings(manualSettings(), manual);
    ASSERT_EQ(manual.zoomList.itemCount, 2);
    const ZoomEntry& stored = manual.currentZoom();
    EXPECT_EQ(stored.autoX, 0);
    EXPECT_EQ(stored.autoY, 0);
    EXPECT_EQ(stored.xMin, 1.5e9);
    EXPECT_EQ(stored.xMax, 2.5e9);
    EXPECT_EQ(stored.xStep, 0.25e9);
    EXPECT_EQ(stored.yMin, -40);
    EXPECT_EQ(stored.yStep, 5);
    EXPECT_EQ(manual.smoothing, 0);
    EXPECT_EQ(manual.traceEnabled, (std::array<int32_t, 8> { 1, 0, 0, 0, 0, 0, 0, 1 }));
    manual.zoomList.popZoom();
    EXPECT_EQ(manual.currentZoom().xMax, 100e9); // Back steps to the first view.

    // A manual frequency axis alone is not kept: the stored view comes with a manual value axis.
    SettingsRecord frequencyOnly = manualSettings();
    frequencyOnly.AutoY = 1;
    ChartState state;
    chartStateFromSettings(frequencyOnly, state);
    EXPECT_EQ(state.zoomList.itemCount, 1);
}

TEST(ChartSettings, ClosingStoresTheViewInForceInTheUnit)
{
    const SettingsRecord start = manualSettings();
    ChartState state;
    chartStateFromSettings(start, state);
    state.dbMode = 1;

    struct Case {
        std::optional<QRect> geometry;
        int32_t left, top, right, bottom;
    };
    const Case cases[] = {
        { QRect(10, 20, 300, 200), 10, 20, 310, 220 },
        { std::nullopt, 7, 8, 9, 10 }, // minimised or maximised: the stored rectangle stays
    };
    for (const Case& c : cases) {
        SettingsRecord written;
        written.Left = 7;
        written.Top = 8;
        written.Right = 9;
        written.Bottom = 10;
        chartStateIntoSettings(state, c.geometry, written);
        EXPECT_EQ(written.Left, c.left);
        EXPECT_EQ(written.Top, c.top);
        EXPECT_EQ(written.Right, c.right);
        EXPECT_EQ(written.Bottom, c.bottom);
        EXPECT_EQ(written.MX, 1e9);
        EXPECT_EQ(written.AutoX, 0);
        EXPECT_EQ(written.AutoY, 0);
        EXPECT_EQ(written.MinX, start.MinX);
        EXPECT_EQ(written.MaxX, start.MaxX);
        EXPECT_EQ(written.dX, start.dX);
        EXPECT_EQ(written.MinY, start.MinY);
        EXPECT_EQ(written.MaxY, start.MaxY);
        EXPECT_EQ(written.dY, start.dY);
        EXPECT_EQ(written.Units, 0); // dB
        EXPECT_EQ(written.S11m, 1);
        EXPECT_EQ(written.S21m, 0);
        EXPECT_EQ(written.S22a, 1);
        EXPECT_EQ(written.Filter, 1); // Smoothing is stored when it is switched, not here.
    }
}

TEST(ChartSettings, AStoredViewThatCannotBeDrawnIsNotUsed)
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        double minX, maxX, dX, minY, maxY, dY;
    };
    const Case cases[] = {
        { "collapsed frequencies", 100, 100, 1, -40, 0, 5 },
        { "reversed values", 1, 2, 0.25, 0, -5, 5 },
        { "zero frequency step", 1, 2, 0, -40, 0, 5 },
        { "negative value step", 1, 2, 0.25, -40, 0, -5 },
        { "not a number", nan, 2, 0.25, -40, 0, 5 },
        { "infinite top", 1, 2, 0.25, -40, inf, 5 },
    };
    for (const Case& c : cases) {
        SettingsRecord s = manualSettings();
        s.MinX = c.minX;
        s.MaxX = c.maxX;
        s.dX = c.dX;
        s.MinY = c.minY;
        s.MaxY = c.maxY;
        s.dY = c.dY;
        ChartState state;
        chartStateFromSettings(s, state);
        EXPECT_EQ(state.zoomList.itemCount, 1) << c.name;
        EXPECT_EQ(state.currentZoom().autoY, 1) << c.name;
    }
}

// ChartKind 1 and 2 are the Smith and polar charts; every other stored number the frequency
// chart. Both it and the admittance grid go back into the settings on closing.
TEST(ChartSettings, ChartKindAndAdmittanceGridRoundTrip)
{
    struct Row {
        int32_t stored;
        ChartKind kind;
    };
    const Row rows[] = { { 0, ChartKind::frequency }, { 1, ChartKind::smith }, { 2, ChartKind::polar },
        { 3, ChartKind::frequency }, { -1, ChartKind::frequency } };
    for (const Row& row : rows) {
        SettingsRecord settings;
        settings.ChartKind = row.stored;
        settings.AdmittanceGrid = 7;
        ChartState state;
        chartStateFromSettings(settings, state);
        EXPECT_EQ(state.chartKind, row.kind) << row.stored;
        EXPECT_EQ(state.admittanceGrid, 1);
        SettingsRecord closing;
        chartStateIntoSettings(state, std::nullopt, closing);
        EXPECT_EQ(closing.ChartKind, static_cast<int32_t>(row.kind));
        EXPECT_EQ(closing.AdmittanceGrid, 1);
    }
}

TEST(ChartSettings, PhaseModeAndApertureGoBothWaysAndBadOnesFallBack)
{
    // Stored mode, stored aperture, then what the state and the rewritten settings hold.
    const int32_t rows[][4] = { { 1, 3, 1, 3 }, { 2, 1001, 2, 1001 }, { 3, 4, 0, 5 }, { -1, 0, 0, 5 } };
    for (const auto& row : rows) {
        SettingsRecord s;
        s.PhaseMode = row[0];
        s.DelayAperture = row[1];
        ChartState state;
        chartStateFromSettings(s, state);
        EXPECT_EQ(state.phaseMode, row[2]) << row[0];
        EXPECT_EQ(state.delayAperture, row[3]) << row[1];
        SettingsRecord written;
        chartStateIntoSettings(state, std::nullopt, written);
        EXPECT_EQ(written.PhaseMode, row[2]);
        EXPECT_EQ(written.DelayAperture, row[3]);
    }
}
