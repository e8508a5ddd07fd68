#include <QtTest>

#include <QCheckBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <cmath>
#include <memory>

#include "axisspinbox.h"
#include "chartframe.h"
#include "chartmouse.h"
#include "controlstrip.h"
#include "axisedits.h"
#include "csprelindlg.h"
#include "filelistcontroller.h"
#include "fileloading.h"
#include "windowpanes.h"
#include "mlist.h"
#include "settingspath.h"
#include "settingsrecord.h"
#include "statsstrip.h"
#include "uitesting.h"
#include "windowservices.h"

// The mouse over the chart, driven with real Qt mouse and wheel events on the window.
class ChartMouseTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cursorReadsTheTracesAtItsColumn();
    void wheelZoomsInAndStepsBack();
    void bandZoomsTheSameInEitherDirection();
    void rightClickDuringABandOnlyCancelsIt();
    void middleButtonPans();
    void contextMenuInBothLanguages_data();
    void contextMenuInBothLanguages();
    void hideEntryHidesOneTrace();
    void markersFromShiftClickAndTheMenu();

private:
    // Two files of 50 to 300 MHz, S21 at -3 dB ("high") and -7 dB ("low") at 50 MHz, loaded
    // in that order.
    void openTwoFiles(double stepMHz = 10);
    void move(const QPoint& p, Qt::MouseButtons buttons = Qt::NoButton);
    void click(const QPoint& p, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {});
    void wheel(const QPoint& p, int delta);
    // The frame pixel row of a value on the value axis in force.
    int rowOf(double value) const;
    QString strip(int column) const { return window->panes().stats->columnText(column); }
    QString current(int32_t row) const { return window->panes().files->rowItem(row)->text(1); }
    ZoomEntry& view() const { return window->chartState().currentZoom(); }
    PixelRect plot() const { return window->chartState().chart.plotRect(); }
    ChartFrame* frame() const { return window->panes().frame; }

    QString settingsPath;
    std::unique_ptr<QTemporaryDir> dir;
    ServiceLog log;
    std::unique_ptr<CSprelinDlg> window;
};

namespace {

bool sameView(const ZoomEntry& a, const ZoomEntry& b)
{
    return a.xMin == b.xMin && a.xMax == b.xMax && a.yMin == b.yMin && a.yMax == b.yMax && a.xStep == b.xStep
        && a.yStep == b.yStep && a.autoX == b.autoX && a.autoY == b.autoY;
}

} // namespace

void ChartMouseTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    settingsPath = QString::fromStdString(defaultSettingsPath());
}

void ChartMouseTest::init()
{
    processSettings() = SettingsRecord();
    QFile::remove(settingsPath);
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    log = ServiceLog();
}

void ChartMouseTest::cleanup()
{
    window.reset();
    dir.reset();
    QFile::remove(settingsPath);
}

void ChartMouseTest::openTwoFiles(double stepMHz)
{
    window = std::make_unique<CSprelinDlg>(std::vector<std::string>(), loggingServices(log));
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const std::vector<double> freqs = sweepMHz(50, 300, stepMHz);
    window->loading().openPaths({ writeTouchstone(dir->filePath("high.s2p"), freqs, -20, -3) });
    window->loading().openPaths({ writeTouchstone(dir->filePath("low.s2p"), freqs, -20, -7) });
    QCOMPARE(window->panes().files->rowCount(), 2);
    QVERIFY(plot().right > 400 && plot().bottom > 300);
}

void ChartMouseTest::move(const QPoint& p, Qt::MouseButtons buttons)
{
    QMouseEvent event(QEvent::MouseMove, p, frame()->mapToGlobal(p), Qt::NoButton, buttons, {});
    QApplication::sendEvent(frame(), &event);
}

void ChartMouseTest::click(const QPoint& p, Qt::MouseButton button, Qt::KeyboardModifiers keys)
{
    QTest::mouseClick(frame(), button, keys, p);
}

void ChartMouseTest::wheel(const QPoint& p, int delta)
{
    QWheelEvent event(
        p, frame()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(frame(), &event);
}

int ChartMouseTest::rowOf(double value) const
{
    const PixelRect p = plot();
    return static_cast<int>(
        std::lround(p.bottom - (value - view().yMin) * p.height() / (view().yMax - view().yMin)));
}

void ChartMouseTest::cursorReadsTheTracesAtItsColumn()
{
    openTwoFiles();
    const TraceBuffers& buffers = window->chartState().buffers;
    QCOMPARE(buffers.pointCount, 26);
    const int32_t frameWidth = window->panes().frameWidth();
    // The last pixels of the plot lie under the splitter's band.
    const struct {
        int x;
        QString frequency;
        double shift; // of both S21 values from their start, in dB
    } edges[] = { { plot().left, "50", 0 }, { plot().right - frameWidth - 1, "300", 250 * s21SlopePerMHz } };
    for (const auto& e : edges) {
        move(QPoint(e.x, rowOf(-4 + e.shift)));
        QCOMPARE(strip(0), e.frequency);
        QCOMPARE(current(0), QString::asprintf("%5.4g", -3 + e.shift));
        QCOMPARE(current(1), QString::asprintf("%5.4g", -7 + e.shift));
        QCOMPARE(strip(1), QString::asprintf("Max: %5.4g", -3 + e.shift));
        QCOMPARE(strip(2), QStringLiteral("high"));
        QCOMPARE(strip(3), QString::asprintf("Min: %5.4g", -7 + e.shift));
        QCOMPARE(strip(4), QStringLiteral("low"));
        QCOMPARE(strip(5), QStringLiteral("Diff:     4"));
        QCOMPARE(window->panes().files->markedRow, 0);
        QCOMPARE(window->chartMouse().hoverRow(), 0);
    }
    // The cursor line stands on the grid point's column, not on the pointer.
    const int x = plot().left + 3 * plot().width() / 25 + 4;
    move(QPoint(x, rowOf(-4)));
    QCOMPARE(strip(0), QStringLiteral("80"));
    const int column = buffers.pixelColumn[3];
    QVERIFY(column != x);
    QCOMPARE(frame()->shownImage().pixelColor(column, plot().top + 3), QColor(Qt::black));
    QCOMPARE(frame()->shownImage().pixelColor(x, plot().top + 3), QColor(Qt::white));

    // Nearer the low trace, that row is marked; a hidden trace drops out of everything.
    move(QPoint(plot().left, rowOf(-6.5)));
    QCOMPARE(window->panes().files->markedRow, 1);
    window->panes().files->setRowChecked(0, false);
    move(QPoint(plot().left + 1, rowOf(-7)));
    QCOMPARE(current(0), QString());
    QCOMPARE(strip(1), QStringLiteral("Max:    -7"));
    QCOMPARE(strip(5), QStringLiteral("Diff:     0"));
    QCOMPARE(window->panes().files->markedRow, 1);
}

void ChartMouseTest::wheelZoomsInAndStepsBack()
{
    openTwoFiles(0.25);
    ControlStrip* strip = window->panes().strip;
    const ZoomEntry start = view();
    const QPoint at(plot().left + 150, plot().top + 100);
    for (int i = 0; i < 10; ++i)
        wheel(at, 120);
    QCOMPARE(window->chartState().zoomList.itemCount, 11);
    QVERIFY(view().xMax - view().xMin < (start.xMax - start.xMin) * 0.12);
    QVERIFY(!strip->autoXBox->isChecked() && !strip->autoYBox->isChecked());
    QCOMPARE(strip->xMinEdit->text(), QString::fromStdString(formatAxisEdits(view(), 1e6).xMin));
    QCOMPARE(strip->yMaxEdit->text(), QString::fromStdString(formatAxisEdits(view(), 1e6).yMax));
    // A touchpad's small deltas add up to one step.
    for (int i = 0; i < 3; ++i)
        wheel(at, -40);
    QCOMPARE(window->chartState().zoomList.itemCount, 10);
    for (int i = 0; i < 9; ++i)
        wheel(at, -120);
    QVERIFY(sameView(view(), start));
    QVERIFY(strip->autoXBox->isChecked() && strip->autoYBox->isChecked());
    wheel(at, -120);
    QCOMPARE(view().autoX, 1);
    QCOMPARE(view().autoY, 1);
    QCOMPARE(view().xMin, 50e6);
    QCOMPARE(view().xMax, 300e6);
}

void ChartMouseTest::bandZoomsTheSameInEitherDirection()
{
    openTwoFiles(0.25);
    const QPoint a(100, 50);
    const QPoint b(300, 200);
    const auto band = [this](const QPoint& from, const QPoint& to) {
        click(from);
        move(to);
        QVERIFY(window->chartMouse().zoomDrag().zoomMode == 1);
        // The band's outline is drawn over the chart.
        QCOMPARE(frame()->shownImage().pixelColor(to.x(), (from.y() + to.y()) / 2), QColor(Qt::black));
        click(to);
        QCOMPARE(window->chartMouse().zoomDrag().zoomMode, 0);
    };
    band(b, a);
    const ZoomEntry first = view();
    QCOMPARE(window->chartState().zoomList.itemCount, 2);
    QVERIFY(first.xMin > 50e6 && first.xMax < 300e6);
    click(a, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(window->chartState().zoomList.itemCount, 1);
    band(a, b);
    QVERIFY(sameView(view(), first));
}

void ChartMouseTest::rightClickDuringABandOnlyCancelsIt()
{
    openTwoFiles();
    move(QPoint(200, 100));
    const ZoomEntry start = view();
    click(QPoint(200, 100));
    move(QPoint(300, 200));
    click(QPoint(300, 200), Qt::RightButton);
    QCOMPARE(window->chartMouse().zoomDrag().zoomMode, 0);
    QVERIFY(log.menuTexts.isEmpty());
    QVERIFY(sameView(view(), start));
    QCOMPARE(window->chartState().zoomList.itemCount, 1);
    // The cursor line replaces the band.
    QCOMPARE(frame()->shownImage().pixelColor(250, 200), QColor(Qt::white));
    click(QPoint(300, 200), Qt::RightButton);
    QCOMPARE(log.menuTexts.size(), 1);
}

void ChartMouseTest::middleButtonPans()
{
    openTwoFiles(0.25);
    const ZoomEntry start = view();
    const QPoint from(300, 150);
    QTest::mousePress(frame(), Qt::MiddleButton, {}, from);
    move(from + QPoint(40, 0), Qt::MiddleButton);
    QTest::mouseRelease(frame(), Qt::MiddleButton, {}, from + QPoint(40, 0));
    QVERIFY(view().xMin < start.xMin);
    QCOMPARE(view().xMax - view().xMin, start.xMax - start.xMin);
    QCOMPARE(window->chartState().zoomList.itemCount, 1);
    QVERIFY(!window->panes().strip->autoXBox->isChecked());
}

void ChartMouseTest::contextMenuInBothLanguages_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("English") << 1
                             << QStringList { "Open file", "", "Hide 'high->S21M'", "Color 'high->S21M'", "",
                                    "Close 'high'", "", "Add marker here", "Marker at the maximum",
                                    "Marker at the minimum", "\u22123 dB bandwidth" };
    QTest::newRow("Russian") << 0
                             << QStringList { "Открыть файл", "", "Выкл. 'high->S21M'", "Цвет  'high->S21M'",
                                    "", "Закрыть файл 'high'", "", "Поставить маркер", "Маркер на максимум",
                                    "Маркер на минимум", "Полоса по уровню \u22123 дБ" };
}

void ChartMouseTest::contextMenuInBothLanguages()
{
    QFETCH(int, language);
    QFETCH(QStringList, texts);
    openTwoFiles();
    window->setLanguage(languageOf(language));
    // No trace read yet: no menu.
    click(QPoint(200, 100), Qt::RightButton);
    QVERIFY(log.menuTexts.isEmpty());
    move(QPoint(200, rowOf(-3.5)));
    click(QPoint(200, rowOf(-3.5)), Qt::RightButton);
    QCOMPARE(log.menuTexts.size(), 1);
    QCOMPARE(log.menuTexts[0], texts);
    QCOMPARE(log.menuCommands[0], (QList<int> { 1025, 0, 1026, 1027, 0, 1028, 0, 32871, 32872, 32873, 32874 }));
    // The window's background around the panes opens it too.
    QWidget* client = window->centralWidget();
    const QPoint background(1, client->height() - 1);
    QCOMPARE(client->childAt(background), nullptr);
    QTest::mouseClick(client, Qt::RightButton, {}, background);
    QCOMPARE(log.menuTexts.size(), 2);
}

void ChartMouseTest::hideEntryHidesOneTrace()
{
    openTwoFiles();
    move(QPoint(200, rowOf(-6.5)));
    log.menuChoice = 1026;
    click(QPoint(200, rowOf(-6.5)), Qt::RightButton);
    MList* list = window->panes().files;
    QVERIFY(list->rowChecked(0));
    QVERIFY(!list->rowChecked(1));
    QVERIFY(window->chartState().traceVisible(S21M));
    QVERIFY(!window->chartState().traceVisible(tracesPerMeasurement + S21M));
    QVERIFY(window->panes().strip->traceBoxes[S21M]->isChecked());
    // The hidden trace is gone from the chart: only the high trace's colour is left.
    QCOMPARE(countPixels(frame()->shownImage(), QColor(254, 0, 127)), 0);
    QVERIFY(countPixels(frame()->shownImage(), QColor(254, 0, 0)) > 0);
}

void ChartMouseTest::markersFromShiftClickAndTheMenu()
{
    openTwoFiles();
    const int lineCount = countPixels(frame()->shownImage(), QColor(70, 70, 70));
    MList* list = window->panes().files;
    const ChartState& state = window->chartState();
    move(QPoint(250, rowOf(-3)));
    const double cursorMHz = strip(0).toDouble();
    click(QPoint(250, rowOf(-3)), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(state.markers.numbers(), (std::vector<int32_t> { 1 }));
    QCOMPARE(state.markers.frequency(1), cursorMHz * 1e6);
    QCOMPARE(list->columnCount(), MList::plainColumnCount + 1);
    QCOMPARE(list->headerItem()->text(MList::plainColumnCount), QStringLiteral("M1 %1 MHz").arg(cursorMHz));
    const double fall = s21SlopePerMHz * (cursorMHz - 50);
    QCOMPARE(list->rowItem(0)->text(MList::plainColumnCount), QString::asprintf("%5.4g", -3 + fall));
    QCOMPARE(list->rowItem(1)->text(MList::plainColumnCount), QString::asprintf("%5.4g", -7 + fall));
    QVERIFY(countPixels(frame()->shownImage(), QColor(70, 70, 70)) > lineCount);

    // The falling trace peaks at its first point and is 3 dB down 3 / 0.02 = 150 MHz above it.
    move(QPoint(200, rowOf(-3)));
    log.menuChoice = 32872;
    click(QPoint(200, rowOf(-3)), Qt::RightButton);
    QCOMPARE(state.markers.frequency(2), 50e6);
    QCOMPARE(strip(StatsStrip::searchColumn), QStringLiteral("Max: -3 at 50 MHz (high->S21M)"));
    log.menuChoice = 32874;
    click(QPoint(200, rowOf(-3)), Qt::RightButton);
    QCOMPARE(state.markers.numbers().size(), size_t(3));
    QCOMPARE(state.markers.frequency(3), 200e6);
    QCOMPARE(strip(StatsStrip::searchColumn),
        QStringLiteral("\u22123 dB: centre none, BW none, Q none; none - 200 MHz (high->S21M)"));
    QCOMPARE(list->columnCount(), MList::plainColumnCount + 3);
}

QTEST_MAIN(ChartMouseTest)
#include "chartmouse_test.moc"
