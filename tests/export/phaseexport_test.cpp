#include <gtest/gtest.h>

#include <charconv>
#include <complex>
#include <sstream>

#include "chartpicture.h"
#include "legendof.h"
#include "measurementbuilder.h"
#include "renderchart.h"
#include "tabletext.h"
#include "tempdir.h"
#include "workbookexport.h"
#include "xlsxcontents.h"

namespace {

// A delay line "line" of 25 ps over 1 to 2 GHz in 10 MHz steps, its S21M and S21A shown and
// drawn in a 900 x 600 frame in the phase mode.
struct DelayLineChart {
    explicit DelayLineChart(int32_t phaseMode)
    {
        addMeasurement(state.measurements, 1e9, 2e9, 101,
            [](double f) {
                const Complex line = std::polar(0.5, -2 * 3.141592653589793 * f * 25e-12);
                return SParams { line, line, line, line };
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

std::string titleRow(const std::string& table)
{
    return table.substr(0, table.find('\n'));
}

} // namespace

TEST(PhaseExport, TitlesAxisAndLegendCarryTheDelayUnitAndTheAperture)
{
    DelayLineChart delay(PhaseDelay);
    ASSERT_TRUE(delay.drawn);
    EXPECT_EQ(titleRow(plottedTableText(delay.input(Language::english))),
        "Frequency, MHz\tS21M line\tS21A line, ps");
    EXPECT_EQ(
        titleRow(plottedTableText(delay.input(Language::russian))), "Частота, МГц\tS21M line\tS21A line, пс");
    const ChartLegend legend = chartLegendOf(delay.input(Language::english), delay.state.chart);
    EXPECT_EQ(legend.valueUnit.toStdString(), "dB"); // the delay unit stands over the value labels
    EXPECT_EQ(legend.note.toStdString(), "aperture 5 points, 40 MHz");
    EXPECT_EQ(chartLegendOf(delay.input(Language::russian), delay.state.chart).note.toStdString(),
        "апертура 5 точек, 40 МГц");
    ChartLegend withoutNote = legend;
    withoutNote.note.clear();
    EXPECT_NE(chartImage(delay.state, &legend), chartImage(delay.state, &withoutNote)); // the box holds it

    // The workbook's axis takes the unit of its first trace, the delay here, and its cells the values.
    delay.state.rowVisible[S21M] = 0;
    TempDir dir;
    const std::string file = dir.file("delay.xlsx");
    std::string error;
    ASSERT_TRUE(exportToWorkbook(delay.input(Language::russian), file, error)) << error;
    XlsxContents book;
    ASSERT_TRUE(book.read(file));
    EXPECT_EQ(book.cells.at("B34").value, "S21A line, пс");
    double first = 0;
    const std::string& cell = book.cells.at("B35").value;
    std::from_chars(cell.data(), cell.data() + cell.size(), first);
    EXPECT_NEAR(first, 25, 1e-9);
    EXPECT_NE(book.chart.find("<a:t>пс</a:t>"), std::string::npos);

    // The unwrapped phase is in degrees, as the wrapped one, and has no aperture.
    DelayLineChart unwrapped(PhaseUnwrapped);
    EXPECT_EQ(titleRow(plottedTableText(unwrapped.input(Language::english))),
        "Frequency, MHz\tS21M line\tS21A line");
    const ChartLegend degrees = chartLegendOf(unwrapped.input(Language::english), unwrapped.state.chart);
    EXPECT_EQ(degrees.valueUnit.toStdString(), "dB, Deg");
    EXPECT_TRUE(degrees.note.isEmpty());
}
