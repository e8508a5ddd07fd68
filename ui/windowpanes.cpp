#include "windowpanes.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QResizeEvent>

#include <algorithm>
#include <vector>

#include "chartframe.h"
#include "controlstrip.h"
#include "dialogunits.h"
#include "mlist.h"
#include "settingsrecord.h"
#include "splitterhandle.h"
#include "statsstrip.h"

namespace {

// The window's design size, and the file list's width in it, in dialog units.
constexpr int designWidth = 560;
constexpr int designHeight = 392;
constexpr int designListWidth = 172;
// The height of the design's control strip, above the panes.
constexpr int designStripHeight = 60;
constexpr int listColumnCount = 5;

} // namespace

WindowPanes::WindowPanes(QMainWindow& mainWindow, SettingsRecord& windowSettings)
    : QObject(&mainWindow)
    , window(mainWindow)
    , settings(windowSettings)
{
    client = new QWidget(&window);
    client->setObjectName(QStringLiteral("clientArea"));
    strip = new ControlStrip(client);
    strip->setObjectName(QStringLiteral("controlStrip"));
    stats = new StatsStrip(client);
    stats->setObjectName(QStringLiteral("statsList"));
    frame = new ChartFrame(client);
    frame->setObjectName(QStringLiteral("chartFrame"));
    files = new MList(client);
    files->setObjectName(QStringLiteral("fileList"));
    hint = new QLabel(client);
    hint->setObjectName(QStringLiteral("chartHint"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    hint->setFrameShape(QFrame::Box);
    hint->setAutoFillBackground(true);
    hint->setBackgroundRole(QPalette::Base);
    hint->hide();
    splitter = new SplitterHandle(client);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->raise();

    client->installEventFilter(this);
    window.setCentralWidget(client);
    connect(splitter, &SplitterHandle::dragged, this, &WindowPanes::moveSplitter);
}

void WindowPanes::setUpListColumns()
{
    const DialogUnits du(window.fontMetrics());
    files->setColumnCount(listColumnCount);
    const std::vector<int> widths = files->startColumnWidths(du.x(designListWidth));
    for (int c = 0; c < listColumnCount; ++c)
        files->setColumnWidth(c, widths[c]);
}

void WindowPanes::layOut()
{
    // The window's design: the control strip along the top, under it the readout strip over
    // the chart on the left and the file list on the right, 4 units from the edges.
    const DialogUnits du(window.fontMetrics());
    const QSize stripSize = strip->sizeHint();
    strip->setGeometry(QRect(QPoint(0, 0), stripSize));
    const int width = std::max(du.x(designWidth), stripSize.width());
    const int margin = du.x(4);
    const int top = stripSize.height();
    const int height = top + du.y(designHeight - designStripHeight);
    const int listWidth = du.x(designListWidth);
    const int chartWidth = width - 2 * margin - listWidth;
    const int bottom = height - du.y(4);

    PaneLayout layout;
    layout.stats = QRect(margin, top, chartWidth, stats->sizeHint().height());
    const int chartTop = layout.stats.bottom() + 1 + du.y(1);
    layout.chart = QRect(margin, chartTop, chartWidth, bottom - chartTop);
    layout.list = QRect(margin + chartWidth, top, listWidth, bottom - top);
    placePanes(layout);
    clientRect = QRect(0, 0, width, height);
    client->resize(width, height);
    window.resize(width, height + window.menuBar()->sizeHint().height());
}

PaneLayout WindowPanes::current() const
{
    return PaneLayout { stats->geometry(), frame->geometry(), files->geometry() };
}

void WindowPanes::placePanes(const PaneLayout& layout)
{
    stats->setGeometry(layout.stats);
    frame->setGeometry(layout.chart);
    files->setGeometry(layout.list);
    hint->setGeometry(layout.chart);
    const QRect& chart = layout.chart;
    splitter->setGeometry(
        chart.x() + chart.width() - sizingFrameWidth, chart.y(), 2 * sizingFrameWidth, chart.height());
    stats->sizeStatsColumns();
    // The window never shrinks below the strip's controls, the smallest chart and the list.
    const DialogUnits du(window.fontMetrics());
    const int width = std::max(strip->isHidden() ? 0 : strip->sizeHint().width(),
        chart.x() + smallestChartSide + 1 + layout.list.width() + du.x(4));
    client->setMinimumSize(width, chart.y() + smallestChartSide + 1 + du.y(4));
}

bool WindowPanes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client && event->type() == QEvent::Resize)
        onClientResized(static_cast<QResizeEvent*>(event)->size());
    return QObject::eventFilter(watched, event);
}

void WindowPanes::onClientResized(const QSize& size)
{
    if (!clientRect.isValid())
        return;
    const std::optional<PaneLayout> moved
        = resizedPanes(current(), size.width() - clientRect.width(), size.height() - clientRect.height());
    if (!moved)
        return;
    // The chart frame's own resize redraws the chart.
    placePanes(*moved);
    clientRect = QRect(QPoint(0, 0), size);
}

void WindowPanes::moveSplitter(int x)
{
    if (splitterBusy != 0)
        return;
    splitterBusy = 1;
    const std::optional<PaneLayout> moved = splitPanes(current(), x, sizingFrameWidth);
    if (moved)
        placePanes(*moved);
    splitterBusy = 0;
}

void WindowPanes::setLargeGraph()
{
    if (largeGraphLayout != 0)
        return;
    strip->hide();
    const PaneLayout now = current();
    savedListTop = now.stats.top();
    savedChartTop = now.chart.top();
    placePanes(largeGraphPanes(now));
    largeGraphLayout = 1;
    emit layoutSwitched();
}

void WindowPanes::setNormalLayout()
{
    if (largeGraphLayout != 1)
        return;
    strip->show();
    placePanes(normalPanes(current(), savedChartTop, savedListTop));
    largeGraphLayout = 0;
    emit layoutSwitched();
}

void WindowPanes::setChartFrameVisible(bool visible)
{
    frame->setVisible(visible);
    hint->setVisible(!visible);
}

void WindowPanes::restoreListWidths()
{
    for (int c = 0; c < listColumnCount; ++c) {
        if (settings.columnWidth[c] != 0)
            files->setColumnWidth(c, settings.columnWidth[c]);
    }
    // A list of no width could not be seen, so only a stored width is taken.
    if (settings.listWidth > 0) {
        const QRect list = files->geometry();
        moveSplitter(list.x() + list.width() - settings.listWidth);
    }
}

void WindowPanes::saveListWidths()
{
    for (int c = 0; c < listColumnCount; ++c)
        settings.columnWidth[c] = files->columnWidth(c);
    settings.listWidth = files->width();
}
