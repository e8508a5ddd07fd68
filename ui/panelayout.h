#pragma once

#include <QRect>

#include <optional>

// The chart frame must stay wider and higher than this many pixels; moves that would leave it
// smaller are refused.
constexpr int smallestChartSide = 32;

// Where the statistics strip, the chart frame under it and the file list to their right lie
// in the main window's client area. The chart's right edge is the splitter between chart and
// list; the strip spans the chart's width.
struct PaneLayout {
    QRect stats;
    QRect chart;
    QRect list;

    bool operator==(const PaneLayout& other) const
    {
        return stats == other.stats && chart == other.chart && list == other.list;
    }
};

// The panes after the client area grew by dx and dy: the chart takes all of it, the list keeps
// its width and follows the right edge, the strip's right edge follows the chart's. None when
// the chart would be 32 pixels wide or high or less.
std::optional<PaneLayout> resizedPanes(const PaneLayout& panes, int dx, int dy);

// The panes with the splitter moved to x: the chart's and the strip's right edges and the
// list's left edge at x, never beyond the list's right edge. None when x lies within half of
// frameWidth of the chart's right edge, or when the chart would be 32 pixels wide or less.
std::optional<PaneLayout> splitPanes(const PaneLayout& panes, int x, int frameWidth);

// The Large graph layout: the strip at the top of the client area, the chart from the strip's
// bottom down and the list from the top down, both keeping their bottoms.
PaneLayout largeGraphPanes(const PaneLayout& panes);

// The Normal layout again, from the tops that Large graph saved: the chart's top, and the top
// of the strip and the list. Bottoms and the strip's height stay.
PaneLayout normalPanes(const PaneLayout& panes, int savedChartTop, int savedListTop);
