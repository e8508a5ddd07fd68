#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <complex>
#include <sstream>

#include "chartpicture.h"
#include "exporttexts.h"
#include "legendof.h"
#include "measurementbuilder.h"
#include "renderchart.h"
#include "tabletext.h"
#include "tempdir.h"
#include "workbookexport.h"
#include "xlsxcontents.h"

// The units and the aperture that the export, the table text and the legend carry for the
// phase traces in the unwrapped and delay modes.

namespace {

constexpr double pi = 3.141592653589793;

// A delay line "line" of 1.5 ns over 1 to 2 GHz in 10 MHz steps, S21M and S21A shown, drawn
// in a 900 x 600 frame in the phase mode.
struct DelayLineChart {
    explicit DelayLineChart(int32_t phaseMode, double delay = 1.5e-9)
    {
        addMeasurement(state.measurements, 1e9, 2e9, 101,
            [delay](double f) {
                const Complex line = std::polar(0.5, -2 * pi * f * delay);
                return SParams { line * 0.1, line, line, line * 0.1 };
            })
            .displayName
            = "line";
        state.traceEnabled = { 0, 0, 1, 1, 0, 0, 0, 0 };
        state.resetRowVisibility();
        state.phaseMode = phaseMode;
        HeadlessChartHost host;
        QImage image;
        drawn = renderChartImage(state, host, QSize(900, 600), image) == RecomputeResult::Drawn;
    }

    ExportInput input(Language language) { return exportInputOf(state, language, 750, 525); }

    ChartState state;
    bool drawn = false;
};

std::vector<std::string> firstLineCells(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    std::vector<std::string> cells;
    std::istringstream row(line);
    for (std::string cell; std::getline(row, cell, '\t');)
        cells.push_back(cell);
    return cells;
}

} // namespace

TEST(PhaseExportTexts, DelayIsAKindOfItsOwnTitledByItsUnit)
{
    for (int32_t t = 0; t < 16; ++t) {
        const bool phase = t % 2 == 1;
        EXPECT_EQ(valueAxisKind(t, 1, PhaseDelay), phase ? ValueAxisKind::Delay : ValueAxisKind::Decibels)
            << t;
        EXPECT_EQ(
            valueAxisKind(t, 1, PhaseUnwrapped), phase ? ValueAxisKind::Degrees : ValueAxisKind::Decibels)
            << t;
        EXPECT_EQ(valueAxisKind(t, 1), valueAxisKind(t, 1, PhaseWrapped)) << t;
    }
    EXPECT_EQ(valueAxisKind(0, 0, PhaseDelay), ValueAxisKind::Vswr);
    EXPECT_STREQ(valueAxisTitle(Language::english, ValueAxisKind::Delay, -12), "ps");
    EXPECT_STREQ(valueAxisTitle(Language::russian, ValueAxisKind::Delay, -6), "мкс");
    EXPECT_STREQ(valueAxisTitle(Language::english, ValueAxisKind::Delay), "ns");
    EXPECT_STREQ(valueAxisTitle(Language::english, ValueAxisKind::Degrees, -12), "Deg");
    EXPECT_EQ(traceTitle(3, "dut.s2p", "ns"), "S21A dut.s2p, ns");
    EXPECT_EQ(traceTitle(3, "dut.s2p", ""), "S21A dut.s2p");
    EXPECT_EQ(traceTitle(3, "dut.s2p"), "S21A dut.s2p");
}

TEST(PhaseExport, TableTitlesCarryTheDelayUnit)
{
    DelayLineChart chart(PhaseDelay);
    ASSERT_TRUE(chart.drawn);
    EXPECT_EQ(firstLineCells(plottedTableText(chart.input(Language::english))),
        (std::vector<std::string> { "Frequency, MHz", "S21M line", "S21A line, ns" }));
    EXPECT_EQ(firstLineCells(plottedTableText(chart.input(Language::russian))),
        (std::vector<std::string> { "Частота, МГц", "S21M line", "S21A line, нс" }));
    // The values are in that unit.
    std::istringstream lines(plottedTableText(chart.input(Language::english)));
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    const std::string value = line.substr(line.rfind('\t') + 1);
    EXPECT_NEAR(std::stod(value), 1.5, 1e-9);

    DelayLineChart unwrapped(PhaseUnwrapped);
    EXPECT_EQ(firstLineCells(plottedTableText(unwrapped.input(Language::english))),
        (std::vector<std::string> { "Frequency, MHz", "S21M line", "S21A line" }));
}

TEST(PhaseExport, WorkbookTitlesTheColumnAndTheAxisByTheUnit)
{
    TempDir dir;
    const std::string file = dir.file("delay.xlsx");
    for (const Language language : { Language::english, Language::russian }) {
        DelayLineChart chart(PhaseDelay, 25e-12);
        ASSERT_TRUE(chart.drawn);
        // The first exported trace names the axis: make it the delay.
        chart.state.rowVisible[S21M] = 0;
        std::string error;
        ASSERT_TRUE(exportToWorkbook(chart.input(language), file, error)) << error;
        XlsxContents book;
        ASSERT_TRUE(book.read(file));
        const bool russian = language == Language::russian;
        EXPECT_EQ(book.cells.at("B34").value, russian ? "S21A line, пс" : "S21A line, ps");
        double first = 0;
        const std::string& cell = book.cells.at("B35").value;
        std::from_chars(cell.data(), cell.data() + cell.size(), first);
        EXPECT_NEAR(first, 25, 1e-9);
        const std::vector<std::string> axes = between(book.chart, "<c:valAx>", "</c:valAx>");
        ASSERT_EQ(axes.size(), 2u);
        EXPECT_NE(axes[1].find(russian ? "<a:t>пс</a:t>" : "<a:t>ps</a:t>"), std::string::npos);
    }
}

TEST(PhaseExport, LegendCarriesTheUnitAndTheAperture)
{
    DelayLineChart chart(PhaseDelay);
    ASSERT_TRUE(chart.drawn);
    const ChartLegend english = chartLegendOf(chart.input(Language::english), chart.state.chart);
    EXPECT_EQ(english.valueUnit.toStdString(), "dB, ns");
    EXPECT_EQ(english.note.toStdString(), "aperture 5 points, 40 MHz");
    ASSERT_EQ(english.entries.size(), 2u);
    EXPECT_EQ(english.entries[1].text.toStdString(), "line S21A");
    const ChartLegend russian = chartLegendOf(chart.input(Language::russian), chart.state.chart);
    EXPECT_EQ(russian.valueUnit.toStdString(), "дБ, нс");
    EXPECT_EQ(russian.note.toStdString(), "апертура 5 точек, 40 МГц");

    // The legend's box holds the note: a legend without it paints less.
    ChartLegend withoutNote = english;
    withoutNote.note.clear();
    const QImage with = chartImage(chart.state, &english);
    const QImage without = chartImage(chart.state, &withoutNote);
    ASSERT_FALSE(with.isNull());
    EXPECT_NE(with, without);

    DelayLineChart unwrapped(PhaseUnwrapped);
    const ChartLegend degrees = chartLegendOf(unwrapped.input(Language::english), unwrapped.state.chart);
    EXPECT_EQ(degrees.valueUnit.toStdString(), "dB, Deg");
    EXPECT_TRUE(degrees.note.isEmpty());
}
