#include <QtTest>

#include "windowplacement.h"

// Where a window with a stored rectangle opens, for screens that come and go.
class WindowPlacementTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
};

using RectList = QList<QRect>;

void WindowPlacementTest::placement_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<RectList>("areas");
    QTest::addColumn<QRect>("primary");
    QTest::addColumn<QRect>("expected");

    const QRect left(0, 0, 1920, 1040);
    const QRect right(1920, 0, 1280, 984);

    QTest::newRow("on the primary screen")
        << QRect(100, 50, 800, 600) << RectList { left } << left << QRect(100, 50, 800, 600);
    QTest::newRow("on a second screen")
        << QRect(2000, 100, 800, 600) << RectList { left, right } << left << QRect(2000, 100, 800, 600);
    QTest::newRow("partly off the screen still shows")
        << QRect(1800, 900, 800, 600) << RectList { left } << left << QRect(1800, 900, 800, 600);
    // The second screen is gone: centred on the primary one, (1920 - 800) / 2 and (1040 - 600) / 2.
    QTest::newRow("second screen gone")
        << QRect(2000, 100, 800, 600) << RectList { left } << left << QRect(560, 220, 800, 600);
    QTest::newRow("screen to the left gone")
        << QRect(-1500, -300, 800, 600) << RectList { left } << left << QRect(560, 220, 800, 600);
    // Larger than the primary screen: shrunk to its area.
    QTest::newRow("too large for the primary")
        << QRect(5000, 0, 2500, 1400) << RectList { left } << left << QRect(0, 0, 1920, 1040);
    // A primary screen whose area does not start at the origin (a panel on the left).
    QTest::newRow("primary with an offset")
        << QRect(3000, 3000, 400, 300) << RectList { QRect(64, 0, 1856, 1080) } << QRect(64, 0, 1856, 1080)
        << QRect(64 + 728, 390, 400, 300);
    QTest::newRow("no screen known") << QRect(3000, 3000, 400, 300) << RectList {} << QRect()
                                     << QRect(3000, 3000, 400, 300);
}

void WindowPlacementTest::placement()
{
    QFETCH(QRect, stored);
    QFETCH(RectList, areas);
    QFETCH(QRect, primary);
    QFETCH(QRect, expected);
    QCOMPARE(placeOnScreens(stored, areas, primary), expected);
}

QTEST_APPLESS_MAIN(WindowPlacementTest)
#include "windowplacement_test.moc"
