#include <gtest/gtest.h>

#include <cmath>

#include "axisscale.h"
#include "chartzoom.h"
#include "measurementbuilder.h"
#include "recomputechart.h"
#include "roundhalfaway.h"

namespace {

bool sameView(const ZoomEntry& a, const ZoomEntry& b)
{
    return a.xMin == b.xMin && a.xMax == b.xMax && a.yMin == b.yMin && a.yMax == b.yMax && a.xStep == b.xStep
        && a.yStep == b.yStep && a.autoX == b.autoX && a.autoY == b.autoY;
}

bool drawable(const ZoomEntry& v)
{
    return std::isfinite(v.xMin) && std::isfinite(v.xMax) && v.xMin < v.xMax && std::isfinite(v.yMin)
        && std::isfinite(v.yMax) && v.yMin < v.yMax && v.xStep > 0 && v.yStep > 0;
}

// A 0 to 100 MHz measurement in 1 MHz steps whose S21 falls from 0 to -40 dB, drawn into a
// 600 x 400 frame with the manual view 0 to 100 MHz by -50 to 0 dB.
class Zoom : public testing::Test {
protected:
    Zoom()
    {
        state.unitMultiplier = 1e6; // frequencies in MHz, as the window starts
        state.chart.attach(ChartView::defaultLabelFont(), QSize(600, 400));
        addMeasurement(state.measurements, 0, 100e6, 101, [](double f) {
            const Complex s(std::pow(10.0, -40 * f / 100e6 / 20), 0);
            return SParams { s, s, s, s };
        });
        setView(ZoomEntry { 0, 100e6, -50, 0, 10e6, 5, 0, 0 });
    }

    void setView(const ZoomEntry& view)
    {
        state.currentZoom() = view;
        host.writeAxisEdits(view, state.unitMultiplier);
        ASSERT_EQ(recomputeChart(state, host, 0, 0), RecomputeResult::Drawn);
    }

    ZoomEntry& view() { return state.currentZoom(); }
    PixelRect plot() const { return state.chart.plotRect(); }

    ChartState state;
    HeadlessChartHost host;
};

TEST_F(Zoom, BandGivesTheViewUnderItInAnyCornerOrder)
{
    const double w = plot().width();
    const double h = plot().height();
    const int32_t left = state.chart.leftMargin;
    ASSERT_TRUE(zoomToRect(state, host, true, 300, 200, 100, 50));
    const ZoomEntry first = view();
    EXPECT_EQ(state.zoomList.itemCount, 2);

    // The frequency ends snap inward to the 1 MHz grid; the value ends to a tenth of the step.
    const double xMin = std::ceil((100 - left) * 100 / w) * 1e6;
    const double xMax = std::floor((300 - left) * 100 / w) * 1e6;
    const double rawTop = -50 * 50 / h;
    const double rawBottom = -50 * 200 / h;
    const double yStep = niceStep(rawBottom, rawTop);
    EXPECT_DOUBLE_EQ(first.xMin, xMin);
    EXPECT_DOUBLE_EQ(first.xMax, xMax);
    EXPECT_DOUBLE_EQ(first.xStep, niceStep(xMin, xMax));
    EXPECT_DOUBLE_EQ(first.yStep, yStep);
    EXPECT_DOUBLE_EQ(first.yMax, roundHalfAway(rawTop / (yStep / 10)) * yStep / 10);
    EXPECT_DOUBLE_EQ(first.yMin, roundHalfAway(rawBottom / (yStep / 10)) * yStep / 10);
    EXPECT_EQ(first.autoX, 0);
    EXPECT_EQ(first.autoY, 0);
    EXPECT_EQ(host.axisEdits.xMin, formatAxisEdits(first, 1e6).xMin);

    ASSERT_TRUE(stepBack(state, host));
    ASSERT_TRUE(zoomToRect(state, host, true, 100, 50, 300, 200));
    EXPECT_TRUE(sameView(view(), first));
}

TEST_F(Zoom, RefusedZoomsChangeNothing)
{
    const double w = plot().width();
    // Sixteen 1 MHz steps of the 100 MHz view, in pixels.
    const int32_t sixteenSteps = static_cast<int32_t>(std::floor(16 * w / 100));
    const ZoomEntry before = view();
    const struct {
        const char* what;
        int32_t x1, y1, x2, y2;
    } cases[] = {
        { "no more than 16 steps wide", 100, 50, 100 + sixteenSteps, 200 },
        { "no width", 200, 50, 200, 200 },
        { "no height", 100, 120, 300, 120 },
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(zoomToRect(state, host, true, c.x1, c.y1, c.x2, c.y2)) << c.what;
        EXPECT_EQ(state.zoomList.itemCount, 1) << c.what;
        EXPECT_TRUE(sameView(view(), before)) << c.what;
    }
    EXPECT_TRUE(zoomToRect(state, host, true, 100, 50, 100 + sixteenSteps + 2, 200));

    // A one-point measurement knows no spacing: it lets no zoom through on its own.
    ChartState single;
    single.chart.attach(ChartView::defaultLabelFont(), QSize(600, 400));
    addConstantMeasurement(single.measurements, 50e6, 50e6, 1, Complex(0.5, 0));
    ASSERT_EQ(recomputeChart(single, host, 1, 1), RecomputeResult::Drawn);
    EXPECT_FALSE(zoomToRect(single, host, true, 100, 50, 101, 51));
    EXPECT_EQ(single.zoomList.itemCount, 1);

    // A plot area of no size zooms and pans nothing.
    state.chart.setFrameSize(QSize(state.chart.leftMargin, state.chart.bottomMargin));
    const ZoomEntry now = view();
    ZoomDrag drag;
    EXPECT_FALSE(zoomToRect(state, host, true, 0, 0, 300, 200));
    EXPECT_FALSE(panStep(state, host, drag, 300, 300));
    EXPECT_TRUE(sameView(view(), now));
}

TEST_F(Zoom, EveryAcceptedViewStaysDrawable)
{
    const int32_t corners[][4] = { { 0, 0, 1, 1 }, { -5000, -5000, 5000, 5000 }, { 599, 399, 0, 0 },
        { 2000000, 1, -2000000, 3 }, { 65, 0, 66, 399 }, { 0, 300, 599, 301 } };
    for (int round = 0; round < 3; ++round) {
        for (const auto& c : corners) {
            zoomToRect(state, host, true, c[0], c[1], c[2], c[3]);
            EXPECT_TRUE(drawable(view())) << c[0] << "," << c[1] << " " << c[2] << "," << c[3];
        }
    }
}

TEST_F(Zoom, WheelStepsForwardThenBackRestoreTheView)
{
    // Ten steps take the view to a tenth of its width: finer steps than 1 MHz resolve it.
    addConstantMeasurement(state.measurements, 0, 100e6, 1001, Complex(0.5, 0));
    setView(view());
    const ZoomEntry start = view();
    const PixelRect p = plot();
    const std::optional<PixelRect> r = wheelZoomRect(p, 200, 100);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->left, roundHalfAway((p.left - 200) * 0.8 + 200));
    EXPECT_EQ(r->top, roundHalfAway((p.top - 100) * 0.8 + 100));
    EXPECT_EQ(r->right - r->left, roundHalfAway(p.width() * 0.8));
    EXPECT_EQ(r->bottom - r->top, roundHalfAway(p.height() * 0.8));
    EXPECT_FALSE(wheelZoomRect(p, p.left - 1, 100).has_value());
    EXPECT_FALSE(wheelZoomRect(p, 200, p.bottom).has_value());

    for (int i = 0; i < 10; ++i) {
        const std::optional<PixelRect> step = wheelZoomRect(plot(), 200, 100);
        ASSERT_TRUE(zoomToRect(state, host, true, step->left, step->top, step->right, step->bottom)) << i;
    }
    EXPECT_EQ(state.zoomList.itemCount, 11);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(stepBack(state, host));
    EXPECT_TRUE(sameView(view(), start));
    ASSERT_TRUE(stepBack(state, host));
    EXPECT_EQ(view().autoX, 1);
    EXPECT_EQ(view().autoY, 1);
    EXPECT_DOUBLE_EQ(view().xMin, 0);
    EXPECT_DOUBLE_EQ(view().xMax, 100e6);
}

TEST_F(Zoom, PanWaitsForATenthOfAStepThenMovesTheWholeWay)
{
    const double pxPerMHz = plot().width() / 100.0;
    // Just short of 1 MHz (a tenth of the 10 MHz step), then just past it.
    const int32_t shortOf = static_cast<int32_t>(std::ceil(pxPerMHz)) - 1;
    const int32_t x0 = 300;
    const int32_t y0 = 200;
    const ZoomEntry start = view();

    ZoomDrag drag { 0, PixelRect(), x0, y0 };
    EXPECT_FALSE(panStep(state, host, drag, x0 + shortOf, y0));
    EXPECT_TRUE(sameView(view(), start));
    const int32_t past = static_cast<int32_t>(std::ceil(pxPerMHz));
    ASSERT_TRUE(panStep(state, host, drag, x0 + past, y0));
    EXPECT_EQ(drag.panStartX, x0 + past);
    // Moving the pointer right brings in lower frequencies, by whole grid steps.
    const double shift = std::round(past / pxPerMHz) * 1e6;
    EXPECT_DOUBLE_EQ(view().xMin, start.xMin - shift);
    EXPECT_DOUBLE_EQ(view().xMax, start.xMax - shift);
    EXPECT_EQ(state.zoomList.itemCount, 1);

    // Ten more steps keep the view's width.
    for (int i = 1; i <= 10; ++i)
        panStep(state, host, drag, x0 + past - i * 3 * past, y0);
    EXPECT_DOUBLE_EQ(view().xMax - view().xMin, 100e6);

    // A reference with 5 MHz steps needs 5 MHz of movement.
    addConstantMeasurement(state.measurements, 0, 100e6, 21, Complex(0.5, 0));
    state.referenceIndex = 1;
    setView(start);
    drag = ZoomDrag { 0, PixelRect(), x0, y0 };
    const int32_t fiveMHz = static_cast<int32_t>(std::ceil(5 * pxPerMHz));
    EXPECT_FALSE(panStep(state, host, drag, x0 + fiveMHz - 1, y0));
    EXPECT_TRUE(panStep(state, host, drag, x0 + fiveMHz, y0));

    // In value a tenth of the 5 dB step is enough on its own.
    setView(start);
    const double pxPerDb = plot().height() / 50.0;
    drag = ZoomDrag { 0, PixelRect(), x0, y0 };
    EXPECT_FALSE(panStep(state, host, drag, x0, y0 + static_cast<int32_t>(std::ceil(0.5 * pxPerDb)) - 1));
    EXPECT_TRUE(panStep(state, host, drag, x0, y0 + static_cast<int32_t>(std::ceil(0.5 * pxPerDb))));
    EXPECT_GT(view().yMax, start.yMax);
}

TEST_F(Zoom, RubberBandOpensOnTheFirstClickAndZoomsOnASecondWithArea)
{
    ZoomDrag drag;
    EXPECT_FALSE(rubberBandClick(state, host, drag, 5, 50)) << "left of the plot";
    EXPECT_EQ(drag.zoomMode, 0);
    EXPECT_FALSE(rubberBandClick(state, host, drag, 100, 50));
    EXPECT_EQ(drag.zoomMode, 1);
    EXPECT_FALSE(rubberBandClick(state, host, drag, 100, 50)) << "a band without area stays open";
    EXPECT_EQ(drag.zoomMode, 1);
    drag.rubberRect.right = 300;
    drag.rubberRect.bottom = 200;
    EXPECT_TRUE(rubberBandClick(state, host, drag, 300, 200));
    EXPECT_EQ(drag.zoomMode, 0);
    EXPECT_EQ(state.zoomList.itemCount, 2);
}

} // namespace
