#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QTreeWidget>

#include <cstdint>
#include <vector>

// The file list: one group per measurement, headed by its name and a link that closes its
// file, and inside it one row per shown trace kind with a check box (show the trace), the
// trace's colour swatch, its name and four value columns. Rows are numbered across all
// groups from the top; a row's item data is its flat trace number 8 * m + k, and its swatch
// is that number's palette slot.
//
// The marked row is drawn in the selection colours and no other row ever is, whatever the
// selection.
class MList : public QTreeWidget {
    Q_OBJECT
public:
    // The trace column and the four value columns; the columns of limits and markers follow.
    static constexpr int plainColumnCount = 5;

    explicit MList(QWidget* parent = nullptr);

    // Removes every group and row; no row is marked.
    void clearRows();
    // Appends the group of measurement m with the name in its header.
    QTreeWidgetItem* addGroup(int32_t m, const QString& name);
    // Appends a row to the group.
    void addRow(QTreeWidgetItem* group, const QString& text, int32_t itemData, bool checked);

    int32_t rowCount() const { return static_cast<int32_t>(rows.size()); }
    // The row's item, or null for a row that does not exist.
    QTreeWidgetItem* rowItem(int32_t row) const;
    // The row of an item, or -1 when it is no row (a group header, null).
    int32_t rowOf(const QTreeWidgetItem* item) const;
    // The flat trace number of a row; -1 for a row that does not exist.
    int32_t itemData(int32_t row) const;
    // The measurement whose group holds the row; -1 for a row that does not exist.
    int32_t groupOfRow(int32_t row) const;
    bool rowChecked(int32_t row) const;
    void setRowChecked(int32_t row, bool checked);

    // The swatches of the palette slots, one per colour, drawn on the list's background.
    void buildSwatches(const std::vector<QColor>& colours);
    // Draws the swatch of slot anew in the colour; other slots are ignored.
    void replaceSwatch(int32_t slot, const QColor& colour);
    QImage swatch(int32_t slot) const;
    int32_t swatchCount() const { return static_cast<int32_t>(swatchImages.size()); }

    void setCloseLinkText(const QString& text);
    const QString& closeLinkText() const { return linkText; }
    // Where the close link of a group header is drawn, in viewport coordinates.
    QRect closeLinkRect(const QTreeWidgetItem* group) const;

    // Widths of the five columns for a list of the given width: two shares of six for the
    // trace column and one for each value column, after the vertical scroll bar and 2 pixels,
    // but never narrower than a trace row's check box, swatch and name, or a value such as
    // "-00.00".
    std::vector<int> startColumnWidths(int listWidth) const;

    // Marks the row (-1 for none) and repaints.
    void setMarkedRow(int32_t row);

    int32_t markedRow = -1;
    QColor markBackColour;
    QColor markTextColour;

signals:
    // The user or the program changed the check box of the row.
    void rowCheckChanged(int32_t row);
    // The row was clicked away from its check box.
    void rowClicked(int32_t row);
    // The close link of measurement m's group was clicked.
    void closeLinkClicked(int32_t m);
    // The header of column 0 was clicked.
    void firstColumnHeaderClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void drawRow(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void onItemChanged(QTreeWidgetItem* item, int column);

    std::vector<QTreeWidgetItem*> rows;
    std::vector<QImage> swatchImages;
    QString linkText = QStringLiteral("[X]");
    QTreeWidgetItem* pressedItem = nullptr;
    Qt::CheckState pressedCheck = Qt::Unchecked;
};
