#include <QtTest>

#include <QHeaderView>
#include <QSignalSpy>

#include "mlist.h"
#include "statsstrip.h"
#include "swatchimage.h"

// The file list widget on its own: row numbering, swatches, marking and the clicks it reports.
class MListTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rowsAreNumberedAcrossGroups();
    void rowsOutsideTheListAreHarmless();
    void swatchHasItsSquareAndBorder();
    void replacingASwatchRedrawsItsRows();
    void markedRowOnlyIsDrawnSelected();
    void clickOnRowReportsAndClickOnCheckBoxToggles();
    void closeLinkReportsItsMeasurement();
    void onlyCheckChangesAreReported();
    void narrowListStillShowsTraceNamesAndLinks();
    void firstHeaderClickIsReported();
    void statsColumnsShareTheWidth_data();
    void statsColumnsShareTheWidth();
    void statsApertureColumnTakesItsShare();

private:
    // Two groups: measurement 0 with rows of traces 0 and 2, measurement 1 with trace 10.
    void fillTwoGroups();
    QPoint rowPoint(int32_t row, int x) const;

    MList* list = nullptr;
};

void MListTest::init()
{
    list = new MList();
    list->setColumnCount(5);
    list->resize(300, 300);
    for (int c = 0; c < 5; ++c)
        list->setColumnWidth(c, c == 0 ? 80 : 40);
    std::vector<QColor> colours;
    for (int i = 0; i < 26; ++i)
        colours.push_back(QColor(i * 9, 255 - i * 9, 100));
    list->buildSwatches(colours);
    list->show();
    QVERIFY(QTest::qWaitForWindowExposed(list));
}

void MListTest::cleanup()
{
    delete list;
    list = nullptr;
}

void MListTest::fillTwoGroups()
{
    QTreeWidgetItem* first = list->addGroup(0, QStringLiteral("a.s2p"));
    list->addRow(first, QStringLiteral("S11M"), 0, true);
    list->addRow(first, QStringLiteral("S21M"), 2, false);
    QTreeWidgetItem* second = list->addGroup(1, QStringLiteral("b.s2p"));
    list->addRow(second, QStringLiteral("S21M"), 10, true);
    list->expandAll();
}

QPoint MListTest::rowPoint(int32_t row, int x) const
{
    const QRect r = list->visualItemRect(list->rowItem(row));
    return QPoint(x, r.center().y());
}

void MListTest::rowsAreNumberedAcrossGroups()
{
    fillTwoGroups();
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->itemData(0), 0);
    QCOMPARE(list->itemData(1), 2);
    QCOMPARE(list->itemData(2), 10);
    QCOMPARE(list->groupOfRow(1), 0);
    QCOMPARE(list->groupOfRow(2), 1);
    QVERIFY(list->rowChecked(0));
    QVERIFY(!list->rowChecked(1));
    QCOMPARE(list->rowOf(list->rowItem(2)), 2);
    QCOMPARE(list->rowOf(list->topLevelItem(1)), -1);
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("b.s2p"));
    list->clearRows();
    QCOMPARE(list->rowCount(), 0);
    QCOMPARE(list->topLevelItemCount(), 0);
}

void MListTest::rowsOutsideTheListAreHarmless()
{
    fillTwoGroups();
    for (int32_t row : { -1, 3, 1000 }) {
        QVERIFY(list->rowItem(row) == nullptr);
        QCOMPARE(list->itemData(row), -1);
        QCOMPARE(list->groupOfRow(row), -1);
        QVERIFY(!list->rowChecked(row));
        list->setRowChecked(row, true);
    }
    list->replaceSwatch(26, Qt::red);
    list->replaceSwatch(-1, Qt::red);
    QVERIFY(list->swatch(26).isNull());
}

void MListTest::swatchHasItsSquareAndBorder()
{
    const QColor colour(127, 0, 254);
    const QColor background(255, 255, 255);
    const QImage image = swatchImage(colour, background);
    QCOMPARE(image.size(), QSize(16, 16));
    // The square covers (2, 2) to (13, 13); everything around it is background.
    for (const QPoint p : { QPoint(2, 2), QPoint(13, 13), QPoint(2, 13), QPoint(7, 8) })
        QCOMPARE(image.pixelColor(p), colour);
    for (const QPoint p : { QPoint(1, 1), QPoint(14, 14), QPoint(1, 7), QPoint(15, 0), QPoint(7, 14) })
        QCOMPARE(image.pixelColor(p), background);
}

void MListTest::replacingASwatchRedrawsItsRows()
{
    fillTwoGroups();
    // Trace 10 has slot 10; a new colour of slot 10 shows in its row.
    list->replaceSwatch(10, QColor(1, 2, 3));
    QCOMPARE(list->swatch(10).pixelColor(5, 5), QColor(1, 2, 3));
    const QImage shot = list->viewport()->grab().toImage();
    const QRect row = list->visualItemRect(list->rowItem(2));
    int found = 0;
    for (int x = row.left(); x < row.left() + 80; ++x) {
        if (shot.pixelColor(x, row.center().y()) == QColor(1, 2, 3))
            ++found;
    }
    QVERIFY(found >= 6);
}

void MListTest::markedRowOnlyIsDrawnSelected()
{
    fillTwoGroups();
    list->markBackColour = QColor(10, 200, 30);
    // Row 0 is selected by the program, row 1 marked: only row 1 shows the marking colour.
    list->selectionModel()->select(list->indexFromItem(list->rowItem(0)), QItemSelectionModel::Select);
    list->setMarkedRow(1);
    const QImage shot = list->viewport()->grab().toImage();
    const int x = list->columnViewportPosition(3) + 4;
    QCOMPARE(shot.pixelColor(x, rowPoint(1, x).y()), QColor(10, 200, 30));
    QCOMPARE(shot.pixelColor(x, rowPoint(0, x).y()), list->palette().color(QPalette::Base));
    QCOMPARE(shot.pixelColor(x, rowPoint(2, x).y()), list->palette().color(QPalette::Base));
    // Marking row 0 marks none of the others' value columns.
    list->setMarkedRow(0);
    const QImage first = list->viewport()->grab().toImage();
    QCOMPARE(first.pixelColor(x, rowPoint(0, x).y()), QColor(10, 200, 30));
    QCOMPARE(first.pixelColor(x, rowPoint(1, x).y()), list->palette().color(QPalette::Base));
    QCOMPARE(first.pixelColor(x, rowPoint(2, x).y()), list->palette().color(QPalette::Base));
}

void MListTest::clickOnRowReportsAndClickOnCheckBoxToggles()
{
    fillTwoGroups();
    QSignalSpy clicks(list, &MList::rowClicked);
    QSignalSpy checks(list, &MList::rowCheckChanged);

    // Far right of column 0, on the trace name: a click, no toggle.
    const QRect name = list->visualItemRect(list->rowItem(2));
    QTest::mouseClick(
        list->viewport(), Qt::LeftButton, {}, rowPoint(2, name.left() + list->columnWidth(0) - 10));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), 2);
    QCOMPARE(checks.count(), 0);
    QVERIFY(list->rowChecked(2));

    // The check box sits at the left of the row: a toggle, no click.
    QStyleOptionViewItem option;
    option.initFrom(list);
    const int checkX
        = name.left() + 3 + list->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, list) / 2;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(2, checkX));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(checks.count(), 1);
    QCOMPARE(checks.at(0).at(0).toInt(), 2);
    QVERIFY(!list->rowChecked(2));
}

void MListTest::closeLinkReportsItsMeasurement()
{
    fillTwoGroups();
    QSignalSpy links(list, &MList::closeLinkClicked);
    QSignalSpy clicks(list, &MList::rowClicked);
    const QRect link = list->closeLinkRect(list->topLevelItem(1));
    QVERIFY(link.isValid());
    QCOMPARE(link.right(), list->visualItemRect(list->topLevelItem(1)).right());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, link.center());
    QCOMPARE(links.count(), 1);
    QCOMPARE(links.at(0).at(0).toInt(), 1);
    // The header's name is no link.
    const QRect header = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(header.left() + 30, header.center().y()));
    QCOMPARE(links.count(), 1);
    QCOMPARE(clicks.count(), 0);
}

void MListTest::onlyCheckChangesAreReported()
{
    fillTwoGroups();
    QSignalSpy checks(list, &MList::rowCheckChanged);
    list->rowItem(0)->setText(2, QStringLiteral("-3.5"));
    list->setRowChecked(0, true);
    QCOMPARE(checks.count(), 0);
    list->setRowChecked(0, false);
    QCOMPARE(checks.count(), 1);
}

void MListTest::narrowListStillShowsTraceNamesAndLinks()
{
    fillTwoGroups();
    // Far too narrow for shares of the width: the columns keep room for their contents.
    const std::vector<int> widths = list->startColumnWidths(60);
    QCOMPARE(int(widths.size()), 5);
    for (int c = 0; c < 5; ++c)
        list->setColumnWidth(c, widths[c]);
    const int nameWidth = list->fontMetrics().horizontalAdvance(QStringLiteral("S21M"));
    QVERIFY(widths[0] > list->indentation() + 2 * swatchSize + nameWidth);
    QVERIFY(widths[1] > list->fontMetrics().horizontalAdvance(QStringLiteral("-00.00")));

    // The name is drawn: dark text pixels right of the swatch in row 2.
    const QImage shot = list->viewport()->grab().toImage();
    const QRect row = list->visualItemRect(list->rowItem(2));
    int dark = 0;
    for (int x = row.left() + widths[0] - nameWidth - 8; x < row.left() + widths[0]; ++x) {
        for (int y = row.top(); y <= row.bottom(); ++y)
            dark += shot.pixelColor(x, y).lightness() < 100 ? 1 : 0;
    }
    QVERIFY(dark > 10);

    // Columns wider than the list: the close link stays in the visible part of the header.
    list->resize(120, 300);
    const QRect link = list->closeLinkRect(list->topLevelItem(0));
    QVERIFY(link.right() < list->viewport()->width());
    QVERIFY(link.left() > 0);
}

void MListTest::firstHeaderClickIsReported()
{
    QSignalSpy headers(list, &MList::firstColumnHeaderClicked);
    QHeaderView* header = list->header();
    const int y = header->height() / 2;
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, y));
    QCOMPARE(headers.count(), 0);
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, y));
    QCOMPARE(headers.count(), 1);
}

void MListTest::statsColumnsShareTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("unit");
    QTest::newRow("356 pixels") << 356 << 19; // 356 / 17 = 20, minus 1
    QTest::newRow("1000 pixels") << 1000 << 57; // 1000 / 17 = 58
    QTest::newRow("16 pixels") << 16 << -1;
}

void MListTest::statsColumnsShareTheWidth()
{
    QFETCH(int, width);
    QFETCH(int, unit);
    const std::array<int, 6> expected { unit, 2 * unit, 5 * unit, 2 * unit, 5 * unit, 2 * unit };
    QCOMPARE(StatsStrip::columnWidths(width), expected);
}

void MListTest::statsApertureColumnTakesItsShare()
{
    // 1000 / 23 = 43, minus 1.
    const std::array<int, 7> expected { 42, 126, 168, 126, 168, 126, 210 };
    QCOMPARE(StatsStrip::apertureColumnWidths(1000), expected);
    StatsStrip strip;
    strip.resize(1000, strip.sizeHint().height());
    strip.sizeStatsColumns();
    QCOMPARE(strip.columnWidth(StatsStrip::apertureColumn), 0);
    strip.setColumnText(StatsStrip::apertureColumn, QStringLiteral("aperture 5 points, 8 MHz"));
    QCOMPARE(strip.columnText(StatsStrip::apertureColumn), QStringLiteral("aperture 5 points, 8 MHz"));
    const std::array<int, 7> shown = StatsStrip::apertureColumnWidths(strip.viewport()->width());
    QCOMPARE(strip.columnWidth(StatsStrip::apertureColumn), shown[6]);
    QCOMPARE(strip.columnWidth(2), shown[2]);
    strip.setColumnText(StatsStrip::apertureColumn, QString());
    QCOMPARE(strip.columnWidth(StatsStrip::apertureColumn), 0);
    QCOMPARE(strip.columnWidth(2), StatsStrip::columnWidths(strip.viewport()->width())[2]);
}

QTEST_MAIN(MListTest)
#include "mlist_test.moc"
