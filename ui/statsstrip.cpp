#include "statsstrip.h"

#include <QHeaderView>
#include <QResizeEvent>

#include <algorithm>

StatsStrip::StatsStrip(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(columnCount);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    header()->setStretchLastSection(false);
    // The columns take their shares exactly, however narrow the strip; the header would
    // otherwise hold every column at the width of a few characters.
    header()->setMinimumSectionSize(0);
    row = new QTreeWidgetItem(this);
    row->setFlags(Qt::ItemIsEnabled);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(sizeHint().height());
}

std::array<int, StatsStrip::columnCount> StatsStrip::columnWidths(int stripWidth)
{
    const int u = stripWidth / 17 - 1;
    return { u, 2 * u, 5 * u, 2 * u, 5 * u, 2 * u };
}

void StatsStrip::sizeStatsColumns()
{
    // Three units of the twenty go to the pass count's column.
    constexpr int passCountUnits = 3;
    const int width = viewport()->width();
    const int u = width / (17 + passCountUnits) - 1;
    const std::array<int, columnCount> widths
        = columnWidths(passCountShown ? width - passCountUnits * (u + 1) : width);
    for (int c = 0; c < columnCount; ++c)
        setColumnWidth(c, std::max(0, widths[c]));
    if (passCountShown)
        setColumnWidth(columnCount, std::max(0, passCountUnits * u));
}

void StatsStrip::setPassCount(const QString& text)
{
    passCountShown = !text.isEmpty();
    setColumnCount(passCountShown ? columnCount + 1 : columnCount);
    if (passCountShown)
        row->setText(columnCount, text);
    sizeStatsColumns();
}

QString StatsStrip::columnText(int column) const
{
    return row->text(column);
}

void StatsStrip::setColumnText(int column, const QString& text)
{
    row->setText(column, text);
}

QSize StatsStrip::sizeHint() const
{
    const int rowHeight = fontMetrics().height() + 6;
    return QSize(QTreeWidget::sizeHint().width(), rowHeight + 2 * frameWidth());
}

void StatsStrip::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    sizeStatsColumns();
}
