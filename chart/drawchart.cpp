#include "drawchart.h"
#include "valuespan.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "axisscale.h"
#include "busyscope.h"
#include "clippedpolyline.h"
#include "columnbands.h"
#include "labeltext.h"
#include "markerdrawing.h"
#include "parallelwork.h"
#include "roundhalfaway.h"
#include "showncurves.h"
#include "thickline.h"
#include "tracepalette.h"
#include "vectorstate.h"

namespace {

// Ticks closer than this to either end of the frequency axis get neither label nor line.
constexpr int32_t tickEndGap = 16;
// Most value divisions counted; far more than the plot can show.
constexpr double maxDivisions = 1000000;

// The two-tone bump border along the plot's left and bottom sides: a raised outer line (lit
// on the left, shadowed at the bottom) and a sunken inner line (shadowed on the left, lit at
// the bottom).
const QColor edgeLight(227, 227, 227);
const QColor edgeShadow(160, 160, 160);
const QColor edgeDarkShadow(105, 105, 105);
const QColor edgeHighlight(255, 255, 255);

// The end of an axis that would otherwise be empty: minimumAxisSpan above low, or a
// billionth of low where that much is lost to rounding.
double widenedEnd(double low)
{
    const double high = low + minimumAxisSpan;
    if (high > low)
        return high;
    return low + std::abs(low) * 1e-9;
}

// The range of the shown values; the last index of a trace given with lastIndex is not
// looked at. Returns false when no finite value was seen.
bool scanValueRange(const ChartInput& input, double& low, double& high)
{
    if (input.traceCount <= 0 || input.pointCount <= 0 || input.traceValues == nullptr)
        return false;
    std::vector<ValueSpan> spans(static_cast<size_t>(input.traceCount));
    if (input.finiteSpans != nullptr) {
        spans.assign(input.finiteSpans, input.finiteSpans + input.traceCount);
    } else {
        const int64_t values = int64_t { input.traceCount } * input.pointCount;
#pragma omp parallel for schedule(static) if (values >= parallelLoopMinimum)
        for (int32_t t = 0; t < input.traceCount; ++t) {
            if (traceShown(input, t) && input.traceValues[t] != nullptr) {
                clearUpperVectorState();
                const int32_t last = input.lastIndex != nullptr ? input.lastIndex[t] : input.pointCount;
                spans[static_cast<size_t>(t)]
                    = finiteSpanBefore(input.traceValues[t], traceStart(input, t), std::min(last, input.pointCount));
            }
        }
    }
    ValueSpan span;
    for (int32_t t = 0; t < input.traceCount; ++t) {
        if (traceShown(input, t) && input.traceValues[t] != nullptr)
            span.join(spans[static_cast<size_t>(t)]);
    }
    low = span.low;
    high = span.high;
    return span.found;
}

int32_t countOf(double divisions)
{
    if (!(divisions >= 1))
        return 1;
    return static_cast<int32_t>(std::min(divisions, maxDivisions));
}

int32_t textWidth(const QFontMetrics& metrics, const QString& text)
{
    return metrics.horizontalAdvance(text);
}

// Writes text centred on x with its top (or, with atBottom, its bottom) at y.
void drawCentred(QPainter& painter, int32_t x, int32_t y, const QString& text, bool atBottom = false)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int32_t left = x - textWidth(metrics, text) / 2;
    const int32_t baseline = atBottom ? y - metrics.descent() : y + metrics.ascent();
    painter.drawText(left, baseline, text);
}

QString labelText(double value, double step)
{
    return QString::fromStdString(formatTick(value, step));
}

void paintBumpEdge(QPainter& painter, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    painter.setPen(QPen(edgeLight, 1));
    painter.drawLine(left, top, left, bottom - 1);
    painter.setPen(QPen(edgeShadow, 1));
    painter.drawLine(left + 1, top, left + 1, bottom - 2);
    painter.setPen(QPen(edgeDarkShadow, 1));
    painter.drawLine(left, bottom - 1, right - 1, bottom - 1);
    painter.setPen(QPen(edgeHighlight, 1));
    painter.drawLine(left + 1, bottom - 2, right - 1, bottom - 2);
}

void paintFrequencyGrid(
    QPainter& painter, const ChartView& chart, const PixelRect& plot, const ChartAxes& axes)
{
    const double xStep = axes.xStep;
    const double pxPerStep = plot.width() / (axes.f1 - axes.f0) * xStep;
    const double first = axes.f0 == 0 ? 0 : roundHalfAway(axes.f0 / xStep) * xStep;
    const int32_t start = plot.left + roundToPixel((first - axes.f0) * pxPerStep / xStep);
    const QFontMetrics metrics = painter.fontMetrics();
    const int32_t labelGap = metrics.horizontalAdvance(QLatin1Char(' '));
    int32_t labelsEnd = chart.frameRect.left - labelGap;
    for (int32_t i = 0; i < maxGridLines; ++i) {
        const int32_t x = roundToPixel(i * pxPerStep + start);
        if (x < plot.left + tickEndGap)
            continue;
        if (x > plot.right - tickEndGap)
            break;
        const QString text = labelText(i * xStep + first, xStep);
        const int32_t width = textWidth(metrics, text);
        // A label that would run into the one before it is left out; its line stays.
        if (x - width / 2 >= labelsEnd + labelGap) {
            painter.setPen(chart.framePen);
            drawCentred(painter, x, plot.bottom, text);
            labelsEnd = x - width / 2 + width;
        }
        painter.setPen(chart.gridPen);
        painter.drawLine(x, plot.top, x, plot.bottom - 1);
    }
}

// The labels start below labelsTop, where the unit note ends.
void paintValueGrid(QPainter& painter, const ChartView& chart, const PixelRect& plot, const ChartAxes& axes,
    int32_t labelsTop)
{
    if (axes.divisions <= 1)
        return;
    const int32_t labelColumn = (plot.left + chart.frameRect.left) / 2;
    const double rowStep = static_cast<double>(plot.height()) / axes.divisions;
    const double labelStep = axes.factor * axes.yStep;
    const int32_t labelHeight = painter.fontMetrics().height();
    const int32_t lines = std::min(axes.divisions, maxGridLines + 1);
    int32_t labelsEnd = labelsTop;
    for (int32_t j = 1; j < lines; ++j) {
        const int32_t y = plot.top + roundToPixel(j * rowStep);
        const int32_t top = y - chart.bottomMargin / 2;
        // A label that would run into the one above it is left out; its line stays.
        if (top >= labelsEnd) {
            painter.setPen(chart.framePen);
            drawCentred(
                painter, labelColumn, top, labelText((axes.yMax - j * axes.yStep) * axes.factor, labelStep));
            labelsEnd = top + labelHeight;
        }
        painter.setPen(chart.gridPen);
        painter.drawLine(plot.left, y, plot.right - 1, y);
    }
}

void paintScaleNote(QPainter& painter, const ChartView& chart, const PixelRect& plot, double factor)
{
    const int32_t labelColumn = (plot.left + chart.frameRect.left) / 2;
    painter.setFont(chart.chartFont);
    painter.setPen(chart.framePen);
    drawCentred(
        painter, labelColumn, plot.bottom, QString::fromStdString(formatNumber("x %lg", 1 / factor)), true);
}

// The top of the unit note over the value labels.
int32_t unitNoteTop(const PixelRect& plot)
{
    return plot.top + 2;
}

// The unit of the values at the top of the value labels' column.
void paintUnitNote(QPainter& painter, const ChartView& chart, const PixelRect& plot, const QString& unit)
{
    const int32_t labelColumn = (plot.left + chart.frameRect.left) / 2;
    painter.setPen(chart.framePen);
    drawCentred(painter, labelColumn, unitNoteTop(plot), unit);
}

const QPen& tracePenOf(const ChartView& chart, int32_t trace)
{
    return chart.tracePens[static_cast<size_t>(paletteSlot(trace))];
}

QRect clipOf(const PixelRect& plot)
{
    return QRect(plot.left, plot.top, plot.width(), plot.height());
}

// The image's fast sink: lines two pixels wide set straight into its pixels, every thread all
// curves in trace order into its own band of columns.
void rasterCurves(
    QImage& image, const ChartView& chart, const std::vector<ShownCurve>& curves, const PixelRect& plot)
{
    uchar* const bits = image.bits();
    const int64_t bytesPerLine = image.bytesPerLine();
    paintInColumnBands(clipOf(plot), curves.size() > 1, [&](const QRect& band) {
        for (const ShownCurve& curve : curves) {
            ThickLinePainter painter(bits, bytesPerLine, band, tracePenOf(chart, curve.trace).color().rgb());
            for (const std::vector<QPoint>& piece : curve.pieces)
                painter.drawPolyline(piece.data(), static_cast<int32_t>(piece.size()));
        }
    });
}

// The painter's sink: the same vertices as one path per curve in the trace pens, two pixels
// wide and centred where the image's 2 x 2 blocks are, cut to the plot area.
void strokeCurves(
    QPainter& painter, const ChartView& chart, const std::vector<ShownCurve>& curves, const PixelRect& plot)
{
    const QRectF box(plot.left, plot.top, plot.width(), plot.height());
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const ShownCurve& curve : curves) {
        painter.setPen(tracePenOf(chart, curve.trace));
        for (const std::vector<QPoint>& piece : curve.pieces)
            painter.drawPath(clippedPolyline(piece.data(), static_cast<int32_t>(piece.size()), box));
    }
    painter.restore();
}

void computePixelColumns(const ChartInput& input, const CurveScale& scale)
{
    if (input.pixelColumn == nullptr || input.freqGrid == nullptr)
        return;
#pragma omp parallel for schedule(static) if (input.pointCount >= parallelLoopMinimum)
    for (int32_t i = 0; i < input.pointCount; ++i)
        input.pixelColumn[i] = roundToPixel((input.freqGrid[i] - scale.f0) * scale.xScale + scale.left);
}

void writeOutputs(const ChartInput& input, const ChartAxes& axes)
{
    if (input.yMinOut != nullptr)
        *input.yMinOut = axes.yMin;
    if (input.yMaxOut != nullptr)
        *input.yMaxOut = axes.yMax;
    if (input.xStepOut != nullptr)
        *input.xStepOut = axes.xStep;
    if (input.yStepOut != nullptr)
        *input.yStepOut = axes.yStep;
}

// Colours of the limit lines: upper limits red, lower ones blue.
const QColor upperLimitColour(220, 0, 0);
const QColor lowerLimitColour(0, 0, 230);
// Width of the limit lines, wider than the traces' so that they stand out.
constexpr int32_t limitLineWidth = 3;
// Half the width of a spot check's mark.
constexpr double spotHalfWidth = 6;
// Farthest a limit line's end is taken outside the plot, in pixels: the line is clipped anyway.
constexpr double limitPixelReach = 100000;

// The limit segments as thick lines over the curves, cut to the plot area; a spot check as a
// short level mark at its frequency.
void paintLimitLines(
    QPainter& painter, const ChartInput& input, const CurveScale& scale, const PixelRect& plot)
{
    if (input.limitLines.empty())
        return;
    const auto pixelX = [&](double f) {
        return std::clamp((f - scale.f0) * scale.xScale + scale.left, -limitPixelReach, limitPixelReach);
    };
    const auto pixelY = [&](double v) {
        return std::clamp(scale.bottom - (v - scale.yMin) * scale.yScale, -limitPixelReach, limitPixelReach);
    };
    painter.save();
    painter.setClipRect(clipOf(plot));
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const LimitSegment& segment : input.limitLines) {
        const QColor& colour = segment.side == LimitSide::upper ? upperLimitColour : lowerLimitColour;
        painter.setPen(QPen(colour, limitLineWidth, Qt::SolidLine, Qt::FlatCap));
        const double x1 = pixelX(segment.f1);
        const double x2 = segment.spot() ? x1 + spotHalfWidth : pixelX(segment.f2);
        const double x0 = segment.spot() ? x1 - spotHalfWidth : x1;
        painter.drawLine(QLineF(x0, pixelY(segment.v1), x2, pixelY(segment.v2)));
    }
    painter.restore();
}

// Where one drawing puts things: the plot area, the axes and the pixel mapping of the curves.
struct ChartLayout {
    PixelRect plot;
    ChartAxes axes;
    CurveScale scale;
    QString valueUnit; // empty for none
};

ChartLayout chartLayout(const ChartView& chart, const ChartInput& input)
{
    ChartLayout layout;
    layout.plot = drawingPlotRect(chart);
    layout.axes = chooseAxes(input, layout.plot, chart.labelWidth);
    const ChartAxes& axes = layout.axes;
    layout.scale.f0 = axes.f0;
    layout.scale.xScale = layout.plot.width() / (axes.f1 - axes.f0);
    layout.scale.yMin = axes.yMin;
    layout.scale.yScale = layout.plot.height() / (axes.yMax - axes.yMin);
    layout.scale.left = layout.plot.left;
    layout.scale.bottom = layout.plot.bottom;
    layout.valueUnit = QString::fromStdString(input.valueUnit);
    return layout;
}

// Everything under the curves: background, frame, plot border, grid and labels.
void paintBackdrop(QPainter& painter, const ChartView& chart, const ChartLayout& layout)
{
    const PixelRect& plot = layout.plot;
    paintPlotFrame(painter, chart, plot);
    paintFrequencyGrid(painter, chart, plot, layout.axes);
    const int32_t labelHeight = painter.fontMetrics().height();
    int32_t labelsTop = chart.frameRect.top - labelHeight;
    if (!layout.valueUnit.isEmpty()) {
        paintUnitNote(painter, chart, plot, layout.valueUnit);
        labelsTop = unitNoteTop(plot) + labelHeight;
    }
    paintValueGrid(painter, chart, plot, layout.axes, labelsTop);
}

} // namespace

void paintChartFrame(QPainter& painter, const ChartView& chart)
{
    painter.setFont(chart.chartFont);
    const PixelRect& rc = chart.frameRect;
    painter.fillRect(rc.left, rc.top, rc.width(), rc.height(), chart.backgroundBrush);
    painter.setPen(chart.framePen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rc.left, rc.top, rc.width() - 1, rc.height() - 1);
}

void paintPlotFrame(QPainter& painter, const ChartView& chart, const PixelRect& plot)
{
    paintChartFrame(painter, chart);
    paintBumpEdge(
        painter, plot.left, plot.top, chart.frameRect.right, chart.frameRect.bottom - chart.bottomMargin);
    painter.setPen(chart.framePen);
    painter.drawLine(plot.right, plot.top, plot.right, plot.bottom - 1);
}

void adoptFrameSize(ChartView& chart)
{
    const QSize size = chart.frameSize();
    if (size.width() == chart.frameRect.width() && size.height() == chart.frameRect.height())
        return;
    chart.frameRect = PixelRect { 0, 0, size.width(), size.height() };
    chart.chartBitmap = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
}

PixelRect drawingPlotRect(const ChartView& chart)
{
    const PixelRect& rc = chart.frameRect;
    PixelRect plot { rc.left + chart.leftMargin, rc.top, rc.right - chart.rightMargin,
        rc.bottom - chart.bottomMargin };
    if (plot.right <= plot.left)
        plot.right = plot.left + 1;
    if (plot.bottom <= plot.top)
        plot.bottom = plot.top + 1;
    return plot;
}

ChartAxes chooseAxes(const ChartInput& input, const PixelRect& plot, int32_t labelWidth)
{
    ChartAxes axes;
    const double width = std::max(plot.width(), 1);
    const double height = std::max(plot.height(), 1);

    const double divisionHeight = std::max({ width / 10, height / 10, static_cast<double>(labelWidth) });
    axes.divisions = static_cast<int32_t>(roundHalfAway(height / divisionHeight));

    double yMin = input.yMin;
    double yMax = input.yMax;
    const bool automatic = !(yMin < yMax) || !std::isfinite(yMin) || !std::isfinite(yMax);
    if (automatic && !scanValueRange(input, yMin, yMax) && !(std::isfinite(yMin) && std::isfinite(yMax))) {
        yMin = 0;
        yMax = 0;
    }
    axes.factor = valueScaleFactor(yMin, yMax);
    if (!(yMin < yMax))
        yMax = widenedEnd(yMin);

    if (input.pointCount > 0 && input.freqGrid != nullptr) {
        axes.f0 = input.freqGrid[0];
        axes.f1 = input.freqGrid[input.pointCount - 1];
    }
    double xStep = std::isfinite(input.xStep) ? input.xStep : 0;
    if (xStep == 0)
        xStep = axes.f0 >= axes.f1 ? 1 : niceStep(axes.f0, axes.f1);
    if (xStep == 0)
        xStep = 1;
    if (!(axes.f1 > axes.f0))
        axes.f1 = widenedEnd(axes.f0);

    double yStep = std::isfinite(input.yStep) ? input.yStep : 0;
    if (yStep == 0)
        yStep = niceStep(yMin, yMax);
    if (yStep != 0 && yMax > yMin) {
        if (automatic)
            expandRange(yMin, yMax, yStep);
        axes.divisions = countOf(std::trunc((yMax - yMin) / yStep));
    }

    axes.yMin = yMin;
    axes.yMax = yMax;
    axes.xStep = xStep;
    axes.yStep = yStep;
    return axes;
}

void layOutChart(ChartView& chart, const ChartInput& input)
{
    if (!chart.isAttached())
        return;
    adoptFrameSize(chart);
    writeOutputs(input, chartLayout(chart, input).axes);
}

void drawChart(ChartView& chart, const ChartInput& input)
{
    if (!chart.isAttached())
        return;
    const BusyScope busy(chart.busy);
    adoptFrameSize(chart);
    const ChartLayout layout = chartLayout(chart, input);
    computePixelColumns(input, layout.scale);
    if (!chart.chartBitmap.isNull()) {
        {
            QPainter painter(&chart.chartBitmap);
            paintBackdrop(painter, chart, layout);
        }
        rasterCurves(chart.chartBitmap, chart, shownCurves(input, layout.scale), layout.plot);
        QPainter painter(&chart.chartBitmap);
        paintLimitLines(painter, input, layout.scale, layout.plot);
        paintMarkers(painter, chart, input.markers, layout.scale, layout.plot);
        if (layout.axes.factor != 1)
            paintScaleNote(painter, chart, layout.plot, layout.axes.factor);
    }
    writeOutputs(input, layout.axes);
}

void paintChart(QPainter& painter, const ChartView& chart, const ChartInput& input)
{
    if (!chart.isAttached())
        return;
    const ChartLayout layout = chartLayout(chart, input);
    paintBackdrop(painter, chart, layout);
    strokeCurves(painter, chart, shownCurves(input, layout.scale), layout.plot);
    paintLimitLines(painter, input, layout.scale, layout.plot);
    paintMarkers(painter, chart, input.markers, layout.scale, layout.plot);
    if (layout.axes.factor != 1)
        paintScaleNote(painter, chart, layout.plot, layout.axes.factor);
}
