#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "chartview.h"

namespace {

bool isBlack(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

bool isWhite(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

TEST(ChartView, ConstructionMakesOnlyThePalette)
{
    const ChartView chart;
    EXPECT_EQ(chart.palette, buildTracePalette());
    EXPECT_EQ(chart.backgroundColour, QColor(255, 255, 255));
    EXPECT_FALSE(chart.isAttached());
    EXPECT_TRUE(chart.chartBitmap.isNull());
    EXPECT_EQ(chart.busy, 0);
    EXPECT_EQ(chart.labelWidth, 0);
    EXPECT_EQ(chart.bottomMargin, 0);
    const PixelRect plot = chart.plotRect();
    EXPECT_EQ(plot.width(), 0);
    EXPECT_EQ(plot.height(), 0);
}

TEST(ChartView, AttachPaintsAnOutlinedWhiteImageOfTheFrameSize)
{
    ChartView chart;
    chart.attach(ChartView::defaultLabelFont(), QSize(400, 300));
    ASSERT_TRUE(chart.isAttached());
    const QImage& image = chart.chartBitmap;
    ASSERT_EQ(image.size(), QSize(400, 300));
    EXPECT_EQ(chart.frameRect.right, 400);
    EXPECT_EQ(chart.frameRect.bottom, 300);
    for (int x = 0; x < 400; ++x) {
        EXPECT_TRUE(isBlack(image, x, 0)) << x;
        EXPECT_TRUE(isBlack(image, x, 299)) << x;
    }
    for (int y = 0; y < 300; ++y) {
        EXPECT_TRUE(isBlack(image, 0, y)) << y;
        EXPECT_TRUE(isBlack(image, 399, y)) << y;
    }
    EXPECT_TRUE(isWhite(image, 1, 1));
    EXPECT_TRUE(isWhite(image, 200, 150));
    EXPECT_TRUE(isWhite(image, 398, 298));
}

TEST(ChartView, MarginsComeFromSevenDigitsOfTheFixedFont)
{
    // Digits share one advance, so seven of them take seven times its width.
    const QFontMetricsF digits(ChartView::surfaceDefaultFont());
    QFont large = ChartView::defaultLabelFont();
    large.setPixelSize(40);
    const QFont fonts[] = { ChartView::defaultLabelFont(), large };
    for (const QFont& font : fonts) {
        ChartView chart;
        chart.attach(font, QSize(400, 300));
        EXPECT_EQ(chart.chartFont, font);
        EXPECT_NEAR(chart.labelWidth, 7 * digits.horizontalAdvance(QLatin1Char('0')), 1);
        EXPECT_EQ(chart.leftMargin, chart.labelWidth);
        EXPECT_NEAR(chart.bottomMargin, digits.height(), 1);
        EXPECT_EQ(chart.rightMargin, 0);
        EXPECT_GT(chart.bottomMargin, 0);
        EXPECT_GT(chart.labelWidth, 2 * chart.bottomMargin);
    }
}

TEST(ChartView, PensMatchTheirRoles)
{
    ChartView chart;
    chart.attach(ChartView::defaultLabelFont(), QSize(200, 100));
    EXPECT_EQ(chart.gridPen.style(), Qt::DotLine);
    EXPECT_EQ(chart.gridPen.width(), 1);
    EXPECT_EQ(chart.gridPen.color(), QColor(Qt::black));
    EXPECT_EQ(chart.framePen.style(), Qt::SolidLine);
    EXPECT_EQ(chart.framePen.width(), 1);
    EXPECT_EQ(chart.framePen.color(), QColor(Qt::black));
    for (int32_t i = 0; i < paletteSize; ++i) {
        EXPECT_EQ(chart.tracePens[i].style(), Qt::SolidLine) << i;
        EXPECT_EQ(chart.tracePens[i].width(), 2) << i;
        EXPECT_EQ(chart.tracePens[i].color(), chart.palette[i]) << i;
    }
    EXPECT_EQ(chart.backgroundBrush.color(), QColor(255, 255, 255));
    EXPECT_EQ(chart.backgroundBrush.style(), Qt::SolidPattern);
}

TEST(ChartView, PlotRectIsTheFrameLessItsMargins)
{
    ChartView chart;
    chart.attach(ChartView::defaultLabelFont(), QSize(400, 300));
    PixelRect plot = chart.plotRect();
    EXPECT_EQ(plot.left, chart.labelWidth);
    EXPECT_EQ(plot.top, 0);
    EXPECT_EQ(plot.right, 400);
    EXPECT_EQ(plot.bottom, 300 - chart.bottomMargin);

    // A new frame size moves the plot at once; the image follows on the next drawing.
    chart.setFrameSize(QSize(640, 480));
    plot = chart.plotRect();
    EXPECT_EQ(plot.right, 640);
    EXPECT_EQ(plot.bottom, 480 - chart.bottomMargin);
    EXPECT_EQ(chart.chartBitmap.size(), QSize(400, 300));
    EXPECT_EQ(chart.frameRect.right, 400);
    chart.setFrameSize(QSize());
    EXPECT_EQ(chart.frameSize(), QSize(640, 480));
}

TEST(ChartView, AttachWithoutAFrameReleasesAndStaysDetached)
{
    ChartView chart;
    chart.attach(ChartView::defaultLabelFont(), QSize(400, 300));
    chart.attach(ChartView::defaultLabelFont(), QSize());
    EXPECT_FALSE(chart.isAttached());
    EXPECT_TRUE(chart.chartBitmap.isNull());
    chart.setFrameSize(QSize(100, 100));
    EXPECT_FALSE(chart.frameSize().isValid());

    chart.attach(ChartView::defaultLabelFont(), QSize(120, 90));
    EXPECT_TRUE(chart.isAttached());
    EXPECT_EQ(chart.chartBitmap.size(), QSize(120, 90));
    chart.attach(ChartView::defaultLabelFont(), QSize(300, 200));
    EXPECT_EQ(chart.chartBitmap.size(), QSize(300, 200));
    chart.release();
    EXPECT_FALSE(chart.isAttached());
    EXPECT_TRUE(chart.chartBitmap.isNull());
    chart.release();
    EXPECT_FALSE(chart.isAttached());
}

TEST(ChartView, EmptyFrameIsAttachedWithoutAnImage)
{
    ChartView chart;
    chart.attach(ChartView::defaultLabelFont(), QSize(0, 0));
    EXPECT_TRUE(chart.isAttached());
    EXPECT_TRUE(chart.chartBitmap.isNull());
    const PixelRect plot = chart.plotRect();
    EXPECT_EQ(plot.right, 0);
    EXPECT_EQ(plot.bottom, -chart.bottomMargin);
}

TEST(ChartView, PaletteColourChangeRemakesItsPen)
{
    ChartView chart;
    const QColor orange(250, 120, 10);
    chart.setPaletteColour(3, orange);
    EXPECT_EQ(chart.palette[3], orange);
    chart.attach(ChartView::defaultLabelFont(), QSize(200, 100));
    EXPECT_EQ(chart.tracePens[3].color(), orange);

    const QColor teal(0, 128, 128);
    chart.setPaletteColour(25, teal);
    EXPECT_EQ(chart.palette[25], teal);
    EXPECT_EQ(chart.tracePens[25].color(), teal);
    EXPECT_EQ(chart.tracePens[25].width(), 2);

    const TracePalette before = chart.palette;
    chart.setPaletteColour(-1, teal);
    chart.setPaletteColour(paletteSize, teal);
    EXPECT_EQ(chart.palette, before);
}

} // namespace
