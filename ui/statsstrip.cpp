#include "statsstrip.h"

#include <QHeaderView>
#include <QResizeEvent>

#include <algorithm>

StatsStrip::StatsStrip(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(searchColumn + 1);
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

std::array<int, StatsStrip::columnCount + 1> StatsStrip::apertureColumnWidths(int stripWidth)
{
    const int u = stripWidth / 23 - 1;
    return { u, 3 * u, 4 * u, 3 * u, 4 * u, 3 * u, 5 * u };
}

void StatsStrip::sizeStatsColumns()
{
    // While limits are open, three units of the twenty go to the pass count's column; a
    // search's outcome takes the width of its text, up to three fifths of the strip. The
    // others share what is left.
    constexpr int passCountUnits = 3;
    constexpr int searchPadding = 12;
    const int width = viewport()->width();
    const int u = width / (17 + passCountUnits) - 1;
    const int passCountWidth = passCountShown ? passCountUnits * (u + 1) : 0;
    const int searchWidth = searchShown
        ? std::min(fontMetrics().horizontalAdvance(row->text(searchColumn)) + searchPadding, width * 3 / 5)
        : 0;
    const int shared = width - passCountWidth - searchWidth;
    std::array<int, columnCount + 1> widths {};
    if (row->text(apertureColumn).isEmpty()) {
        const std::array<int, columnCount> six = columnWidths(shared);
        std::copy(six.begin(), six.end(), widths.begin());
    } else {
        widths = apertureColumnWidths(shared);
    }
    for (int c = 0; c <= columnCount; ++c)
        setColumnWidth(c, std::max(0, widths[static_cast<size_t>(c)]));
    setColumnWidth(passCountColumn, passCountShown ? std::max(0, passCountUnits * u) : 0);
    setColumnWidth(searchColumn, searchWidth);
}

void StatsStrip::setSearchText(const QString& text)
{
    searchShown = !text.isEmpty();
    row->setText(searchColumn, text);
    row->setToolTip(searchColumn, text);
    sizeStatsColumns();
}

void StatsStrip::setPassCount(const QString& text)
{
    passCountShown = !text.isEmpty();
    row->setText(passCountColumn, text);
    sizeStatsColumns();
}

QString StatsStrip::columnText(int column) const
{
    return row->text(column);
}

void StatsStrip::setColumnText(int column, const QString& text)
{
    const bool resize = column == apertureColumn && row->text(column).isEmpty() != text.isEmpty();
    row->setText(column, text);
    if (resize)
        sizeStatsColumns();
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
