#include "chartlegend.h"

#include <QFontMetrics>
#include <QRect>
#include <QStringList>

#include <algorithm>

#include "drawchart.h"

namespace {

// Room between the box and the plot's border, and inside the box around its lines.
constexpr int32_t outerGap = 6;
constexpr int32_t innerGap = 4;
constexpr int32_t swatchWidth = 16;

// Text on a white patch, so that curves under it do not hide it.
void drawPatchedText(QPainter& painter, const QRect& area, const QString& text)
{
    painter.fillRect(area, Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignCenter, text);
}

void paintUnits(QPainter& painter, const PixelRect& plot, const ChartLegend& legend)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int32_t height = metrics.height();
    if (!legend.valueUnit.isEmpty()) {
        const int32_t width = metrics.horizontalAdvance(legend.valueUnit) + 2 * innerGap;
        drawPatchedText(painter, QRect(plot.left + outerGap, plot.top + 2, width, height), legend.valueUnit);
    }
    if (!legend.frequencyUnit.isEmpty()) {
        const int32_t width = metrics.horizontalAdvance(legend.frequencyUnit) + 2 * innerGap;
        drawPatchedText(painter,
            QRect(plot.right - outerGap - width, plot.bottom - 3 - height, width, height),
            legend.frequencyUnit);
    }
}

} // namespace

void paintChartLegend(QPainter& painter, const ChartView& chart, const ChartLegend& legend)
{
    if (!chart.isAttached())
        return;
    painter.save();
    painter.setFont(chart.chartFont);
    const PixelRect plot = drawingPlotRect(chart);
    paintUnits(painter, plot, legend);

    const int32_t listed = std::min(static_cast<int32_t>(legend.entries.size()), maximumLegendLines);
    // The lines under the entries: the count of the traces left out, then the note.
    QStringList tail;
    if (!legend.moreText.isEmpty())
        tail.append(legend.moreText);
    if (!legend.note.isEmpty())
        tail.append(legend.note);
    if (listed > 0 || !tail.isEmpty()) {
        const QFontMetrics metrics = painter.fontMetrics();
        const int32_t lineHeight = metrics.height();
        int32_t textWidth = 0;
        for (const QString& line : tail)
            textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
        for (int32_t i = 0; i < listed; ++i)
            textWidth
                = std::max(textWidth, metrics.horizontalAdvance(legend.entries[static_cast<size_t>(i)].text));
        const int32_t lines = listed + static_cast<int32_t>(tail.size());
        const int32_t width = innerGap * 3 + swatchWidth + textWidth;
        const int32_t height = innerGap * 2 + lines * lineHeight;
        const QRect box(plot.right - outerGap - width, plot.top + outerGap, width, height);
        painter.fillRect(box, Qt::white);
        painter.setPen(chart.framePen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        const int32_t textLeft = box.left() + innerGap * 2 + swatchWidth;
        for (int32_t i = 0; i <= lines - 1; ++i) {
            const int32_t top = box.top() + innerGap + i * lineHeight;
            const QRect textArea(textLeft, top, textWidth, lineHeight);
            painter.setPen(Qt::black);
            if (i < listed) {
                const LegendEntry& entry = legend.entries[static_cast<size_t>(i)];
                painter.fillRect(
                    QRect(box.left() + innerGap, top + lineHeight / 2 - 2, swatchWidth, 4), entry.colour);
                painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, entry.text);
            } else {
                painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, tail[i - listed]);
            }
        }
    }
    painter.restore();
}
