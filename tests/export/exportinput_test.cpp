#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include "exportlayout.h"
#include "measurementbuilder.h"
#include "renderchart.h"
#include "tempdir.h"
#include "workbookexport.h"
#include "xlsxcontents.h"

namespace {

double numberOf(const std::string& text)
{
    double v = NAN;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

TEST(ExportInput, ExportsTheLastRecomputationAsPlotted)
{
    ChartState state;
    state.unitMultiplier = 1e6;
    RubberS2PData& first = addConstantMeasurement(state.measurements, 100e6, 200e6, 11, Complex(0.5, 0));
    first.displayName = "half.s2p";
    RubberS2PData& second = addMeasurement(state.measurements, 150e6, 200e6, 6, [](double f) {
        return SParams { 0.1, std::polar(f / 1e9, 0.0), 0.1, 0.1 };
    });
    second.displayName = "rising.s2p";
    state.dbMode = 0;
    state.rowVisible.assign(state.rowVisible.size(), 0);
    state.rowVisible[0] = 1; // S11M of half.s2p, as VSWR
    state.rowVisible[10] = 1; // S21M of rising.s2p

    HeadlessChartHost host;
    QImage image;
    ASSERT_EQ(renderChartImage(state, host, QSize(1000, 700), image), RecomputeResult::Drawn);
    const TraceBuffers& buffers = state.buffers;
    ASSERT_EQ(buffers.pointCount, 11);

    const ExportInput input = exportInputOf(state, Language::english, 750, 525);
    TempDir dir;
    std::string error;
    ASSERT_TRUE(exportToWorkbook(input, dir.file("chart.xlsx"), error)) << error;
    XlsxContents book;
    ASSERT_TRUE(book.read(dir.file("chart.xlsx")));

    const int32_t headerRow = exportLayout(750, 525).headerRow;
    const std::string title = std::to_string(headerRow + 1);
    EXPECT_EQ(book.cells.at("A" + title).value, "Frequency, MHz");
    EXPECT_EQ(book.cells.at("B" + title).value, "S11M half.s2p");
    EXPECT_EQ(book.cells.at("C" + title).value, "S21M rising.s2p");
    for (int32_t i = 0; i < buffers.pointCount; ++i) {
        const std::string row = std::to_string(headerRow + 2 + i);
        EXPECT_EQ(numberOf(book.cells.at("A" + row).value), 100 + 10 * i);
        // |S11| = 0.5 is a VSWR of 3 everywhere.
        EXPECT_DOUBLE_EQ(numberOf(book.cells.at("B" + row).value), 3);
        const bool covered = i >= buffers.firstIndex[10] && i <= buffers.lastIndex[10];
        ASSERT_EQ(book.cells.count("C" + row), covered ? 1u : 0u) << row;
        // The measured points lie on the grid: |S21| = f / 1 GHz there.
        if (covered) {
            EXPECT_NEAR(
                numberOf(book.cells.at("C" + row).value), 20 * std::log10((100 + 10 * i) / 1000.0), 1e-12);
        }
    }
    // The second measurement starts at 150 MHz, grid index 5.
    EXPECT_EQ(buffers.firstIndex[10], 5);

    // The view the recomputation chose: 100 .. 200 MHz in steps of 10, VSWR from its
    // automatic range.
    const std::vector<std::string> axes = between(book.chart, "<c:valAx>", "</c:valAx>");
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(attributeOf(axes[0], "<c:min", "val"), "100");
    EXPECT_EQ(attributeOf(axes[0], "<c:max", "val"), "200");
    EXPECT_EQ(attributeOf(axes[0], "<c:majorUnit", "val"), "10");
    EXPECT_NE(axes[1].find("<a:t>VSWR</a:t>"), std::string::npos);
    const ZoomEntry& zoom = state.currentZoom();
    EXPECT_NEAR(numberOf(attributeOf(axes[1], "<c:min", "val")), zoom.yMin, 0.005);
    EXPECT_NEAR(numberOf(attributeOf(axes[1], "<c:max", "val")), zoom.yMax, 0.005);
}

} // namespace
