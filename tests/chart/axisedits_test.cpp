#include <gtest/gtest.h>

#include "axisedits.h"

namespace {

ZoomEntry manualView()
{
    ZoomEntry zoom;
    zoom.xMin = 100e6;
    zoom.xMax = 200e6;
    zoom.xStep = 10e6;
    zoom.yMin = -40;
    zoom.yMax = 0;
    zoom.yStep = 5;
    zoom.autoX = 0;
    zoom.autoY = 0;
    return zoom;
}

TEST(AxisEdits, FormatShowsFrequenciesInTheDisplayedUnit)
{
    const AxisEditTexts mhz = formatAxisEdits(manualView(), 1e6);
    EXPECT_EQ(mhz.xMin, "100");
    EXPECT_EQ(mhz.xMax, "200");
    EXPECT_EQ(mhz.xStep, "10");
    EXPECT_EQ(mhz.yMin, "-40");
    EXPECT_EQ(mhz.yMax, "0");
    EXPECT_EQ(mhz.yStep, "5");
    const AxisEditTexts ghz = formatAxisEdits(manualView(), 1e9);
    EXPECT_EQ(ghz.xMin, "0.1");
    EXPECT_EQ(ghz.xMax, "0.2");
    EXPECT_EQ(ghz.xStep, "0.01");
}

// A Smith or polar chart shows the frequency view its loci are cut to and no value axis: the
// Y boxes are empty, and whatever they hold leaves the view's value axis as it was.
TEST(AxisEdits, PlaneChartsShowAndReadTheFrequencyViewAlone)
{
    for (const ChartKind kind : { ChartKind::smith, ChartKind::polar }) {
        const AxisEditTexts shown = formatAxisEdits(manualView(), 1e6, kind);
        EXPECT_EQ(shown.xMin, "100");
        EXPECT_EQ(shown.xMax, "200");
        EXPECT_EQ(shown.xStep, "10");
        EXPECT_EQ(shown.yMin + shown.yMax + shown.yStep, "");
        for (const char* y : { "", "7" }) {
            ZoomEntry zoom = manualView();
            const AxisEditTexts typed { y, y, "1", y, "150", "120" };
            ASSERT_TRUE(parseAxisEdits(typed, zoom, 1e6, kind)) << y;
            EXPECT_EQ(zoom.xMin, 120e6);
            EXPECT_EQ(zoom.xMax, 150e6);
            EXPECT_EQ(zoom.xStep, 1e6);
            EXPECT_EQ(zoom.yMin, manualView().yMin);
            EXPECT_EQ(zoom.yMax, manualView().yMax);
            EXPECT_EQ(zoom.yStep, manualView().yStep);
        }
    }
}

TEST(AxisEdits, WrittenViewReadsBack)
{
    ZoomEntry read;
    read.autoX = 0;
    ASSERT_TRUE(parseAxisEdits(formatAxisEdits(manualView(), 1e6), read, 1e6));
    const ZoomEntry view = manualView();
    EXPECT_DOUBLE_EQ(read.xMin, view.xMin);
    EXPECT_DOUBLE_EQ(read.xMax, view.xMax);
    EXPECT_DOUBLE_EQ(read.xStep, view.xStep);
    EXPECT_DOUBLE_EQ(read.yMin, view.yMin);
    EXPECT_DOUBLE_EQ(read.yMax, view.yMax);
    EXPECT_DOUBLE_EQ(read.yStep, view.yStep);
}

TEST(AxisEdits, InvalidTextsChangeNothing)
{
    const AxisEditTexts valid = formatAxisEdits(manualView(), 1e6);
    struct Row {
        const char* what;
        AxisEditTexts texts;
    };
    AxisEditTexts reversedX = valid;
    reversedX.xMin = "300";
    AxisEditTexts equalY = valid;
    equalY.yMin = "0";
    AxisEditTexts zeroXStep = valid;
    zeroXStep.xStep = "0";
    AxisEditTexts negativeYStep = valid;
    negativeYStep.yStep = "-1";
    AxisEditTexts notANumber = valid;
    notANumber.yMax = "nan";
    AxisEditTexts infinite = valid;
    infinite.xMax = "1e400";
    AxisEditTexts empty;
    const Row rows[] = { { "reversed x", reversedX }, { "equal y", equalY }, { "zero x step", zeroXStep },
        { "negative y step", negativeYStep }, { "nan", notANumber }, { "overflow", infinite },
        { "empty", empty } };
    for (const Row& row : rows) {
        ZoomEntry zoom;
        zoom.autoY = 0;
        zoom.xMin = 1;
        EXPECT_FALSE(parseAxisEdits(row.texts, zoom, 1e6)) << row.what;
        EXPECT_EQ(zoom.xMin, 1) << row.what;
        EXPECT_EQ(zoom.yMax, 0) << row.what;
    }
}

TEST(AxisEdits, BothAutomaticAxesSkipTheRangeChecks)
{
    AxisEditTexts texts;
    texts.xMin = "5";
    ZoomEntry zoom;
    EXPECT_TRUE(parseAxisEdits(texts, zoom, 1e3));
    EXPECT_EQ(zoom.xMin, 5e3);
    EXPECT_EQ(zoom.xMax, 0);
    // One manual axis checks the automatic one too.
    zoom.autoY = 0;
    EXPECT_FALSE(parseAxisEdits(texts, zoom, 1e3));
}

} // namespace
