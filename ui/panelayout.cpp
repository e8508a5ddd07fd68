#include "panelayout.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The exclusive right edge, where the next pane begins.
int rightEdge(const QRect& r)
{
    return r.x() + r.width();
}

} // namespace

std::optional<PaneLayout> resizedPanes(const PaneLayout& panes, int dx, int dy)
{
    PaneLayout moved = panes;
    moved.chart.setSize(QSize(panes.chart.width() + dx, panes.chart.height() + dy));
    if (moved.chart.width() <= smallestChartSide || moved.chart.height() <= smallestChartSide)
        return std::nullopt;
    moved.stats.setWidth(panes.stats.width() + dx);
    moved.list.translate(dx, 0);
    moved.list.setHeight(panes.list.height() + dy);
    return moved;
}

std::optional<PaneLayout> splitPanes(const PaneLayout& panes, int x, int frameWidth)
{
    const int chartRight = rightEdge(panes.chart);
    if (std::abs(x - chartRight) <= frameWidth / 2)
        return std::nullopt;
    x = std::min(x, rightEdge(panes.list));
    if (x - panes.chart.left() <= smallestChartSide)
        return std::nullopt;
    PaneLayout moved = panes;
    moved.chart.setWidth(x - panes.chart.left());
    moved.stats.setWidth(x - panes.stats.left());
    moved.list.setLeft(x);
    return moved;
}

PaneLayout largeGraphPanes(const PaneLayout& panes)
{
    PaneLayout moved = panes;
    moved.stats.moveTop(0);
    moved.chart.setTop(moved.stats.height());
    moved.list.setTop(0);
    return moved;
}

PaneLayout normalPanes(const PaneLayout& panes, int savedChartTop, int savedListTop)
{
    PaneLayout moved = panes;
    moved.chart.setTop(savedChartTop);
    moved.list.setTop(savedListTop);
    moved.stats.moveTop(savedListTop);
    return moved;
}
