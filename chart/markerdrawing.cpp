#include "markerdrawing.h"

#include <QFontMetrics>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <optional>

#include "chartstate.h"
#include "tracepalette.h"

namespace {

// The marker lines: one pixel, dashed, dark grey, so that they never pass for a trace.
const QColor markerLineColour(70, 70, 70);
// Half the width and the height of a marker's triangle on a curve, in pixels.
constexpr double triangleHalfWidth = 4;
constexpr double triangleHeight = 7;
// The radius of a marker's dot on a locus, in pixels.
constexpr double planeDotRadius = 3;

QString labelOf(int32_t number)
{
    return QStringLiteral("M%1").arg(number);
}

QColor colourOf(const ChartView& chart, int32_t trace)
{
    return chart.tracePens[static_cast<size_t>(paletteSlot(trace))].color();
}

// The triangle whose tip is at (x, y), pointing down onto the curve.
QPolygonF triangleAt(double x, double y)
{
    QPolygonF triangle;
    triangle << QPointF(x, y) << QPointF(x - triangleHalfWidth, y - triangleHeight)
             << QPointF(x + triangleHalfWidth, y - triangleHeight);
    return triangle;
}

// The value on the line between the locus's two points around f; none outside its range.
std::optional<Complex> locusValueAt(const Locus& locus, double f)
{
    for (size_t i = 0; i + 1 < locus.freq.size(); ++i) {
        const double f0 = locus.freq[i];
        const double f1 = locus.freq[i + 1];
        if (!(std::min(f0, f1) <= f && f <= std::max(f0, f1)))
            continue;
        if (f0 == f1)
            return locus.values[i];
        return locus.values[i] + (locus.values[i + 1] - locus.values[i]) * ((f - f0) / (f1 - f0));
    }
    if (locus.freq.size() == 1 && locus.freq.front() == f)
        return locus.values.front();
    return std::nullopt;
}

} // namespace

std::vector<MarkerMark> markerMarksOf(const ChartState& state)
{
    std::vector<MarkerMark> marks;
    for (const int32_t n : state.markers.numbers()) {
        MarkerMark mark;
        mark.number = n;
        mark.freq = state.markers.frequency(n) / state.unitMultiplier;
        for (int32_t t = 0; t < state.markerValues.traceCount; ++t) {
            const double v = state.markerValues.at(t, n);
            if (std::isfinite(v))
                mark.traces.push_back(MarkerMark::OnTrace { t, v });
        }
        marks.push_back(std::move(mark));
    }
    return marks;
}

void paintMarkers(QPainter& painter, const ChartView& chart, const std::vector<MarkerMark>& marks,
    const CurveScale& scale, const PixelRect& plot)
{
    if (marks.empty())
        return;
    painter.save();
    painter.setClipRect(QRect(plot.left, plot.top, plot.width(), plot.height()));
    painter.setFont(chart.chartFont);
    const QFontMetrics metrics = painter.fontMetrics();
    for (const MarkerMark& mark : marks) {
        const double x = std::round((mark.freq - scale.f0) * scale.xScale + scale.left);
        if (!(x >= plot.left && x < plot.right))
            continue;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(markerLineColour, 1, Qt::DashLine));
        painter.drawLine(QLineF(x, plot.top, x, plot.bottom - 1));
        const QString label = labelOf(mark.number);
        const int32_t width = metrics.horizontalAdvance(label);
        // The label sits right of the line, or left of it near the plot's right edge.
        const double left = x + 3 + width < plot.right ? x + 3 : x - 3 - width;
        painter.setPen(chart.framePen);
        painter.drawText(QPointF(left, plot.top + metrics.ascent() + 1), label);
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (const MarkerMark::OnTrace& on : mark.traces) {
            const double y = scale.bottom - (on.value - scale.yMin) * scale.yScale;
            if (!(y >= plot.top && y <= plot.bottom))
                continue;
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(colourOf(chart, on.trace));
            painter.drawPolygon(triangleAt(x, y));
        }
        painter.setBrush(Qt::NoBrush);
    }
    painter.restore();
}

void paintPlaneMarkers(QPainter& painter, const ChartView& chart, const MarkerSet& markers,
    const std::vector<Locus>& loci, const GammaMapping& mapping)
{
    const std::vector<int32_t> numbers = markers.numbers();
    if (numbers.empty())
        return;
    const PixelRect& plot = mapping.plot();
    painter.save();
    painter.setClipRect(QRect(plot.left, plot.top, plot.width(), plot.height()));
    painter.setFont(chart.chartFont);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics metrics = painter.fontMetrics();
    for (const Locus& locus : loci) {
        for (const int32_t n : numbers) {
            const std::optional<Complex> value = locusValueAt(locus, markers.frequency(n));
            if (!value)
                continue;
            const QPointF p = mapping.toPixel(*value);
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(colourOf(chart, locus.trace()));
            painter.drawEllipse(p, planeDotRadius, planeDotRadius);
            painter.setPen(chart.framePen);
            painter.drawText(QPointF(p.x() + planeDotRadius + 2, p.y() - planeDotRadius - 2 + metrics.descent()),
                labelOf(n));
        }
    }
    painter.restore();
}
