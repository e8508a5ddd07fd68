#include <QtTest>

#include "axissteps.h"

Q_DECLARE_METATYPE(AxisSpinner)

// The step rules of the four spinners and the unit change, on the view alone.
class AxisStepsTest : public QObject {
    Q_OBJECT
private slots:
    void stepsAndGuards_data();
    void stepsAndGuards();
    void automaticAxisNeverSteps_data();
    void automaticAxisNeverSteps();
    void zeroDeltaDoesNothing();
    void unitChangeKeepsTheRange();
};

namespace {

ZoomEntry manualView(double yMin, double yMax, double yStep, double xMin, double xMax, double xStep)
{
    ZoomEntry z;
    z.autoX = 0;
    z.autoY = 0;
    z.yMin = yMin;
    z.yMax = yMax;
    z.yStep = yStep;
    z.xMin = xMin;
    z.xMax = xMax;
    z.xStep = xStep;
    return z;
}

constexpr int upperArrow = -1;
constexpr int lowerArrow = 1;

} // namespace

void AxisStepsTest::stepsAndGuards_data()
{
    QTest::addColumn<AxisSpinner>("spinner");
    QTest::addColumn<int>("delta");
    QTest::addColumn<double>("step"); // used for both axes
    QTest::addColumn<bool>("changed");
    QTest::addColumn<double>("low"); // the axis' minimum after the step
    QTest::addColumn<double>("high"); // its maximum

    // Value axis 0..10 and frequency axis 0..10 (hertz) unless the step says otherwise.
    QTest::newRow("value max up") << AxisSpinner::valueMax << upperArrow << 5.0 << true << 0.0 << 15.0;
    QTest::newRow("value max down, 10 not above 0 + 2*5")
        << AxisSpinner::valueMax << lowerArrow << 5.0 << false << 0.0 << 10.0;
    QTest::newRow("value max down, 10 above 0 + 2*4")
        << AxisSpinner::valueMax << lowerArrow << 4.0 << true << 0.0 << 6.0;
    QTest::newRow("value min down has no limit")
        << AxisSpinner::valueMin << lowerArrow << 5.0 << true << -5.0 << 10.0;
    QTest::newRow("value min up, 0 not below 10 - 2*5")
        << AxisSpinner::valueMin << upperArrow << 5.0 << false << 0.0 << 10.0;
    QTest::newRow("value min up, 0 below 10 - 2*4")
        << AxisSpinner::valueMin << upperArrow << 4.0 << true << 4.0 << 10.0;
    QTest::newRow("frequency max up")
        << AxisSpinner::frequencyMax << upperArrow << 2.0 << true << 0.0 << 12.0;
    QTest::newRow("frequency max down, 10 not above 0 + 2*5")
        << AxisSpinner::frequencyMax << lowerArrow << 5.0 << false << 0.0 << 10.0;
    QTest::newRow("frequency max down, 10 above 0 + 2*3")
        << AxisSpinner::frequencyMax << lowerArrow << 3.0 << true << 0.0 << 7.0;
    QTest::newRow("frequency min below zero")
        << AxisSpinner::frequencyMin << lowerArrow << 3.0 << true << -3.0 << 10.0;
    QTest::newRow("frequency min up, 0 not below 10 - 2*5")
        << AxisSpinner::frequencyMin << upperArrow << 5.0 << false << 0.0 << 10.0;
    QTest::newRow("frequency min up, 0 below 10 - 2*3")
        << AxisSpinner::frequencyMin << upperArrow << 3.0 << true << 3.0 << 10.0;
}

void AxisStepsTest::stepsAndGuards()
{
    QFETCH(AxisSpinner, spinner);
    QFETCH(int, delta);
    QFETCH(double, step);
    QFETCH(bool, changed);
    QFETCH(double, low);
    QFETCH(double, high);

    ZoomEntry z = manualView(0, 10, step, 0, 10, step);
    QCOMPARE(stepAxisSpinner(z, spinner, delta), changed);
    const bool valueAxis = spinner == AxisSpinner::valueMax || spinner == AxisSpinner::valueMin;
    QCOMPARE(valueAxis ? z.yMin : z.xMin, low);
    QCOMPARE(valueAxis ? z.yMax : z.xMax, high);
    // The other axis never moves.
    QCOMPARE(valueAxis ? z.xMin : z.yMin, 0.0);
    QCOMPARE(valueAxis ? z.xMax : z.yMax, 10.0);
}

void AxisStepsTest::automaticAxisNeverSteps_data()
{
    QTest::addColumn<AxisSpinner>("spinner");
    QTest::addColumn<int>("autoY");
    QTest::addColumn<int>("autoX");
    QTest::addColumn<bool>("steps");
    QTest::newRow("value max, auto Y") << AxisSpinner::valueMax << 1 << 0 << false;
    QTest::newRow("value min, auto Y") << AxisSpinner::valueMin << 1 << 0 << false;
    QTest::newRow("value max, auto X only") << AxisSpinner::valueMax << 0 << 1 << true;
    QTest::newRow("frequency max, auto X") << AxisSpinner::frequencyMax << 0 << 1 << false;
    QTest::newRow("frequency min, auto X") << AxisSpinner::frequencyMin << 0 << 1 << false;
    QTest::newRow("frequency min, auto Y only") << AxisSpinner::frequencyMin << 1 << 0 << true;
}

void AxisStepsTest::automaticAxisNeverSteps()
{
    QFETCH(AxisSpinner, spinner);
    QFETCH(int, autoY);
    QFETCH(int, autoX);
    QFETCH(bool, steps);
    ZoomEntry z = manualView(0, 100, 10, 0, 100, 10);
    z.autoY = autoY;
    z.autoX = autoX;
    QCOMPARE(spinnerAxisManual(z, spinner), steps);
    const ZoomEntry before = z;
    // The arrow away from the other end always steps on a manual axis.
    const int away
        = spinner == AxisSpinner::valueMax || spinner == AxisSpinner::frequencyMax ? upperArrow : lowerArrow;
    QCOMPARE(stepAxisSpinner(z, spinner, away), steps);
    if (!steps) {
        QCOMPARE(z.yMin, before.yMin);
        QCOMPARE(z.yMax, before.yMax);
        QCOMPARE(z.xMin, before.xMin);
        QCOMPARE(z.xMax, before.xMax);
    }
}

void AxisStepsTest::zeroDeltaDoesNothing()
{
    ZoomEntry z = manualView(0, 100, 10, 0, 100, 10);
    for (AxisSpinner s : { AxisSpinner::valueMax, AxisSpinner::valueMin, AxisSpinner::frequencyMax,
             AxisSpinner::frequencyMin })
        QVERIFY(!stepAxisSpinner(z, s, 0));
    QCOMPARE(z.yMax, 100.0);
    QCOMPARE(z.xMin, 0.0);
}

void AxisStepsTest::unitChangeKeepsTheRange()
{
    // 100 to 200 MHz in steps of 10 MHz, read back from texts "100", "200", "10" after the unit
    // became GHz: 100 GHz .. 200 GHz until scaled by 1e6 / 1e9.
    ZoomEntry z = manualView(0, 1, 1, 100e9, 200e9, 10e9);
    keepFrequencyRange(z, 1e6, 1e9);
    QCOMPARE(z.xMin, 100e6);
    QCOMPARE(z.xMax, 200e6);
    QCOMPARE(z.xStep, 10e6);
    QCOMPARE(z.yMax, 1.0);
}

QTEST_APPLESS_MAIN(AxisStepsTest)
#include "axissteps_test.moc"
