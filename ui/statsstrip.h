#pragma once

#include <QTreeWidget>

#include <array>

// The readout strip over the chart: one row of six columns (frequency, maximum and its
// measurement, minimum and its measurement, difference), without header or scrolling. Its
// columns share the width in the proportions 1 : 2 : 5 : 2 : 5 : 2.
class StatsStrip : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int columnCount = 6;

    explicit StatsStrip(QWidget* parent = nullptr);

    // The widths of the columns for a strip of the given width: u = width / 17 - 1, then u,
    // 2u, 5u, 2u, 5u, 2u.
    static std::array<int, columnCount> columnWidths(int stripWidth);
    void sizeStatsColumns();

    // While the text is not empty ("47 of 50 pass" while limits are open), a seventh column
    // holds it, three units wide, and the six share what is left (u = width / 20 - 1).
    void setPassCount(const QString& text);

    QString columnText(int column) const;
    void setColumnText(int column, const QString& text);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidgetItem* row;
    bool passCountShown = false;
};
