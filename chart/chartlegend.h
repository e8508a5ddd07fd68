#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

#include <vector>

#include "chartview.h"

// Most trace lines a legend lists; the rest are counted on one line after them.
constexpr int32_t maximumLegendLines = 20;

// One line of the legend: the trace's colour and its name.
struct LegendEntry {
    QColor colour;
    QString text;
};

// What saved and copied chart images carry beside the chart itself: a line per shown trace
// up to maximumLegendLines, the line that counts the traces left out (empty when none are),
// a note, and the units of both axes.
struct ChartLegend {
    std::vector<LegendEntry> entries;
    QString moreText;
    // A last line under the entries, such as the group delay aperture; empty for none.
    QString note;
    QString frequencyUnit;
    QString valueUnit;
};

// Paints the legend over a finished chart of the chart's frame: a framed box inside the plot's
// top-right corner with a colour swatch and the text of each entry (at most
// maximumLegendLines), then the count line and the note, the value unit inside the plot's top-left
// corner beside the value axis and the frequency unit inside its bottom-right corner on the
// frequency axis. The same function serves the window's saved and copied images and the batch
// tool.
void paintChartLegend(QPainter& painter, const ChartView& chart, const ChartLegend& legend);
