#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

#include "decimalcommalocale.h"
#include "tabletext.h"

namespace {

// Hand-made results of a recomputation of two measurements on 5 grid points: frequencies
// 100 + i / 3 in the displayed unit and trace t's value -t / 7 - i / 9; trace 10 covers only
// points 1..3.
struct Plotted {
    Plotted()
    {
        buffers.pointCount = points;
        buffers.traceCount = 16;
        for (int32_t i = 0; i < points; ++i)
            buffers.freqGrid.push_back(frequency(i));
        buffers.allocateValues(std::vector<bool>(16, true));
        for (int32_t t = 0; t < 16; ++t) {
            for (int32_t i = 0; i < points; ++i)
                buffers.traceValues[static_cast<size_t>(t)][i] = value(t, i);
            buffers.firstIndex.push_back(t == 10 ? 1 : 0);
            buffers.lastIndex.push_back(t == 10 ? 3 : points - 1);
        }
        buffers.traceValues[2][4] = NAN;
        rowVisible.assign(16, 0);
        rowVisible[2] = 1;
        rowVisible[10] = 1;
        rowVisible[11] = 1;
    }

    static double frequency(int32_t i) { return 100 + i / 3.0; }
    static double value(int32_t t, int32_t i) { return -t / 7.0 - i / 9.0; }

    static constexpr int32_t points = 5;
    TraceBuffers buffers;
    std::vector<int32_t> rowVisible;
};

std::vector<std::vector<std::string>> cellsOf(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        rows.emplace_back();
        std::string cell;
        std::istringstream cells(line);
        while (std::getline(cells, cell, '\t'))
            rows.back().push_back(cell);
        if (!line.empty() && line.back() == '\t')
            rows.back().push_back(std::string());
    }
    return rows;
}

double numberOf(const std::string& text)
{
    double v = NAN;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    return result.ptr == text.data() + text.size() ? v : NAN;
}

TEST(TableText, HoldsTheExportsTitlesAndNumbersInTheCLocale)
{
    struct Case {
        int32_t language;
        double multiplier;
        const char* frequencyTitle;
        bool decimalComma;
    };
    for (const Case& c :
        { Case { 1, 1e6, "Frequency, MHz", false }, Case { 0, 1e9, "Частота, ГГц", true } }) {
        SCOPED_TRACE(c.frequencyTitle);
        const DecimalCommaLocale comma;
        if (!c.decimalComma)
            std::setlocale(LC_ALL, "C");
        Plotted plotted;
        ExportInput input(plotted.buffers, plotted.rowVisible);
        input.displayNames = { "first", "second" };
        input.language = languageOf(c.language);
        input.unitMultiplier = c.multiplier;
        const std::string text = plottedTableText(input);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n');
        const auto rows = cellsOf(text);
        ASSERT_EQ(rows.size(), 1u + Plotted::points);
        EXPECT_EQ(rows[0],
            (std::vector<std::string> { c.frequencyTitle, "S21M first", "S21M second", "S21A second" }));
        const int32_t traces[] = { 2, 10, 11 };
        for (int32_t i = 0; i < Plotted::points; ++i) {
            const auto& row = rows[static_cast<size_t>(i + 1)];
            ASSERT_EQ(row.size(), 4u) << "row " << i;
            EXPECT_NEAR(numberOf(row[0]), Plotted::frequency(i), 1e-12);
            for (size_t k = 0; k < 3; ++k) {
                const int32_t t = traces[k];
                const bool empty = (t == 2 && i == 4) || (t == 10 && (i < 1 || i > 3));
                if (empty)
                    EXPECT_EQ(row[k + 1], "") << "row " << i << " trace " << t;
                else
                    EXPECT_NEAR(numberOf(row[k + 1]), Plotted::value(t, i), 1e-13) << row[k + 1];
            }
        }
    }
}

TEST(TableText, MarkerTableFollowsAfterAnEmptyLine)
{
    Plotted plotted;
    ExportInput input(plotted.buffers, plotted.rowVisible);
    input.displayNames = { "first", "second" };
    input.markers.numbers = { 1, 3 };
    input.markers.titles = { "M1 100 MHz", "\u0394M3 0.25 MHz" };
    input.markers.traces = { 2, 10 };
    input.markers.cells = { { -1.5, NAN }, { 2.25, -0.125 } };
    const auto rows = cellsOf(plottedTableText(input));
    ASSERT_EQ(rows.size(), 1u + Plotted::points + 4);
    const size_t first = 1 + Plotted::points;
    EXPECT_TRUE(rows[first].empty());
    EXPECT_EQ(rows[first + 1], (std::vector<std::string> { "", "M1 100 MHz", "\u0394M3 0.25 MHz" }));
    EXPECT_EQ(rows[first + 2], (std::vector<std::string> { "S21M first", "-1.5", "" }));
    EXPECT_EQ(rows[first + 3], (std::vector<std::string> { "S21M second", "2.25", "-0.125" }));
}

TEST(TableText, NothingPlottedGivesNoText)
{
    TraceBuffers buffers;
    const std::vector<int32_t> visible;
    EXPECT_EQ(plottedTableText(ExportInput(buffers, visible)), "");
}

} // namespace
