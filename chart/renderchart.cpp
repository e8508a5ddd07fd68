#include "renderchart.h"

#include "chartinput.h"
#include "drawchart.h"
#include "planechart.h"
#include "presentchart.h"

RecomputeResult renderChart(ChartState& state, ChartHost& host, QSize frameSize)
{
    ChartView& chart = state.chart;
    if (!chart.isAttached())
        chart.attach(ChartView::defaultLabelFont(), frameSize);
    else
        chart.setFrameSize(frameSize);
    const ZoomEntry& zoom = state.currentZoom();
    return recomputeChart(state, host, zoom.autoX, zoom.autoY);
}

RecomputeResult renderChartImage(ChartState& state, ChartHost& host, QSize frameSize, QImage& image)
{
    image = QImage();
    const RecomputeResult result = renderChart(state, host, frameSize);
    if (result == RecomputeResult::Drawn)
        image = presentChart(state.chart);
    return result;
}

void paintDrawnChart(QPainter& painter, ChartState& state)
{
    if (state.chartKind != ChartKind::frequency) {
        paintPlaneChart(painter, state.chart, planeInputOf(state));
        return;
    }
    const ZoomEntry& zoom = state.currentZoom();
    paintChart(painter, state.chart, chartInputOf(state, zoom.autoX, zoom.autoY));
}
