#pragma once

#include <QTreeWidget>

#include <array>

// The readout strip over the chart: one row of six columns (frequency, maximum and its
// measurement, minimum and its measurement, difference), without header or scrolling. Its
// columns share the width in the proportions 1 : 2 : 5 : 2 : 5 : 2. While group delay is
// shown a seventh column holds its aperture, and the seven share the width as
// 1 : 3 : 4 : 3 : 4 : 3 : 5, the values taking more for their unit.
class StatsStrip : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int columnCount = 6;
    // The seventh column: the group delay aperture, there while it has a text.
    static constexpr int apertureColumn = 6;
    // The last column: the pass count, there while limits are open.
    static constexpr int passCountColumn = 7;
    // After it: the outcome of the last marker search, there while it has a text.
    static constexpr int searchColumn = 8;

    explicit StatsStrip(QWidget* parent = nullptr);

    // The widths of the columns for a strip of the given width: u = width / 17 - 1, then u,
    // 2u, 5u, 2u, 5u, 2u.
    static std::array<int, columnCount> columnWidths(int stripWidth);
    // The same with the aperture column: u = width / 23 - 1, then u, 3u, 4u, 3u, 4u, 3u, 5u.
    static std::array<int, columnCount + 1> apertureColumnWidths(int stripWidth);
    void sizeStatsColumns();

    // While the text is not empty ("47 of 50 pass" while limits are open), the last column
    // holds it, three units wide, and the others share what is left (u = width / 20 - 1).
    void setPassCount(const QString& text);
    // While the text is not empty (a search's maximum, minimum or bandwidth), the search
    // column holds it as wide as the text, up to three fifths of the strip, with the whole
    // text as its tool tip.
    void setSearchText(const QString& text);

    QString columnText(int column) const;
    void setColumnText(int column, const QString& text);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidgetItem* row;
    bool passCountShown = false;
    bool searchShown = false;
};
