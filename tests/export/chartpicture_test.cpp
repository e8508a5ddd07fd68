#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QXmlStreamReader>

#include <map>
#include <vector>

#include "chartpicture.h"
#include "drawchart.h"
#include "legendof.h"
#include "measurementbuilder.h"
#include "presentchart.h"
#include "renderchart.h"
#include "tracepalette.h"

namespace {

constexpr int32_t s21m = 2;

// Measurements m = 0.. of a flat S21 of 0.1 (m + 1) over 100..200 MHz, their S21M shown
// (and S21A too when asked), drawn in a frame of 900 x 600 pixels.
struct DrawnState {
    DrawnState(int32_t measurements, bool phases)
    {
        for (int32_t m = 0; m < measurements; ++m) {
            RubberS2PData& data = addMeasurement(state.measurements, 100e6, 200e6, 21, [m](double f) {
                return SParams { 0.1, std::polar(0.1 * (m + 1), f / 1e9), 0.1, 0.1 };
            });
            data.displayName = "m" + std::to_string(m);
        }
        state.rowVisible.assign(state.rowVisible.size(), 0);
        for (int32_t m = 0; m < measurements; ++m) {
            shown.push_back(8 * m + s21m);
            if (phases)
                shown.push_back(8 * m + s21m + 1);
        }
        for (const int32_t t : shown)
            state.rowVisible[static_cast<size_t>(t)] = 1;
        HeadlessChartHost host;
        QImage image;
        drawn = renderChartImage(state, host, QSize(900, 600), image) == RecomputeResult::Drawn;
    }

    ChartLegend legend(Language language = Language::english)
    {
        return chartLegendOf(exportInputOf(state, language, 0, 0), state.chart);
    }

    ChartState state;
    std::vector<int32_t> shown;
    bool drawn = false;
};

// The strokes two pixels wide of an SVG document by colour, the stroke taken from the
// innermost group that sets one.
std::map<QRgb, int> traceStrokes(const QByteArray& svg, bool& wellFormed)
{
    std::map<QRgb, int> strokes;
    std::vector<QString> colour { QString() };
    std::vector<QString> width { QString() };
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes a = xml.attributes();
            colour.push_back(a.hasAttribute("stroke") ? a.value("stroke").toString() : colour.back());
            width.push_back(
                a.hasAttribute("stroke-width") ? a.value("stroke-width").toString() : width.back());
            const bool path = xml.name() == QLatin1String("polyline") || xml.name() == QLatin1String("path");
            if (path && width.back() == QLatin1String("2") && colour.back() != QLatin1String("none"))
                ++strokes[QColor(colour.back()).rgb()];
        } else if (xml.isEndElement()) {
            colour.pop_back();
            width.pop_back();
        }
    }
    wellFormed = !xml.hasError();
    return strokes;
}

TEST(ChartPicture, SvgHoldsOnePathPerShownTraceInItsPaletteColour)
{
    struct Case {
        int32_t measurements;
        bool phases;
        bool legend;
    };
    for (const Case& c : { Case { 1, false, false }, Case { 3, false, true }, Case { 3, true, true } }) {
        SCOPED_TRACE(
            std::to_string(c.measurements) + (c.phases ? " with phases" : "") + (c.legend ? " legend" : ""));
        DrawnState drawn(c.measurements, c.phases);
        ASSERT_TRUE(drawn.drawn);
        const ChartLegend legend = drawn.legend();
        QByteArray svg;
        ASSERT_TRUE(encodeChartPicture(drawn.state, PictureFormat::Svg, c.legend ? &legend : nullptr, svg));
        ASSERT_TRUE(svg.contains("<svg"));
        std::map<QRgb, int> expected;
        for (const int32_t t : drawn.shown)
            ++expected[buildTracePalette()[static_cast<size_t>(paletteSlot(t))].rgb()];
        bool wellFormed = false;
        EXPECT_EQ(traceStrokes(svg, wellFormed), expected);
        EXPECT_TRUE(wellFormed);
        EXPECT_EQ(svg.contains(">m0 S21M<"), c.legend);
    }
}

// Whether (x, y) lies in the corners the legend and the units take: the plot's top-right
// corner below the box's lines, its top-left and its bottom-right corner.
bool inLegendCorners(const PixelRect& plot, int x, int y, int lines)
{
    const bool box = x >= plot.right - 300 && y < plot.top + 12 + lines * 20;
    const bool valueUnit = x < plot.left + 60 && y < plot.top + 25;
    const bool frequencyUnit = x >= plot.right - 60 && y >= plot.bottom - 25 && y < plot.bottom;
    return box || valueUnit || frequencyUnit;
}

TEST(ChartPicture, PngIsTheWindowsImageWithTheLegendOverIt)
{
    struct Case {
        int32_t measurements;
        int32_t listed; // lines of traces in the box
        const char* more;
    };
    for (const Case& c : { Case { 3, 3, "" }, Case { 30, 20, "... 10 more" } }) {
        SCOPED_TRACE(c.measurements);
        DrawnState drawn(c.measurements, false);
        ASSERT_TRUE(drawn.drawn);
        const QImage window = presentChart(drawn.state.chart);
        QByteArray png;
        ASSERT_TRUE(encodeChartPicture(drawn.state, PictureFormat::Png, nullptr, png));
        EXPECT_EQ(QImage::fromData(png, "PNG").convertToFormat(window.format()), window);

        const ChartLegend legend = drawn.legend();
        ASSERT_EQ(legend.entries.size(), static_cast<size_t>(c.listed));
        EXPECT_EQ(legend.moreText.toStdString(), c.more);
        ASSERT_TRUE(encodeChartPicture(drawn.state, PictureFormat::Png, &legend, png));
        const QImage saved = QImage::fromData(png, "PNG").convertToFormat(window.format());
        ASSERT_EQ(saved.size(), window.size());
        const PixelRect plot = drawingPlotRect(drawn.state.chart);
        const int lines = c.listed + (legend.moreText.isEmpty() ? 0 : 1);
        int changedOutside = 0;
        std::map<QRgb, int> swatchPixels;
        for (int y = 0; y < saved.height(); ++y) {
            for (int x = 0; x < saved.width(); ++x) {
                if (!inLegendCorners(plot, x, y, lines))
                    changedOutside += saved.pixel(x, y) != window.pixel(x, y);
                else if (x >= plot.right - 300 && y < plot.top + 12 + lines * 20)
                    ++swatchPixels[saved.pixel(x, y)];
            }
        }
        EXPECT_EQ(changedOutside, 0);
        // Every listed trace's colour has at least its swatch of 16 x 4 pixels in the box.
        for (int32_t k = 0; k < c.listed; ++k) {
            const QRgb colour = buildTracePalette()[static_cast<size_t>(paletteSlot(drawn.shown[k]))].rgb();
            EXPECT_GE(swatchPixels[colour], 64) << "trace " << drawn.shown[k];
        }
    }
}

TEST(ChartPicture, LegendNamesTracesAndUnitsInBothLanguages)
{
    struct Case {
        int32_t language;
        bool phases;
        const char* frequencyUnit;
        const char* valueUnit;
        const char* more;
    };
    for (const Case& c : { Case { 1, false, "MHz", "dB", "... 2 more" },
             Case { 0, true, "МГц", "дБ, Град.", "... и ещё 24" } }) {
        SCOPED_TRACE(c.language);
        DrawnState drawn(22, c.phases);
        const ChartLegend legend = drawn.legend(languageOf(c.language));
        EXPECT_EQ(legend.frequencyUnit.toStdString(), c.frequencyUnit);
        EXPECT_EQ(legend.valueUnit.toStdString(), c.valueUnit);
        EXPECT_EQ(legend.moreText.toStdString(), c.more);
        ASSERT_EQ(legend.entries.size(), 20u);
        EXPECT_EQ(legend.entries[1].text.toStdString(), c.phases ? "m0 S21A" : "m1 S21M");
        EXPECT_EQ(
            legend.entries[1].colour, buildTracePalette()[static_cast<size_t>(paletteSlot(drawn.shown[1]))]);
    }
}

TEST(ChartPicture, FormatFollowsTheExtension)
{
    for (const auto& [path, format] : std::vector<std::pair<std::string, PictureFormat>> {
             { "a.svg", PictureFormat::Svg }, { "b.SVG", PictureFormat::Svg },
             { "c.png", PictureFormat::Png }, { "svg", PictureFormat::Png }, { "-", PictureFormat::Png } })
        EXPECT_EQ(pictureFormatOf(path), format) << path;
}

} // namespace
