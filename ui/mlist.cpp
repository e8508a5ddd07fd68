#include "mlist.h"

#include <algorithm>

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>

#include "swatchimage.h"

namespace {

// Item data of a row (its flat trace number) or of a group (its measurement).
constexpr int itemDataRole = Qt::UserRole;
// A row's number across all groups.
constexpr int rowRole = Qt::UserRole + 1;
// The check state last reported for a row, so that only check changes are reported.
constexpr int reportedCheckRole = Qt::UserRole + 2;

// Room around the close link text, in pixels.
constexpr int linkMargin = 6;

bool isGroupIndex(const QModelIndex& index)
{
    return !index.parent().isValid();
}

// Draws rows with their swatches, the group headers with their close link, and the marked
// row in the selection colours; the platform's own selection and focus are never drawn.
class MListDelegate : public QStyledItemDelegate {
public:
    explicit MListDelegate(MList* owner)
        : QStyledItemDelegate(owner)
        , list(owner)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!isGroupIndex(index) || index.column() != 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QRect link = linkRect(option.rect, list->viewport()->width());
        QStyleOptionViewItem header = option;
        header.rect.setRight(link.left() - 1);
        QStyledItemDelegate::paint(painter, header, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Link));
        painter->drawText(link, Qt::AlignCenter, list->closeLinkText());
        painter->restore();
    }

    // The link at the right end of the header row, or of the visible part of it when the
    // list is scrolled sideways.
    QRect linkRect(const QRect& rowRect, int viewportWidth) const
    {
        const int width = list->fontMetrics().horizontalAdvance(list->closeLinkText()) + 2 * linkMargin;
        const int right = std::min(rowRect.right(), viewportWidth - 1);
        return QRect(right - width + 1, rowRect.top(), width, rowRect.height());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (isGroupIndex(index))
            return;
        if (index.column() == 0) {
            const int32_t slot = index.data(itemDataRole).toInt() % std::max(list->swatchCount(), 1);
            option->icon = QIcon(QPixmap::fromImage(list->swatch(slot)));
            option->decorationSize = QSize(swatchSize, swatchSize);
            option->features |= QStyleOptionViewItem::HasDecoration;
        }
        // A row's number is held by its first column only.
        if (index.siblingAtColumn(0).data(rowRole).toInt() == list->markedRow) {
            option->backgroundBrush = list->markBackColour;
            option->palette.setColor(QPalette::Text, list->markTextColour);
        }
    }

private:
    MList* list;
};

} // namespace

MList::MList(QWidget* parent)
    : QTreeWidget(parent)
{
    setItemDelegate(new MListDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setUniformRowHeights(true);
    setIndentation(12);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    markBackColour = palette().color(QPalette::Highlight);
    markTextColour = palette().color(QPalette::HighlightedText);
    connect(this, &QTreeWidget::itemChanged, this, &MList::onItemChanged);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section == 0)
            emit firstColumnHeaderClicked();
    });
}

void MList::clearRows()
{
    markedRow = -1;
    rows.clear();
    pressedItem = nullptr;
    clear();
}

QTreeWidgetItem* MList::addGroup(int32_t m, const QString& name)
{
    auto* group = new QTreeWidgetItem(this);
    group->setText(0, name);
    group->setToolTip(0, name);
    group->setData(0, itemDataRole, m);
    group->setFlags(Qt::ItemIsEnabled);
    QFont font = group->font(0);
    font.setBold(true);
    group->setFont(0, font);
    group->setFirstColumnSpanned(true);
    return group;
}

void MList::addRow(QTreeWidgetItem* group, const QString& text, int32_t itemData, bool checked)
{
    const Qt::CheckState state = checked ? Qt::Checked : Qt::Unchecked;
    auto* row = new QTreeWidgetItem();
    row->setText(0, text);
    row->setData(0, itemDataRole, itemData);
    row->setData(0, rowRole, rowCount());
    row->setData(0, reportedCheckRole, static_cast<int>(state));
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    row->setCheckState(0, state);
    group->addChild(row);
    rows.push_back(row);
}

QTreeWidgetItem* MList::rowItem(int32_t row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return rows[row];
}

int32_t MList::rowOf(const QTreeWidgetItem* item) const
{
    if (item == nullptr || item->parent() == nullptr)
        return -1;
    return item->data(0, rowRole).toInt();
}

int32_t MList::itemData(int32_t row) const
{
    const QTreeWidgetItem* item = rowItem(row);
    return item != nullptr ? item->data(0, itemDataRole).toInt() : -1;
}

int32_t MList::groupOfRow(int32_t row) const
{
    const QTreeWidgetItem* item = rowItem(row);
    return item != nullptr ? item->parent()->data(0, itemDataRole).toInt() : -1;
}

bool MList::rowChecked(int32_t row) const
{
    const QTreeWidgetItem* item = rowItem(row);
    return item != nullptr && item->checkState(0) == Qt::Checked;
}

void MList::setRowChecked(int32_t row, bool checked)
{
    QTreeWidgetItem* item = rowItem(row);
    if (item != nullptr)
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void MList::buildSwatches(const std::vector<QColor>& colours)
{
    swatchImages.clear();
    const QColor background = palette().color(QPalette::Base);
    for (const QColor& colour : colours)
        swatchImages.push_back(swatchImage(colour, background));
    viewport()->update();
}

void MList::replaceSwatch(int32_t slot, const QColor& colour)
{
    if (slot < 0 || slot >= swatchCount())
        return;
    swatchImages[slot] = swatchImage(colour, palette().color(QPalette::Base));
    viewport()->update();
}

QImage MList::swatch(int32_t slot) const
{
    if (slot < 0 || slot >= swatchCount())
        return QImage();
    return swatchImages[slot];
}

void MList::setCloseLinkText(const QString& text)
{
    linkText = text;
    viewport()->update();
}

std::vector<int> MList::startColumnWidths(int listWidth) const
{
    constexpr int shares = 6;
    const int unit = (listWidth - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 2) / shares;
    const QFontMetrics metrics = fontMetrics();
    const int textMargin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 4;
    const int traceWidth = indentation() + style()->pixelMetric(QStyle::PM_IndicatorWidth) + swatchSize
        + metrics.horizontalAdvance(QStringLiteral("S22M")) + 4 * textMargin;
    const int valueWidth = metrics.horizontalAdvance(QStringLiteral("-00.00")) + textMargin;
    std::vector<int> widths { std::max(2 * unit, traceWidth) };
    for (int c = 1; c < columnCount(); ++c)
        widths.push_back(std::max(unit, valueWidth));
    return widths;
}

QRect MList::closeLinkRect(const QTreeWidgetItem* group) const
{
    if (group == nullptr || group->parent() != nullptr)
        return QRect();
    const auto* delegate = static_cast<const MListDelegate*>(itemDelegate());
    return delegate->linkRect(visualItemRect(group), viewport()->width());
}

void MList::setMarkedRow(int32_t row)
{
    // Only the rows that gain or lose the marking are painted again.
    for (const int32_t changed : { markedRow, row }) {
        if (const QTreeWidgetItem* item = rowItem(changed)) {
            // The whole line, the indentation in front of the item included.
            const QRect line = visualItemRect(item);
            viewport()->update(0, line.top(), viewport()->width(), line.height());
        }
    }
    markedRow = row;
}

void MList::mousePressEvent(QMouseEvent* event)
{
    pressedItem = itemAt(event->position().toPoint());
    pressedCheck = pressedItem != nullptr ? pressedItem->checkState(0) : Qt::Unchecked;
    QTreeWidget::mousePressEvent(event);
}

void MList::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    const QPoint point = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(point);
    QTreeWidgetItem* pressed = pressedItem;
    pressedItem = nullptr;
    if (event->button() != Qt::LeftButton || item == nullptr || item != pressed)
        return;
    if (item->parent() == nullptr) {
        if (closeLinkRect(item).contains(point))
            emit closeLinkClicked(item->data(0, itemDataRole).toInt());
        return;
    }
    // A click that toggled the check box was a click on it.
    if (item->checkState(0) == pressedCheck)
        emit rowClicked(rowOf(item));
}

void MList::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!isGroupIndex(index) && index.siblingAtColumn(0).data(rowRole).toInt() == markedRow)
        painter->fillRect(option.rect, markBackColour);
    QTreeWidget::drawRow(painter, option, index);
}

void MList::onItemChanged(QTreeWidgetItem* item, int column)
{
    if (column != 0 || item == nullptr || item->parent() == nullptr)
        return;
    const int state = static_cast<int>(item->checkState(0));
    if (item->data(0, reportedCheckRole).toInt() == state)
        return;
    item->setData(0, reportedCheckRole, state);
    emit rowCheckChanged(rowOf(item));
}
