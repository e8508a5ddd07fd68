#include <QtTest>

#include <QAction>
#include <QActionGroup>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

#include "chartframe.h"
#include "csprelindlg.h"
#include "delayaperturedlg.h"
#include "mainmenu.h"
#include "mlist.h"
#include "settingspath.h"
#include "settingsrecord.h"
#include "statsstrip.h"
#include "uitesting.h"
#include "windowpanes.h"
#include "windowservices.h"

// View > Phase, Unwrapped phase, Group delay and Group delay aperture... on the window: the
// radio group and the dialog, what the settings file keeps of them, and the units and the
// aperture that the file list and the readout strip show.
class PhaseMenuTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void phaseModesAreOneChoiceKeptInTheSettingsFile();
    void apertureDialogSetsTheApertureAndCancelKeepsIt();
    void delayRowsAndTheStripCarryTheUnitAndTheAperture();

private:
    void writeSettingsFile(const QString& general);
    // A delay line of 2.5 ns, 1000 to 2000 MHz in 10 MHz steps, S21 at -1 dB.
    QString delayLine();
    void openWindow(const QStringList& paths = {});
    QAction* command(MenuCommand c) const { return window->mainMenu().action(c); }
    // Runs the aperture command and meanwhile acts on its dialog; false when none opened.
    bool withApertureDialog(const std::function<void(DelayApertureDlg*)>& act);
    void moveOverChart();
    QString settingsText() const;

    QString settingsPath;
    std::unique_ptr<QTemporaryDir> dir;
    ServiceLog log;
    std::unique_ptr<CSprelinDlg> window;
};

void PhaseMenuTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    settingsPath = QString::fromStdString(defaultSettingsPath());
    QVERIFY(!settingsPath.isEmpty());
}

void PhaseMenuTest::init()
{
    processSettings() = SettingsRecord();
    QFile::remove(settingsPath);
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    log = ServiceLog();
}

void PhaseMenuTest::cleanup()
{
    window.reset();
    dir.reset();
    QFile::remove(settingsPath);
}

void PhaseMenuTest::writeSettingsFile(const QString& general)
{
    QDir().mkpath(QFileInfo(settingsPath).path());
    QFile file(settingsPath);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(("[General]\n" + general + "\n").toUtf8());
}

QString PhaseMenuTest::delayLine()
{
    std::vector<TouchstoneLine> lines;
    for (const double f : sweepMHz(1000, 2000, 10)) {
        const double angle = std::remainder(-360 * f * 1e6 * 2.5e-9, 360);
        lines.push_back({ f, { -20, 2 * angle, -1, angle, -1, angle, -20, 2 * angle } });
    }
    const QString path = dir->filePath(QStringLiteral("line.s2p"));
    return writeAll(path.toStdString(), touchstoneText("MHz S DB R 50", lines)) ? path : QString();
}

void PhaseMenuTest::openWindow(const QStringList& paths)
{
    window = std::make_unique<CSprelinDlg>(toStd(paths), loggingServices(log));
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

bool PhaseMenuTest::withApertureDialog(const std::function<void(DelayApertureDlg*)>& act)
{
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<DelayApertureDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        seen = true;
        act(dialog);
    });
    command(MenuCommand::delayAperture)->trigger();
    return seen;
}

void PhaseMenuTest::moveOverChart()
{
    const PixelRect plot = window->chartState().chart.plotRect();
    const QPoint p((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
    ChartFrame* frame = window->panes().frame;
    QMouseEvent event(QEvent::MouseMove, p, frame->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(frame, &event);
}

QString PhaseMenuTest::settingsText() const
{
    QFile file(settingsPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void PhaseMenuTest::phaseModesAreOneChoiceKeptInTheSettingsFile()
{
    // A mode and an aperture that mean none start as the defaults.
    writeSettingsFile(QStringLiteral("S21m=0\nS21a=1\nPhaseMode=5\nDelayAperture=8"));
    openWindow({ delayLine() });
    const ChartState& state = window->chartState();
    QCOMPARE(state.delayAperture, 5);
    QAction* wrapped = command(MenuCommand::wrappedPhase);
    QAction* unwrapped = command(MenuCommand::unwrappedPhase);
    QAction* delay = command(MenuCommand::groupDelay);
    QVERIFY(wrapped->isChecked() && !unwrapped->isChecked() && !delay->isChecked());

    delay->trigger();
    QCOMPARE(state.phaseMode, PhaseDelay);
    QCOMPARE(processSettings().PhaseMode, 2);
    QVERIFY(!wrapped->isChecked() && !unwrapped->isChecked() && delay->isChecked());
    // Redrawn in the mode: 2.5 ns on every point.
    QCOMPARE(state.buffers.phase.mode, PhaseDelay);
    QCOMPARE(state.buffers.phase.delayExponent, -9);
    QVERIFY(std::abs(state.buffers.traceValues[S21A][10] - 2.5) < 1e-3);

    // Choosing the mode in force again keeps its mark.
    unwrapped->trigger();
    unwrapped->trigger();
    QCOMPARE(state.phaseMode, PhaseUnwrapped);
    QVERIFY(!wrapped->isChecked() && unwrapped->isChecked() && !delay->isChecked());
    QVERIFY(state.buffers.traceValues[S21A][state.buffers.pointCount - 1] < -700);

    delay->trigger();
    window->close();
    QVERIFY(settingsText().contains(QStringLiteral("PhaseMode=2\n")));
    QVERIFY(settingsText().contains(QStringLiteral("DelayAperture=5\n")));
}

void PhaseMenuTest::apertureDialogSetsTheApertureAndCancelKeepsIt()
{
    writeSettingsFile(QStringLiteral("S21m=0\nS21a=1\nPhaseMode=2"));
    openWindow({ delayLine() });
    const ChartState& state = window->chartState();
    QCOMPARE(state.buffers.phase.aperture, 5);

    QString width;
    QVERIFY(withApertureDialog([&](DelayApertureDlg* dialog) {
        QCOMPARE(dialog->aperture(), 5);
        auto* points = dialog->findChild<QSpinBox*>(QStringLiteral("pointsBox"));
        points->setValue(9);
        width = dialog->widthText();
        dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    }));
    // The width on the loaded measurement's 10 MHz steps.
    QCOMPARE(width, QStringLiteral("aperture 9 points, 80 MHz"));
    QCOMPARE(state.delayAperture, 9);
    QCOMPARE(processSettings().DelayAperture, 9);
    QCOMPARE(state.buffers.phase.aperture, 9);
    QCOMPARE(state.buffers.phase.apertureHigh, 80e6);

    QVERIFY(withApertureDialog([&](DelayApertureDlg* dialog) {
        QCOMPARE(dialog->aperture(), 9);
        dialog->findChild<QSpinBox*>(QStringLiteral("pointsBox"))->setValue(21);
        dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    }));
    QCOMPARE(state.delayAperture, 9);
    window->close();
    QVERIFY(settingsText().contains(QStringLiteral("DelayAperture=9\n")));
}

void PhaseMenuTest::delayRowsAndTheStripCarryTheUnitAndTheAperture()
{
    writeSettingsFile(QStringLiteral("S21m=1\nS21a=1"));
    openWindow({ delayLine() });
    MList* list = window->panes().files;
    StatsStrip* strip = window->panes().stats;
    QCOMPARE(list->rowCount(), 2);
    moveOverChart();
    QVERIFY(strip->columnText(StatsStrip::apertureColumn).isEmpty());
    QVERIFY(!list->rowItem(1)->text(1).contains(QStringLiteral("ns")));
    const int stripWidth = strip->columnWidth(2);

    command(MenuCommand::groupDelay)->trigger();
    // Min, Max and Flatness of the delay row carry its unit; the magnitude row's do not.
    QCOMPARE(list->rowItem(1)->text(2), QStringLiteral("  2.5 ns"));
    QVERIFY(list->rowItem(1)->text(4).endsWith(QStringLiteral(" ns")));
    QVERIFY(!list->rowItem(0)->text(2).contains(QStringLiteral("ns")));
    moveOverChart();
    QCOMPARE(list->rowItem(1)->text(1), QStringLiteral("  2.5 ns"));
    QCOMPARE(strip->columnText(StatsStrip::apertureColumn), QStringLiteral("aperture 5 points, 40 MHz"));
    QVERIFY(strip->columnWidth(2) < stripWidth); // the aperture takes its share

    window->setLanguage(Language::russian);
    QCOMPARE(list->rowItem(1)->text(2), QString::fromUtf8("  2.5 нс"));
    moveOverChart();
    QCOMPARE(strip->columnText(StatsStrip::apertureColumn), QString::fromUtf8("апертура 5 точек, 40 МГц"));

    command(MenuCommand::wrappedPhase)->trigger();
    moveOverChart();
    QVERIFY(strip->columnText(StatsStrip::apertureColumn).isEmpty());
    QCOMPARE(strip->columnWidth(2), stripWidth);
    QVERIFY(!list->rowItem(1)->text(2).contains(QString::fromUtf8("нс")));
}

QTEST_MAIN(PhaseMenuTest)
#include "phasemenu_test.moc"
