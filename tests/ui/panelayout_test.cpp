#include <QtTest>

#include "panelayout.h"

// The pane rules on hand-worked rectangles: a strip of 600 x 20 at (6, 100), the chart of
// 600 x 400 under it from y 121, and the list of 170 x 421 to their right from x 606.
class PaneLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void resizing_data();
    void resizing();
    void splitting_data();
    void splitting();
    void largeGraphAndBack();
};

namespace {

PaneLayout base()
{
    return PaneLayout { QRect(6, 100, 600, 20), QRect(6, 121, 600, 400), QRect(606, 100, 170, 421) };
}

} // namespace

Q_DECLARE_METATYPE(PaneLayout)

void PaneLayoutTest::resizing_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<PaneLayout>("expected");
    QTest::newRow("grow") << 50 << 30 << true
                          << PaneLayout { QRect(6, 100, 650, 20), QRect(6, 121, 650, 430),
                                 QRect(656, 100, 170, 451) };
    QTest::newRow("shrink") << -100 << -50 << true
                            << PaneLayout { QRect(6, 100, 500, 20), QRect(6, 121, 500, 350),
                                   QRect(506, 100, 170, 371) };
    QTest::newRow("chart 33 wide") << -567 << 0 << true
                                   << PaneLayout { QRect(6, 100, 33, 20), QRect(6, 121, 33, 400),
                                          QRect(39, 100, 170, 421) };
    QTest::newRow("chart 32 wide") << -568 << 0 << false << PaneLayout();
    QTest::newRow("chart 33 high") << 0 << -367 << true
                                   << PaneLayout { QRect(6, 100, 600, 20), QRect(6, 121, 600, 33),
                                          QRect(606, 100, 170, 54) };
    QTest::newRow("chart 32 high") << 0 << -368 << false << PaneLayout();
    QTest::newRow("narrower but too low") << -10 << -400 << false << PaneLayout();
}

void PaneLayoutTest::resizing()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(bool, accepted);
    QFETCH(PaneLayout, expected);
    const std::optional<PaneLayout> moved = resizedPanes(base(), dx, dy);
    QCOMPARE(moved.has_value(), accepted);
    if (!accepted)
        return;
    QCOMPARE(moved->stats, expected.stats);
    QCOMPARE(moved->chart, expected.chart);
    QCOMPARE(moved->list, expected.list);
}

void PaneLayoutTest::splitting_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("chartWidth");
    QTest::addColumn<int>("listWidth");
    // The chart's right edge is at 606; half the band of 4 is 2.
    QTest::newRow("2 left of the edge") << 604 << false << 0 << 0;
    QTest::newRow("2 right of the edge") << 608 << false << 0 << 0;
    QTest::newRow("3 left of the edge") << 603 << true << 597 << 173;
    QTest::newRow("3 right of the edge") << 609 << true << 603 << 167;
    QTest::newRow("chart 33 wide") << 39 << true << 33 << 737;
    QTest::newRow("chart 32 wide") << 38 << false << 0 << 0;
    QTest::newRow("left of the window") << -50 << false << 0 << 0;
    QTest::newRow("beyond the list stops at its right edge") << 900 << true << 770 << 0;
}

void PaneLayoutTest::splitting()
{
    QFETCH(int, x);
    QFETCH(bool, accepted);
    QFETCH(int, chartWidth);
    QFETCH(int, listWidth);
    const std::optional<PaneLayout> moved = splitPanes(base(), x, 4);
    QCOMPARE(moved.has_value(), accepted);
    if (!accepted)
        return;
    QCOMPARE(moved->chart, QRect(6, 121, chartWidth, 400));
    QCOMPARE(moved->stats, QRect(6, 100, chartWidth, 20));
    QCOMPARE(moved->list, QRect(6 + chartWidth, 100, listWidth, 421));
}

void PaneLayoutTest::largeGraphAndBack()
{
    const PaneLayout large = largeGraphPanes(base());
    QCOMPARE(large.stats, QRect(6, 0, 600, 20));
    // The chart and the list keep their bottoms (520).
    QCOMPARE(large.chart, QRect(6, 20, 600, 501));
    QCOMPARE(large.list, QRect(606, 0, 170, 521));
    QVERIFY(normalPanes(large, 121, 100) == base());

    // Grown by 10 x 10 in Large graph, Normal keeps the new size from the saved tops.
    const PaneLayout normal = normalPanes(*resizedPanes(large, 10, 10), 121, 100);
    QCOMPARE(normal.stats, QRect(6, 100, 610, 20));
    QCOMPARE(normal.chart, QRect(6, 121, 610, 410));
    QCOMPARE(normal.list, QRect(616, 100, 170, 431));
}

QTEST_APPLESS_MAIN(PaneLayoutTest)
#include "panelayout_test.moc"
