#include <QtTest>

#include <QHeaderView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

#include "chartframe.h"
#include "controlstrip.h"
#include "csprelindlg.h"
#include "filelistcontroller.h"
#include "fileloading.h"
#include "windowpanes.h"
#include "dialogunits.h"
#include "mainmenu.h"
#include "mlist.h"
#include "settingspath.h"
#include "settingsrecord.h"
#include "splitterhandle.h"
#include "statsstrip.h"
#include "uitesting.h"
#include "windowservices.h"

// The main window's layouts: resizing, the splitter, the list width across runs and the
// Normal and Large graph layouts.
class WindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void statsColumnsShareTheStripWidth();
    void resizingGivesEveryChangeToTheChart();
    void shrinkingStopsAtTheChartLimitAndGrowingResumes();
    void splitterDragsWithTheMouse();
    void listWidthSurvivesARestart();
    void storedListWidthThatLeavesNoChartIsNotTaken();
    void largeGraphTwiceDoesNothingTheSecondTime();
    void resizeInLargeGraphKeepsTheSavedTops();

private:
    void openWindow(const QStringList& paths = {});
    // Resizes the client area by dx, dy and waits for the window to take it.
    void resizeClientBy(int dx, int dy);
    QAction* command(MenuCommand c) const { return window->mainMenu().action(c); }
    void sendMouse(QWidget* widget, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons);

    QString settingsPath;
    std::unique_ptr<QTemporaryDir> dir;
    ServiceLog log;
    std::unique_ptr<CSprelinDlg> window;
};

void WindowLayoutTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    settingsPath = QString::fromStdString(defaultSettingsPath());
    QVERIFY(!settingsPath.isEmpty());
}

void WindowLayoutTest::init()
{
    processSettings() = SettingsRecord();
    QFile::remove(settingsPath);
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void WindowLayoutTest::cleanup()
{
    window.reset();
    dir.reset();
    QFile::remove(settingsPath);
}

void WindowLayoutTest::openWindow(const QStringList& paths)
{
    window = std::make_unique<CSprelinDlg>(toStd(paths), loggingServices(log));
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void WindowLayoutTest::resizeClientBy(int dx, int dy)
{
    const QSize client = window->centralWidget()->size() + QSize(dx, dy);
    window->resize(window->size() + QSize(dx, dy));
    QTRY_COMPARE(window->centralWidget()->size(), client);
}

void WindowLayoutTest::sendMouse(
    QWidget* widget, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void WindowLayoutTest::statsColumnsShareTheStripWidth()
{
    openWindow();
    StatsStrip* stats = window->panes().stats;
    const QRect chart = window->panes().frame->geometry();
    // A strip whose inside is 356 pixels wide: u = 356 / 17 - 1 = 19.
    window->panes().moveSplitter(chart.left() + 356 + 2 * stats->frameWidth());
    QCOMPARE(stats->viewport()->width(), 356);
    const QList<int> expected { 19, 38, 95, 38, 95, 38 };
    for (int c = 0; c < 6; ++c)
        QCOMPARE(stats->columnWidth(c), expected[c]);

    // The strip follows the chart's width, and its columns follow the strip.
    QCOMPARE(stats->geometry().left(), window->panes().frame->geometry().left());
    QCOMPARE(stats->width(), window->panes().frame->width());
    resizeClientBy(170, 0);
    const int u = stats->viewport()->width() / 17 - 1;
    QCOMPARE(stats->columnWidth(2), 5 * u);
}

void WindowLayoutTest::resizingGivesEveryChangeToTheChart()
{
    openWindow({ writeTouchstone(dir->filePath("a.s2p"), sweepMHz(50, 300, 10), -20, -3) });
    const PaneLayout before = window->panes().current();
    const QRect strip = window->panes().strip->geometry();
    resizeClientBy(120, 80);
    const PaneLayout after = window->panes().current();
    QCOMPARE(after.chart, before.chart.adjusted(0, 0, 120, 80));
    QCOMPARE(after.stats, before.stats.adjusted(0, 0, 120, 0));
    QCOMPARE(after.list, before.list.translated(120, 0).adjusted(0, 0, 0, 80));
    QCOMPARE(window->panes().strip->geometry(), strip);
    QCOMPARE(window->panes().lastClientRect().size(), window->centralWidget()->size());
    // The chart was drawn for its new size.
    QCOMPARE(window->panes().frame->shownImage().size(), after.chart.size());
}

void WindowLayoutTest::shrinkingStopsAtTheChartLimitAndGrowingResumes()
{
    openWindow();
    const PaneLayout start = window->panes().current();
    const QRect startClient = window->panes().lastClientRect();
    const int chartWidth = start.chart.width();
    QWidget* client = window->centralWidget();

    // In the Large graph layout only the chart and the list bound the width: the window goes
    // down to a chart of 33 pixels and no further.
    window->panes().setLargeGraph();
    const PaneLayout large = window->panes().current();
    // The window takes its new smallest size with its next layout pass.
    QTest::qWait(20);
    window->resize(window->size() - QSize(chartWidth - 33, 0));
    QTRY_COMPARE(window->panes().frame->width(), 33);
    const PaneLayout narrowest = window->panes().current();
    const QRect narrowestClient = window->panes().lastClientRect();
    QCOMPARE(narrowestClient.width(), startClient.width() - (chartWidth - 33));
    window->resize(window->size() - QSize(40, 0));
    QTest::qWait(20);
    QCOMPARE(client->width(), narrowestClient.width());
    QVERIFY(window->panes().current() == narrowest);
    QCOMPARE(window->panes().lastClientRect(), narrowestClient);

    // Growing counts from the last accepted size: back to where it started.
    resizeClientBy(chartWidth - 33, 0);
    QVERIFY(window->panes().current() == large);
    QCOMPARE(window->panes().lastClientRect(), startClient);
    window->panes().setNormalLayout();
    QVERIFY(window->panes().current() == start);

    // In the Normal layout the control strip bounds it first and stays whole.
    window->resize(window->size() - QSize(chartWidth - 33, 0));
    QTest::qWait(20);
    QVERIFY(client->rect().contains(window->panes().strip->geometry()));
    QVERIFY(window->panes().frame->width() > 33);
    resizeClientBy(startClient.width() - client->width(), 0);
    QVERIFY(window->panes().current() == start);

    // The same limit for the height: a chart of 33 pixels, never 32.
    const int chartHeight = start.chart.height();
    resizeClientBy(0, -(chartHeight - 33));
    QCOMPARE(window->panes().frame->height(), 33);
    window->resize(window->size() - QSize(0, 1));
    QTest::qWait(20);
    QCOMPARE(window->panes().frame->height(), 33);
    QCOMPARE(window->panes().files->geometry(), window->panes().current().list);
    resizeClientBy(0, chartHeight - 33);
    QVERIFY(window->panes().current() == start);
}

void WindowLayoutTest::splitterDragsWithTheMouse()
{
    openWindow();
    SplitterHandle* handle = window->panes().splitter;
    const QRect chart = window->panes().frame->geometry();
    const int edge = chart.x() + chart.width();
    const int band = window->panes().frameWidth();
    // The band: frameWidth on each side of the chart's right edge, over the chart's height.
    QCOMPARE(handle->geometry(), QRect(edge - band, chart.y(), 2 * band, chart.height()));
    QVERIFY(handle->isVisible());
    QCOMPARE(handle->cursor().shape(), Qt::SizeHorCursor);

    const QPoint grip(band, chart.height() / 2);
    sendMouse(handle, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    // A move within half the band moves nothing.
    sendMouse(handle, QEvent::MouseMove, grip + QPoint(band / 2, 0), Qt::LeftButton);
    QCOMPARE(window->panes().frame->geometry(), chart);
    // Further, the edge follows the pointer.
    sendMouse(handle, QEvent::MouseMove, grip - QPoint(60, 0), Qt::LeftButton);
    QCOMPARE(window->panes().frame->geometry().width(), chart.width() - 60);
    QCOMPARE(window->panes().files->x(), edge - 60);
    QCOMPARE(window->panes().stats->width(), chart.width() - 60);
    sendMouse(handle, QEvent::MouseButtonRelease, grip - QPoint(60, 0), Qt::NoButton);
    // The band moved with the edge; moves without the button drag nothing.
    QCOMPARE(handle->geometry().x(), edge - 60 - band);
    sendMouse(handle, QEvent::MouseMove, grip - QPoint(30, 0), Qt::NoButton);
    QCOMPARE(window->panes().frame->geometry().width(), chart.width() - 60);
}

void WindowLayoutTest::listWidthSurvivesARestart()
{
    openWindow();
    // Without a settings file the list is 170 wide.
    QCOMPARE(window->panes().files->width(), 170);
    const QRect list = window->panes().files->geometry();
    window->panes().moveSplitter(list.x() + list.width() - 230);
    QCOMPARE(window->panes().files->width(), 230);
    window->panes().files->setColumnWidth(1, 77);
    QVERIFY(window->close());
    window.reset();

    processSettings() = SettingsRecord();
    openWindow();
    QCOMPARE(window->panes().files->width(), 230);
    QCOMPARE(window->panes().files->columnWidth(1), 77);
    const QRect chart = window->panes().frame->geometry();
    QCOMPARE(chart.x() + chart.width(), window->panes().files->x());
}

void WindowLayoutTest::storedListWidthThatLeavesNoChartIsNotTaken()
{
    openWindow();
    const int client = window->centralWidget()->width();
    QVERIFY(window->close());
    window.reset();

    // A list as wide as the whole client area would leave no chart.
    QDir().mkpath(QFileInfo(settingsPath).path());
    QFile file(settingsPath);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("[List]\nWidth<-1>=%1\n").arg(client).toUtf8());
    file.close();
    processSettings() = SettingsRecord();
    openWindow();
    // The list keeps the design's width of 172 units.
    QCOMPARE(window->panes().files->width(), DialogUnits(window->fontMetrics()).x(172));
    QVERIFY(window->panes().frame->width() > 32);
}

void WindowLayoutTest::largeGraphTwiceDoesNothingTheSecondTime()
{
    openWindow();
    const PaneLayout normal = window->panes().current();
    QVERIFY(window->panes().strip->isVisible());

    command(MenuCommand::largeGraph)->trigger();
    QCOMPARE(window->panes().largeGraph(), 1);
    QVERIFY(!window->panes().strip->isVisible());
    const PaneLayout large = window->panes().current();
    QCOMPARE(large.stats.top(), 0);
    QCOMPARE(large.chart.top(), normal.stats.height());
    QCOMPARE(large.list.top(), 0);
    QCOMPARE(large.chart.bottom(), normal.chart.bottom());
    QCOMPARE(large.list.bottom(), normal.list.bottom());
    QVERIFY(window->panes().files->isVisible() && window->panes().stats->isVisible());
    QVERIFY(window->menuBar()->isVisible());

    command(MenuCommand::largeGraph)->trigger();
    QVERIFY(window->panes().current() == large);
    QCOMPARE(window->panes().largeGraph(), 1);

    command(MenuCommand::normal)->trigger();
    QVERIFY(window->panes().current() == normal);
    QVERIFY(window->panes().strip->isVisible());
    QCOMPARE(window->panes().largeGraph(), 0);
    command(MenuCommand::normal)->trigger();
    QVERIFY(window->panes().current() == normal);
}

void WindowLayoutTest::resizeInLargeGraphKeepsTheSavedTops()
{
    openWindow();
    const PaneLayout normal = window->panes().current();
    command(MenuCommand::largeGraph)->trigger();
    resizeClientBy(30, 40);
    command(MenuCommand::normal)->trigger();
    const PaneLayout back = window->panes().current();
    QCOMPARE(back.chart, normal.chart.adjusted(0, 0, 30, 40));
    QCOMPARE(back.stats, normal.stats.adjusted(0, 0, 30, 0));
    QCOMPARE(back.list, normal.list.translated(30, 0).adjusted(0, 0, 0, 40));
}

QTEST_MAIN(WindowLayoutTest)
#include "windowlayout_test.moc"
