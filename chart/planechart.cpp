#include "planechart.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

#include "busyscope.h"
#include "chartstate.h"
#include "columnbands.h"
#include "drawchart.h"
#include "labelplacer.h"
#include "markerdrawing.h"
#include "pixelpath.h"
#include "planepieces.h"
#include "polargrid.h"
#include "roundhalfaway.h"
#include "smithgrid.h"
#include "thickline.h"
#include "tracepalette.h"
#include "vectorstate.h"

namespace {

const QColor admittanceColour(200, 60, 60);
const QColor finerColour(150, 150, 150);
constexpr double dotRadius = 3.5;
// Room kept outside the whole chart for the rim's labels, in lines of the margin font.
constexpr double labelRoomLines = 1.6;

// One locus in frame pixels.
struct LocusPath {
    int32_t trace = 0;
    PixelPath pixels;
    std::optional<QPointF> first;
};

QRectF boxOf(const PixelRect& plot)
{
    return QRectF(plot.left, plot.top, plot.width() - 1, plot.height() - 1);
}

double outerRadius(const PlaneInput& input)
{
    return input.kind == ChartKind::polar && input.loci != nullptr ? polarOuterRadius(*input.loci) : 1;
}

QPen gridPenOf(const ChartView& chart, GridStyle style)
{
    switch (style) {
    case GridStyle::outline:
        return chart.framePen;
    case GridStyle::finer:
        return QPen(QBrush(finerColour), 1, Qt::DotLine, Qt::FlatCap);
    case GridStyle::admittance:
        return QPen(QBrush(admittanceColour), 1, Qt::DotLine, Qt::FlatCap);
    case GridStyle::major:
        break;
    }
    return chart.gridPen;
}

// Points closer than this to the last one kept, in pixels along both axes, add nothing to the
// line: a dense sweep is thinned to about one point per pixel before it is cut to the plot.
constexpr double thinningPixels = 0.5;

bool nearPixel(const QPointF& a, const QPointF& b)
{
    return std::abs(a.x() - b.x()) < thinningPixels && std::abs(a.y() - b.y()) < thinningPixels;
}

// Cuts the line through points to the plot into pieces, which it clears first.
void cutToPlot(const std::vector<Complex>& points, const GammaMapping& mapping, PlanePieces& pieces)
{
    pieces.clear();
    std::optional<QPointF> kept;
    std::optional<QPointF> skipped;
    for (const Complex& value : points) {
        const QPointF p = mapping.toPixel(value);
        const bool finite = std::isfinite(p.x()) && std::isfinite(p.y());
        if (finite && kept && nearPixel(p, *kept)) {
            skipped = p;
            continue;
        }
        if (!finite && skipped)
            pieces.lineTo(*skipped);
        skipped.reset();
        pieces.lineTo(p);
        kept = finite ? std::optional<QPointF>(p) : std::nullopt;
    }
    if (skipped)
        pieces.lineTo(*skipped);
}

// Where a curve's label goes: its own point when that is in view, else the visible point of the
// curve nearest to it, so that a zoomed grid keeps its labels.
std::optional<QPointF> labelAnchor(const PlanePieces& pieces, const QPointF& wanted, const QRectF& box)
{
    if (box.contains(wanted))
        return wanted;
    std::optional<QPointF> best;
    double bestDistance = 0;
    for (size_t k = 0; k < pieces.pieceCount(); ++k) {
        for (size_t i = 0; i < pieces.pieceSize(k); ++i) {
            const QPointF& p = pieces.pieceData(k)[i];
            const double distance
                = std::isfinite(wanted.x()) ? std::hypot(p.x() - wanted.x(), p.y() - wanted.y()) : 0;
            if (!best || distance < bestDistance) {
                best = p;
                bestDistance = distance;
            }
        }
    }
    return best;
}

void paintGrid(
    QPainter& painter, const ChartView& chart, const GammaMapping& mapping, const PlaneInput& input)
{
    const std::vector<GridCurve> grid = input.kind == ChartKind::polar
        ? polarGrid(mapping, outerRadius(input))
        : smithGrid(mapping, input.admittance, input.language);
    const QRectF box = boxOf(mapping.plot());
    const QFontMetrics metrics = painter.fontMetrics();
    LabelPlacer placer(box);
    PlanePieces pieces(box);
    struct Label {
        QRectF rect;
        QString text;
        QColor colour;
    };
    std::vector<Label> labels;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const GridCurve& curve : grid) {
        cutToPlot(curve.points, mapping, pieces);
        painter.setPen(gridPenOf(chart, curve.style));
        for (size_t k = 0; k < pieces.pieceCount(); ++k)
            painter.drawPolyline(pieces.pieceData(k), static_cast<int>(pieces.pieceSize(k)));
        if (curve.label.empty())
            continue;
        const std::optional<QPointF> anchor = labelAnchor(pieces, mapping.toPixel(curve.labelAt), box);
        if (!anchor)
            continue;
        const QString text = QString::fromStdString(curve.label);
        const QSizeF size(metrics.horizontalAdvance(text) + 2, metrics.height());
        if (const std::optional<QRectF> rect = placer.place(*anchor, size, curve.direction))
            labels.push_back({ *rect, text,
                curve.style == GridStyle::admittance ? admittanceColour : chart.framePen.color() });
    }
    // The labels on patches of background over every line, so that they stay legible; the
    // admittance ones in the admittance circles' colour.
    for (const Label& label : labels) {
        painter.fillRect(label.rect, chart.backgroundBrush);
        painter.setPen(label.colour);
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
    }
    painter.restore();
}

// The locus's path through pieces, which it cuts the locus into.
LocusPath locusPath(const Locus& locus, const GammaMapping& mapping, PlanePieces& pieces)
{
    LocusPath path;
    path.trace = locus.trace();
    cutToPlot(locus.values, mapping, pieces);
    for (size_t k = 0; k < pieces.pieceCount(); ++k) {
        const QPointF* piece = pieces.pieceData(k);
        path.pixels.startPiece();
        for (size_t i = 0; i < pieces.pieceSize(k); ++i)
            path.pixels.lineTo(QPoint(roundToPixel(piece[i].x()), roundToPixel(piece[i].y())));
    }
    path.pixels.finish();
    if (!locus.values.empty()) {
        const QPointF first = mapping.toPixel(locus.values.front());
        if (boxOf(mapping.plot()).contains(first))
            path.first = first;
    }
    return path;
}

// The loci's paths, found in parallel, each in its own buffer; both sinks then paint them on
// this thread in list order.
std::vector<LocusPath> locusPaths(const PlaneInput& input, const GammaMapping& mapping)
{
    if (input.loci == nullptr)
        return {};
    const std::vector<Locus>& loci = *input.loci;
    const int32_t count = static_cast<int32_t>(loci.size());
    std::vector<LocusPath> paths(loci.size());
#pragma omp parallel
    {
        clearUpperVectorState();
        // One buffer of pieces per thread, reused locus after locus.
        PlanePieces pieces(boxOf(mapping.plot()));
#pragma omp for schedule(dynamic)
        for (int32_t j = 0; j < count; ++j) {
            try {
                paths[static_cast<size_t>(j)] = locusPath(loci[static_cast<size_t>(j)], mapping, pieces);
            } catch (const std::bad_alloc&) {
                paths[static_cast<size_t>(j)] = LocusPath { loci[static_cast<size_t>(j)].trace(), {}, {} };
            }
        }
    }
    return paths;
}

const QPen& penOf(const ChartView& chart, int32_t trace)
{
    return chart.tracePens[static_cast<size_t>(paletteSlot(trace))];
}

// Sets the loci's lines straight into the image's pixels, every thread all loci in list order
// into its own band of columns, so that later loci lie on top.
void rasterLoci(
    QImage& image, const ChartView& chart, const std::vector<LocusPath>& paths, const PixelRect& plot)
{
    uchar* const bits = image.bits();
    const int64_t bytesPerLine = image.bytesPerLine();
    paintInColumnBands(QRect(plot.left, plot.top, plot.width(), plot.height()), true, [&](const QRect& band) {
        for (const LocusPath& path : paths) {
            ThickLinePainter painter(bits, bytesPerLine, band, penOf(chart, path.trace).color().rgb());
            path.pixels.draw(painter, band);
        }
    });
}

void strokeLoci(QPainter& painter, const ChartView& chart, const std::vector<LocusPath>& paths)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const LocusPath& path : paths) {
        painter.setPen(penOf(chart, path.trace));
        path.pixels.forEachPiece([&](const QPoint* piece, int32_t size) { painter.drawPolyline(piece, size); });
    }
    painter.restore();
}

// A filled dot at the first point of every locus in view: where the sweep starts.
void paintDots(QPainter& painter, const ChartView& chart, const std::vector<LocusPath>& paths)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const LocusPath& path : paths) {
        if (!path.first)
            continue;
        const QColor colour = penOf(chart, path.trace).color();
        painter.setPen(QPen(colour, 1));
        painter.setBrush(colour);
        painter.drawEllipse(*path.first, dotRadius, dotRadius);
    }
    painter.restore();
}

} // namespace

PlaneInput planeInputOf(const ChartState& state)
{
    PlaneInput input;
    input.kind = state.chartKind;
    input.admittance = state.admittanceGrid != 0;
    input.language = state.language;
    input.loci = &state.plane.loci;
    input.view = state.plane.zooms.empty() ? nullptr : &state.plane.zooms.back();
    input.markers = &state.markers;
    return input;
}

GammaMapping planeMapping(const ChartView& chart, const PlaneInput& input)
{
    const PixelRect plot = drawingPlotRect(chart);
    if (input.view != nullptr)
        return GammaMapping(plot, *input.view);
    const double half = std::min(plot.width(), plot.height()) / 2.0;
    const double room = labelRoomLines * chart.bottomMargin;
    const double outer = outerRadius(input);
    PlaneView whole;
    whole.halfSpan = half > 2 * room ? outer * half / (half - room) : outer * 1.1;
    return GammaMapping(plot, whole);
}

GammaMapping drawPlaneChart(ChartView& chart, const PlaneInput& input)
{
    if (!chart.isAttached())
        return GammaMapping();
    const BusyScope busy(chart.busy);
    adoptFrameSize(chart);
    const GammaMapping mapping = planeMapping(chart, input);
    if (chart.chartBitmap.isNull())
        return mapping;
    {
        QPainter painter(&chart.chartBitmap);
        paintChartFrame(painter, chart);
        paintGrid(painter, chart, mapping, input);
    }
    const std::vector<LocusPath> paths = locusPaths(input, mapping);
    rasterLoci(chart.chartBitmap, chart, paths, mapping.plot());
    QPainter painter(&chart.chartBitmap);
    paintDots(painter, chart, paths);
    if (input.markers != nullptr && input.loci != nullptr)
        paintPlaneMarkers(painter, chart, *input.markers, *input.loci, mapping);
    return mapping;
}

void paintPlaneChart(QPainter& painter, const ChartView& chart, const PlaneInput& input)
{
    if (!chart.isAttached())
        return;
    const GammaMapping mapping = planeMapping(chart, input);
    paintChartFrame(painter, chart);
    paintGrid(painter, chart, mapping, input);
    const std::vector<LocusPath> paths = locusPaths(input, mapping);
    strokeLoci(painter, chart, paths);
    paintDots(painter, chart, paths);
    if (input.markers != nullptr && input.loci != nullptr)
        paintPlaneMarkers(painter, chart, *input.markers, *input.loci, mapping);
}
