#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>

#include <cmath>
#include <functional>
#include <memory>

#include "caboutdlg.h"
#include "chartframe.h"
#include "closefilesdlg.h"
#include "controlstrip.h"
#include "csprelindlg.h"
#include "filelistcontroller.h"
#include "fileloading.h"
#include "loader.h"
#include "mainmenu.h"
#include "mlist.h"
#include "settingspath.h"
#include "settingsrecord.h"
#include "uitesting.h"
#include "windowpanes.h"
#include "windowservices.h"

// The menu bar, the language switch and the commands behind the menus, driven through the
// window with its desktop services replaced.
class MenusTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuBarHoldsTheCommandsInOrder_data();
    void menuBarHoldsTheCommandsInOrder();
    void shortcuts();
    void switchingLanguageChangesEveryTextAndKeepsTheUnit();
    void otherLanguageValuesAreEnglish();
    void qtDialogsTakeTheLanguage();
    void checkMarksFollowTheState();
    void alwaysOnTopNeitherMovesNorHides();
    void smoothingRedrawsWithTheNewSetting();

    void closingKeepsTheReferenceOnItsMeasurement();
    void closingTheReferenceClearsIt();
    void closingMovesHiddenTracesWithTheirMeasurement();
    void closeLinkPreselectsItsMeasurement();
    void rereadAfterClosingAFilesFirstViewKeepsItsOtherViews();
    void fileCloseHasNoPreselectionAndCancelChangesNothing();

    void aboutShowsTheSixLinesOfTheLanguage_data();
    void aboutShowsTheSixLinesOfTheLanguage();

    void averagedS2PWritesAFileThatReadsBack();
    void averagedS2PNamesTheMeasurementsThatDoNotCoverItsRange();
    void averagedS2PReportsAFileThatCannotBeWritten_data();
    void averagedS2PReportsAFileThatCannotBeWritten();
    void averagedS2PAsksNothingWithoutMeasurementsOrWhenCancelled();

    void chartImageIsSavedInTheFormatOfItsName_data();
    void chartImageIsSavedInTheFormatOfItsName();
    void chartImageThatCannotBeWrittenIsReported();
    void copyingPutsTheImageAndTheTableOnTheClipboard();
    void ctrlCInAnEditBoxCopiesItsText();

    void exportWritesAWorkbookAndOpensIt();
    void exportReportsWhenNothingCanOpenTheWorkbook_data();
    void exportReportsWhenNothingCanOpenTheWorkbook();
    void exportReportsAFolderThatTakesNoFile_data();
    void exportReportsAFolderThatTakesNoFile();
    void exportLeavesNothingWhenTheWriterFails();

private:
    void writeSettingsFile(const QString& general);
    void openWindow(const QStringList& paths = {});
    // Opens the window and loads the files one at a time, so that they keep this order.
    void openInOrder(const QStringList& paths);
    QString sample(const QString& name, double s21dB = -3);
    QAction* command(MenuCommand c) const { return window->mainMenu().action(c); }
    // Runs the command, and meanwhile acts on the close-files dialog it opens.
    void withCloseDialog(const std::function<void()>& run, const std::function<void(CloseFilesDlg*)>& act);
    void selectInDialog(CloseFilesDlg* dialog, const QList<int>& rows);
    void chooseReference(int32_t m);
    QStringList measurementNames() const;
    QStringList temporaryFiles() const;

    QString settingsPath;
    QByteArray savedTmpDir;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QTemporaryDir> tmp;
    ServiceLog log;
    std::unique_ptr<CSprelinDlg> window;
    ControlStrip* strip = nullptr;
};

void MenusTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    settingsPath = QString::fromStdString(defaultSettingsPath());
    QVERIFY(!settingsPath.isEmpty());
    savedTmpDir = qgetenv("TMPDIR");
}

void MenusTest::init()
{
    processSettings() = SettingsRecord();
    QFile::remove(settingsPath);
    dir = std::make_unique<QTemporaryDir>();
    tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid() && tmp->isValid());
    // The export's temporary folder, empty for each case.
    qputenv("TMPDIR", QFile::encodeName(tmp->path()));
    log = ServiceLog();
}

void MenusTest::cleanup()
{
    window.reset();
    strip = nullptr;
    if (savedTmpDir.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmpDir);
    tmp.reset();
    dir.reset();
    QFile::remove(settingsPath);
}

void MenusTest::writeSettingsFile(const QString& general)
{
    QDir().mkpath(QFileInfo(settingsPath).path());
    QFile file(settingsPath);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(("[General]\n" + general + "\n").toUtf8());
}

void MenusTest::openWindow(const QStringList& paths)
{
    window = std::make_unique<CSprelinDlg>(toStd(paths), loggingServices(log));
    strip = window->panes().strip;
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void MenusTest::openInOrder(const QStringList& paths)
{
    openWindow();
    for (const QString& path : paths)
        window->loading().openPaths({ path });
}

QString MenusTest::sample(const QString& name, double s21dB)
{
    return writeTouchstone(dir->filePath(name), sweepMHz(50, 300, 10), -20, s21dB);
}

void MenusTest::withCloseDialog(
    const std::function<void()>& run, const std::function<void(CloseFilesDlg*)>& act)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(5);
    int tries = 0;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<CloseFilesDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (++tries > 400)
                poll.stop();
            return;
        }
        poll.stop();
        seen = true;
        act(dialog);
    });
    poll.start();
    run();
    QVERIFY2(seen, "the close-files dialog did not open");
}

void MenusTest::selectInDialog(CloseFilesDlg* dialog, const QList<int>& rows)
{
    auto* list = dialog->findChild<QListWidget*>(QStringLiteral("closeList"));
    list->clearSelection();
    for (int row : rows)
        list->item(row)->setSelected(true);
}

void MenusTest::chooseReference(int32_t m)
{
    strip->referenceCombo->setCurrentIndex(m + 1);
    emit strip->referenceCombo->activated(m + 1);
}

QStringList MenusTest::measurementNames() const
{
    QStringList names;
    RubberS2P& list = window->chartState().measurements;
    for (int32_t m = 0; m < list.itemCount; ++m)
        names.append(QString::fromStdString(list.measurement(m)->displayName));
    return names;
}

QStringList MenusTest::temporaryFiles() const
{
    return QDir(tmp->path()).entryList(QDir::Files | QDir::Hidden);
}

void MenusTest::menuBarHoldsTheCommandsInOrder_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("view");
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QStringList>("help");
    // "-" stands for a separator.
    QTest::newRow("Russian") << 0 << QStringList { "Файл", "Вид", "Справка" }
                             << QStringList { "Открыть", "Закрыть", "Перечитать", "-", "Открыть допуски...",
                                    "Закрыть допуски", "-", "Экспорт в MS Excel", "Усредненный S2P",
                                    "Сохранить изображение графика...", "-", "Копировать график",
                                    "Копировать таблицу", "-", "Выход" }
                             << QStringList { "Нормальный", "Развернуть график", "-", "Поверх остальных окон",
                                    "-", "Сглаживание графиков", "-", "Частотная характеристика",
                                    "Диаграмма Смита", "Полярная диаграмма", "Сетка проводимостей", "-",
                                    "Фаза", "Развёрнутая фаза", "Групповое время запаздывания",
                                    "Апертура группового времени...", "-", "Маркеры...", "-", "Язык" }
                             << QStringList { "Русский", "English" }
                             << QStringList { "О программе Sprelin..." };
    QTest::newRow("English") << 1 << QStringList { "File", "View", "Help" }
                             << QStringList { "Open", "Close", "Re-read", "-", "Open limits...",
                                    "Close limits", "-", "Export into MS Excel", "Averaged S2P",
                                    "Save chart image...", "-", "Copy chart", "Copy table", "-", "Exit" }
                             << QStringList { "Normal", "Large graph", "-", "Always on top", "-", "Smoothing",
                                    "-", "Frequency chart", "Smith chart", "Polar chart", "Admittance grid",
                                    "-", "Phase", "Unwrapped phase", "Group delay", "Group delay aperture...",
                                    "-", "Markers...", "-", "Language" }
                             << QStringList { "Русский", "English" } << QStringList { "About Sprelin..." };
}

namespace {

QStringList entriesOf(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries.append(action->isSeparator() ? QStringLiteral("-") : shownText(action->text()));
    return entries;
}

} // namespace

void MenusTest::menuBarHoldsTheCommandsInOrder()
{
    QFETCH(int, language);
    QFETCH(QStringList, menus);
    QFETCH(QStringList, file);
    QFETCH(QStringList, view);
    QFETCH(QStringList, languages);
    QFETCH(QStringList, help);
    writeSettingsFile(QStringLiteral("Language=%1").arg(language));
    openWindow();

    const QList<QAction*> bar = window->menuBar()->actions();
    QCOMPARE(bar.size(), menus.size());
    for (int i = 0; i < menus.size(); ++i)
        QCOMPARE(shownText(bar[i]->text()), menus[i]);
    const MainMenu& menu = window->mainMenu();
    QCOMPARE(entriesOf(menu.fileMenu), file);
    QCOMPARE(entriesOf(menu.viewMenu), view);
    QCOMPARE(entriesOf(menu.languageMenu), languages);
    QCOMPARE(entriesOf(menu.helpMenu), help);
    // Every command is there and enabled, the export too.
    for (MenuCommand c : { MenuCommand::open, MenuCommand::close, MenuCommand::reread,
             MenuCommand::exportWorkbook, MenuCommand::averagedS2P, MenuCommand::exit, MenuCommand::normal,
             MenuCommand::largeGraph, MenuCommand::topmost, MenuCommand::smoothing, MenuCommand::wrappedPhase,
             MenuCommand::unwrappedPhase, MenuCommand::groupDelay, MenuCommand::delayAperture,
             MenuCommand::markers, MenuCommand::russian, MenuCommand::english, MenuCommand::about }) {
        QVERIFY(command(c) != nullptr);
        QVERIFY(command(c)->isEnabled());
        QCOMPARE(MainMenu::commandOf(command(c)), static_cast<int32_t>(c));
    }
}

void MenusTest::shortcuts()
{
    openWindow();
    QCOMPARE(command(MenuCommand::open)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(command(MenuCommand::exit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QCOMPARE(command(MenuCommand::reread)->shortcut(), QKeySequence(QStringLiteral("F5")));
    QCOMPARE(command(MenuCommand::copyImage)->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    QCOMPARE(command(MenuCommand::copyTable)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
}

void MenusTest::switchingLanguageChangesEveryTextAndKeepsTheUnit()
{
    openWindow({ sample("a.s2p") });
    QCOMPARE(strip->unitCombo->currentIndex(), 2);
    MList* list = window->panes().files;
    struct Text {
        const char* what;
        std::function<QString()> shown;
        QString english;
        QString russian;
    };
    const std::vector<Text> texts {
        { "title", [&] { return window->windowTitle(); }, "Sprelin", "Просмотр файлов S2P" },
        { "Auto Y", [&] { return strip->autoYBox->text(); }, "Auto Y", "Авто Y" },
        { "Y min", [&] { return strip->yMinLabel->text(); }, "Y min", "Y мин" },
        { "Y max", [&] { return strip->yMaxLabel->text(); }, "Y max", "Y макс" },
        { "Step Y", [&] { return strip->yStepLabel->text(); }, "Step Y", "Шаг Y" },
        { "Auto X", [&] { return strip->autoXBox->text(); }, "Auto X", "Авто X" },
        { "X min", [&] { return strip->xMinLabel->text(); }, "X min", "X мин" },
        { "X max", [&] { return strip->xMaxLabel->text(); }, "X max", "X макс" },
        { "Step X", [&] { return strip->xStepLabel->text(); }, "Step X", "Шаг X" },
        { "Apply", [&] { return strip->applyButton->text(); }, "Apply", "Применить" },
        { "VSWR", [&] { return strip->vswrRadio->text(); }, "VSWR", "КСВН" },
        { "dB", [&] { return strip->dbRadio->text(); }, "dB", "dB" },
        { "Relative to", [&] { return strip->relativeLabel->text(); }, "Relative to", "Относительно" },
        { "unit 0", [&] { return strip->unitCombo->itemText(0); }, "Hz", "Гц" },
        { "unit 1", [&] { return strip->unitCombo->itemText(1); }, "kHz", "кГц" },
        { "unit 2", [&] { return strip->unitCombo->itemText(2); }, "MHz", "МГц" },
        { "unit 3", [&] { return strip->unitCombo->itemText(3); }, "GHz", "ГГц" },
        { "selected unit", [&] { return strip->unitCombo->currentText(); }, "MHz", "МГц" },
        { "column 0", [&] { return list->headerItem()->text(0); }, "S", "S" },
        { "column 1", [&] { return list->headerItem()->text(1); }, "Current", "Тек." },
        { "column 2", [&] { return list->headerItem()->text(2); }, "Min", "Мин." },
        { "column 3", [&] { return list->headerItem()->text(3); }, "Max", "Макс." },
        { "column 4", [&] { return list->headerItem()->text(4); }, "Flatness", "Неравн." },
        { "About", [&] { return shownText(command(MenuCommand::about)->text()); }, "About Sprelin...",
            "О программе Sprelin..." },
        { "File menu", [&] { return shownText(window->mainMenu().fileMenu->title()); }, "File", "Файл" },
    };
    const auto expectAll = [&](bool russian) {
        for (const Text& t : texts)
            QVERIFY2(t.shown() == (russian ? t.russian : t.english),
                qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(t.what), t.shown())));
    };
    expectAll(false);
    command(MenuCommand::russian)->trigger();
    QCOMPARE(processSettings().Language, 0);
    expectAll(true);
    QCOMPARE(strip->unitCombo->count(), 4);
    command(MenuCommand::english)->trigger();
    QCOMPARE(processSettings().Language, 1);
    expectAll(false);
    // The unit is still the one plotted.
    QCOMPARE(window->chartState().unitMultiplier, 1e6);
}

void MenusTest::otherLanguageValuesAreEnglish()
{
    writeSettingsFile("Language=7");
    openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Sprelin"));
    QCOMPARE(strip->unitCombo->currentText(), QStringLiteral("MHz"));
    QCOMPARE(shownText(command(MenuCommand::open)->text()), QStringLiteral("Open"));
    QVERIFY(command(MenuCommand::english)->isChecked());
    QVERIFY(!command(MenuCommand::russian)->isChecked());
}

void MenusTest::qtDialogsTakeTheLanguage()
{
    openWindow();
    const auto cancelText = [this] {
        QFileDialog dialog(window.get());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        return shownText(buttons->button(QDialogButtonBox::Cancel)->text());
    };
    QCOMPARE(cancelText(), QStringLiteral("Cancel"));
    command(MenuCommand::russian)->trigger();
    QCOMPARE(cancelText(), QStringLiteral("Отмена"));
    command(MenuCommand::english)->trigger();
    QCOMPARE(cancelText(), QStringLiteral("Cancel"));
}

void MenusTest::checkMarksFollowTheState()
{
    writeSettingsFile("Topmost=0\nFilter=1\nLanguage=1");
    openWindow();
    const auto checks = [this] {
        QString marks;
        for (MenuCommand c : { MenuCommand::russian, MenuCommand::english, MenuCommand::topmost,
                 MenuCommand::normal, MenuCommand::largeGraph, MenuCommand::smoothing })
            marks += command(c)->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
        return marks;
    };
    // Russian, English, Always on top, Normal, Large graph, Smoothing.
    QCOMPARE(checks(), QStringLiteral(".x.x.x"));
    command(MenuCommand::topmost)->trigger();
    QCOMPARE(processSettings().Topmost, 1);
    QCOMPARE(checks(), QStringLiteral(".xxx.x"));
    command(MenuCommand::smoothing)->trigger();
    QCOMPARE(processSettings().Filter, 0);
    QCOMPARE(checks(), QStringLiteral(".xxx.."));
    command(MenuCommand::russian)->trigger();
    QCOMPARE(checks(), QStringLiteral("x.xx.."));
    // Choosing the language in force again keeps its mark.
    command(MenuCommand::russian)->trigger();
    QCOMPARE(checks(), QStringLiteral("x.xx.."));
    command(MenuCommand::largeGraph)->trigger();
    QCOMPARE(checks(), QStringLiteral("x.x.x."));
    command(MenuCommand::largeGraph)->trigger();
    QCOMPARE(checks(), QStringLiteral("x.x.x."));
    command(MenuCommand::normal)->trigger();
    QCOMPARE(checks(), QStringLiteral("x.xx.."));
    command(MenuCommand::topmost)->trigger();
    command(MenuCommand::smoothing)->trigger();
    command(MenuCommand::english)->trigger();
    QCOMPARE(checks(), QStringLiteral(".x.x.x"));

    // The toggles are stored at close.
    command(MenuCommand::topmost)->trigger();
    QVERIFY(window->close());
    QFile file(settingsPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString ini = QString::fromUtf8(file.readAll());
    QVERIFY(ini.contains(QStringLiteral("Topmost=1")));
    QVERIFY(ini.contains(QStringLiteral("Filter=1")));
    QVERIFY(ini.contains(QStringLiteral("Language=1")));
}

void MenusTest::alwaysOnTopNeitherMovesNorHides()
{
    openWindow();
    QVERIFY(!(window->windowFlags() & Qt::WindowStaysOnTopHint));
    const QRect before = window->geometry();
    QWindow* platformWindow = window->windowHandle();
    command(MenuCommand::topmost)->trigger();
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(window->windowHandle(), platformWindow);
    QVERIFY(window->isVisible());
    QCOMPARE(window->geometry(), before);
    command(MenuCommand::topmost)->trigger();
    QVERIFY(!(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint));
    QVERIFY(window->isVisible());
    QCOMPARE(window->geometry(), before);

    // A stored setting puts the window above the others from the start.
    window.reset();
    processSettings() = SettingsRecord();
    writeSettingsFile("Topmost=1");
    openWindow();
    QVERIFY(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    QVERIFY(command(MenuCommand::topmost)->isChecked());
}

void MenusTest::smoothingRedrawsWithTheNewSetting()
{
    openWindow({ sample("a.s2p") });
    QCOMPARE(window->chartState().smoothing, 1);
    command(MenuCommand::smoothing)->trigger();
    QCOMPARE(window->chartState().smoothing, 0);
    command(MenuCommand::smoothing)->trigger();
    QCOMPARE(window->chartState().smoothing, 1);
}

void MenusTest::closingKeepsTheReferenceOnItsMeasurement()
{
    openInOrder({ sample("A.s2p", -1), sample("B.s2p", -2), sample("C.s2p", -3), sample("D.s2p", -4) });
    QCOMPARE(measurementNames(), QStringList({ "A", "B", "C", "D" }));
    chooseReference(2);
    QCOMPARE(window->chartState().referenceIndex, 2);

    withCloseDialog([this] { command(MenuCommand::close)->trigger(); },
        [this](CloseFilesDlg* dialog) {
            selectInDialog(dialog, { 0, 3 });
            dialog->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
        });
    QCOMPARE(measurementNames(), QStringList({ "B", "C" }));
    QCOMPARE(window->chartState().referenceIndex, 1);
    QCOMPARE(strip->referenceCombo->count(), 3);
    QCOMPARE(strip->referenceCombo->currentText(), QStringLiteral("C"));
    MList* list = window->panes().files;
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("B"));
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("C"));
    // Relative to C, C itself is plotted at 0 dB and B 1 dB above it.
    const TraceBuffers& buffers = window->chartState().buffers;
    const int32_t first = buffers.firstIndex[1 * 8 + 2];
    QVERIFY(std::fabs(buffers.traceValues[1 * 8 + 2][first]) < 1e-6);
    QVERIFY(std::fabs(buffers.traceValues[0 * 8 + 2][first] - 1.0) < 1e-6);
}

void MenusTest::rereadAfterClosingAFilesFirstViewKeepsItsOtherViews()
{
    // A three-port file: four views, of which only the first names the file.
    const QString divider = dir->filePath("divider.s3p");
    std::string text = "# MHz S MA R 50\n";
    for (int f = 100; f <= 500; f += 100)
        text += std::to_string(f) + " 0.1 0 0.7 -90 0.7 -90 0.7 -90 0.1 0 0.05 0 0.7 -90 0.05 0 0.1 0\n";
    QVERIFY(writeAll(divider.toStdString(), text));
    openInOrder({ sample("A.s2p"), divider });
    const QStringList views = measurementNames();
    QCOMPARE(views.size(), 5);
    withCloseDialog([this] { command(MenuCommand::close)->trigger(); },
        [this](CloseFilesDlg* dialog) {
            selectInDialog(dialog, { 1 });
            dialog->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
        });
    QCOMPARE(measurementNames(), (QStringList { views[0], views[2], views[3], views[4] }));
    command(MenuCommand::reread)->trigger();
    QCOMPARE(measurementNames(), views);
    QVERIFY(log.errors.isEmpty());
}

void MenusTest::closingTheReferenceClearsIt()
{
    openInOrder({ sample("A.s2p"), sample("B.s2p"), sample("C.s2p"), sample("D.s2p") });
    chooseReference(2);
    withCloseDialog([this] { command(MenuCommand::close)->trigger(); },
        [this](CloseFilesDlg* dialog) {
            selectInDialog(dialog, { 2 });
            dialog->accept();
        });
    QCOMPARE(measurementNames(), QStringList({ "A", "B", "D" }));
    QCOMPARE(window->chartState().referenceIndex, -1);
    QVERIFY(strip->referenceCombo->currentIndex() <= 0);
    QVERIFY(strip->referenceCombo->currentText().isEmpty());
}

void MenusTest::closingMovesHiddenTracesWithTheirMeasurement()
{
    openInOrder({ sample("A.s2p"), sample("B.s2p"), sample("C.s2p") });
    MList* list = window->panes().files;
    // One row per measurement (S21M); hide C's.
    QCOMPARE(list->rowCount(), 3);
    list->setRowChecked(2, false);
    QCOMPARE(window->chartState().rowVisible[2 * 8 + 2], 0);

    withCloseDialog([this] { command(MenuCommand::close)->trigger(); },
        [this](CloseFilesDlg* dialog) {
            selectInDialog(dialog, { 1 });
            dialog->accept();
        });
    QCOMPARE(measurementNames(), QStringList({ "A", "C" }));
    QCOMPARE(list->rowCount(), 2);
    QVERIFY(list->rowChecked(0));
    QVERIFY(!list->rowChecked(1));
    const std::vector<int32_t>& visible = window->chartState().rowVisible;
    QVERIFY(visible[0 * 8 + 2] != 0);
    QCOMPARE(visible[1 * 8 + 2], 0);
    QVERIFY(!window->chartState().traceVisible(1 * 8 + 2));
}

void MenusTest::closeLinkPreselectsItsMeasurement()
{
    openInOrder({ sample("A.s2p"), sample("B.s2p"), sample("C.s2p") });
    MList* list = window->panes().files;
    QTreeWidgetItem* group = list->topLevelItem(1);
    const QPoint link = list->closeLinkRect(group).center();
    QList<int> selected;
    withCloseDialog(
        [&] {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, link);
            // The dialog opens once the click has been handled.
            QTRY_VERIFY_WITH_TIMEOUT(!selected.isEmpty(), 2000);
        },
        [&](CloseFilesDlg* dialog) {
            for (int32_t m : dialog->selectedIndices())
                selected.append(m);
            dialog->accept();
        });
    QCOMPARE(selected, QList<int>({ 1 }));
    QCOMPARE(measurementNames(), QStringList({ "A", "C" }));
}

void MenusTest::fileCloseHasNoPreselectionAndCancelChangesNothing()
{
    openInOrder({ sample("A.s2p"), sample("B.s2p") });
    QString title;
    QString closeText;
    QList<int> selected { -1 };
    withCloseDialog([this] { command(MenuCommand::close)->trigger(); },
        [&](CloseFilesDlg* dialog) {
            title = dialog->windowTitle();
            closeText = dialog->findChild<QPushButton*>(QStringLiteral("closeButton"))->text();
            selected.clear();
            for (int32_t m : dialog->selectedIndices())
                selected.append(m);
            selectInDialog(dialog, { 0, 1 });
            dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        });
    QVERIFY(selected.isEmpty());
    QCOMPARE(title, QStringLiteral("Close files"));
    QCOMPARE(closeText, QStringLiteral("Close"));
    QCOMPARE(measurementNames(), QStringList({ "A", "B" }));

    // The dialog takes the language in force when it opens.
    command(MenuCommand::russian)->trigger();
    withCloseDialog([this] { command(MenuCommand::close)->trigger(); },
        [&](CloseFilesDlg* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
    QCOMPARE(title, QStringLiteral("Закрыть файлы"));
}

void MenusTest::aboutShowsTheSixLinesOfTheLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("first");
    QTest::newRow("Russian") << 0 << "О программе Sprelin"
                             << "Sprelin, версия 1.7 (64 бит)";
    QTest::newRow("English") << 1 << "About Sprelin"
                             << "Sprelin, version 1.7 (64-bit)";
}

void MenusTest::aboutShowsTheSixLinesOfTheLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, first);
    writeSettingsFile(QStringLiteral("Language=%1").arg(language));
    openWindow();
    QString shownTitle;
    QStringList lines;
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (about == nullptr)
            return;
        seen = true;
        shownTitle = about->windowTitle();
        lines = about->findChild<QLabel*>(QStringLiteral("aboutText"))->text().split(QLatin1Char('\n'));
        about->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    command(MenuCommand::about)->trigger();
    QVERIFY(seen);
    QCOMPARE(shownTitle, title);
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], first);
    QVERIFY(lines[1].isEmpty());
    QVERIFY(!lines[2].isEmpty());
    QVERIFY(lines[3].startsWith(QStringLiteral("https://")));
    QVERIFY(lines[4].isEmpty());
    // The build's date as dd.mm.yyyy, then its time (the date itself is checked with the About
    // text's own tests: this file may be compiled on another day than the dialog's).
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                .match(lines[5])
                .hasMatch());
}

void MenusTest::averagedS2PWritesAFileThatReadsBack()
{
    // Two measurements 2 dB apart average to the one between them.
    openInOrder({ sample("a.s2p", -2), sample("b.s2p", -4) });
    QFile::remove(dir->filePath("average.s2p"));
    // A name typed without its extension gets ".s2p".
    log.nextSaveFile = dir->filePath("average");
    command(MenuCommand::averagedS2P)->trigger();
    QCOMPARE(log.saveRequests, QStringList({ QStringLiteral("Save as|Файл S2P (*.s2p)|s2p") }));
    QVERIFY(log.errors.isEmpty());
    const QString written = dir->filePath("average.s2p");
    QVERIFY(QFile::exists(written));

    RubberS2P readBack;
    std::vector<LoadResult> results;
    loadFiles(readBack, { written.toStdString() }, &results);
    QCOMPARE(results.front(), LoadSuccess);
    QCOMPARE(readBack.itemCount, 1);
    RubberS2PData& average = *readBack.measurement(0);
    const std::vector<double> freqs = sweepMHz(50, 300, 10);
    QCOMPARE(average.itemCount, static_cast<int32_t>(freqs.size()));
    for (int32_t i = 0; i < average.itemCount; ++i) {
        const S2PPoint& p = *average.point(i);
        QVERIFY(std::fabs(p.freq - freqs[i] * 1e6) < 1);
        // Mean of the linear values 10^(-2/20) and 10^(-4/20) on S21, both falling alike.
        const double slope = s21SlopePerMHz * (freqs[i] - freqs.front());
        const double expected = (std::pow(10.0, (-2 + slope) / 20) + std::pow(10.0, (-4 + slope) / 20)) / 2;
        QVERIFY2(std::fabs(std::abs(p.sParams(1, 0)) - expected) < 1e-5 * expected,
            qPrintable(QString::number(i)));
        QVERIFY(std::fabs(std::abs(p.sParams(0, 0)) - 0.1) < 1e-6);
    }

    // Written again over the existing file without a question.
    log.nextSaveFile = written;
    command(MenuCommand::averagedS2P)->trigger();
    QVERIFY(log.errors.isEmpty());
    QCOMPARE(log.saveRequests.size(), 2);
}

void MenusTest::averagedS2PNamesTheMeasurementsThatDoNotCoverItsRange()
{
    // The first file runs 50 to 300 MHz; the second, 100 to 200 MHz, is repeated at both ends.
    const QString narrow = writeTouchstone(dir->filePath("narrow.s2p"), sweepMHz(100, 200, 10), -20, -3);
    openInOrder({ sample("a.s2p"), narrow });
    log.nextSaveFile = dir->filePath("average.s2p");
    command(MenuCommand::averagedS2P)->trigger();
    QVERIFY(log.errors.isEmpty());
    QVERIFY(QFile::exists(log.nextSaveFile));
    QCOMPARE(log.notices.size(), 1);
    const QStringList lines = log.notices[0].split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].contains(QStringLiteral("0.05 to 0.3 GHz")));
    QCOMPARE(lines[1], QStringLiteral("narrow starts at 0.1 GHz: its first value is repeated below it"));
    QCOMPARE(lines[2], QStringLiteral("narrow ends at 0.2 GHz: its last value is repeated above it"));
}

void MenusTest::averagedS2PReportsAFileThatCannotBeWritten_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("folder that does not exist") << "missing/average.s2p";
    QTest::newRow("folder that is a file") << "plain.txt/average.s2p";
    QTest::newRow("name of a folder") << "folder.s2p";
}

void MenusTest::averagedS2PReportsAFileThatCannotBeWritten()
{
    QFETCH(QString, relative);
    QFile plain(dir->filePath("plain.txt"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QDir(dir->path()).mkdir("folder.s2p"));
    openWindow({ sample("a.s2p") });
    command(MenuCommand::russian)->trigger();
    const QString path = dir->filePath(relative);
    log.nextSaveFile = path;
    command(MenuCommand::averagedS2P)->trigger();
    QCOMPARE(log.errors.size(), 1);
    QVERIFY(log.errors.front().contains(QDir::toNativeSeparators(path)));
    QVERIFY(log.errors.front().startsWith(QStringLiteral("Не удалось записать файл")));
    QVERIFY(!QFileInfo(path).isFile());
}

void MenusTest::averagedS2PAsksNothingWithoutMeasurementsOrWhenCancelled()
{
    openWindow();
    log.nextSaveFile = dir->filePath("average.s2p");
    command(MenuCommand::averagedS2P)->trigger();
    QVERIFY(log.saveRequests.isEmpty());
    QVERIFY(!QFile::exists(dir->filePath("average.s2p")));

    window->loading().openPaths({ sample("a.s2p") });
    log.nextSaveFile.clear();
    command(MenuCommand::averagedS2P)->trigger();
    QCOMPARE(log.saveRequests.size(), 1);
    QVERIFY(log.errors.isEmpty());
    QVERIFY(!QFile::exists(dir->filePath("average.s2p")));
}

namespace {

// The start of every zip archive, which an xlsx workbook is.
bool isZip(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("PK\x03\x04", 4);
}

} // namespace

void MenusTest::exportWritesAWorkbookAndOpensIt()
{
    openWindow({ sample("a.s2p") });
    command(MenuCommand::exportWorkbook)->trigger();
    QVERIFY2(log.errors.isEmpty(), qPrintable(log.errors.join('\n')));
    QCOMPARE(log.opened.size(), 1);
    const QString path = log.opened.front().toLocalFile();
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(tmp->path()).absoluteFilePath());
    QVERIFY(path.endsWith(QStringLiteral(".xlsx")));
    QVERIFY(isZip(path));
    // The workbook alone stays behind: no temporary file of the writer.
    QCOMPARE(temporaryFiles(), QStringList({ QFileInfo(path).fileName() }));

    // A second export makes a new workbook and leaves the first one.
    command(MenuCommand::exportWorkbook)->trigger();
    QCOMPARE(log.opened.size(), 2);
    QVERIFY(log.opened[1] != log.opened[0]);
    QCOMPARE(temporaryFiles().size(), 2);

    // Without measurements there is nothing to export and nothing happens.
    window.reset();
    openWindow();
    command(MenuCommand::exportWorkbook)->trigger();
    QCOMPARE(log.opened.size(), 2);
    QVERIFY(log.errors.isEmpty());
}

void MenusTest::exportReportsWhenNothingCanOpenTheWorkbook_data()
{
    QTest::addColumn<bool>("registered");
    QTest::addColumn<int>("openings");
    // The desktop knows no application for the type: nothing is handed to it.
    QTest::newRow("no application for the type") << false << 0;
    QTest::newRow("the opener fails") << true << 1;
}

void MenusTest::exportReportsWhenNothingCanOpenTheWorkbook()
{
    QFETCH(bool, registered);
    QFETCH(int, openings);
    openWindow({ sample("a.s2p") });
    log.applicationRegistered = registered;
    log.openSucceeds = false;
    command(MenuCommand::exportWorkbook)->trigger();
    QCOMPARE(log.opened.size(), openings);
    QCOMPARE(log.errors.size(), 1);
    QCOMPARE(temporaryFiles().size(), 1);
    const QString path = QDir(tmp->path()).filePath(temporaryFiles().front());
    QCOMPARE(log.errors.front(),
        QStringLiteral("The workbook was written to %1, but no application is there to open it.")
            .arg(QDir::toNativeSeparators(path)));
    // The workbook was written whole; it stays for the user to open otherwise.
    QVERIFY(isZip(path));
}

void MenusTest::exportReportsAFolderThatTakesNoFile_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("a file") << "plain.txt";
    QTest::newRow("missing") << "missing";
}

void MenusTest::exportReportsAFolderThatTakesNoFile()
{
    QFETCH(QString, folder);
    openWindow({ sample("a.s2p") });
    QFile plain(tmp->filePath("plain.txt"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    qputenv("TMPDIR", QFile::encodeName(tmp->filePath(folder)));
    // Nothing may land in the current folder either.
    const QString current = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir->path()));
    const QStringList before = QDir(dir->path()).entryList(QDir::Files);
    command(MenuCommand::exportWorkbook)->trigger();
    const QStringList after = QDir(dir->path()).entryList(QDir::Files);
    QVERIFY(QDir::setCurrent(current));
    QCOMPARE(log.errors.size(), 1);
    QVERIFY(
        log.errors.front().startsWith(QStringLiteral("The export into an MS Excel workbook failed.\n\n")));
    QVERIFY(!log.errors.front().contains(QLatin1Char('%')));
    QVERIFY(log.opened.isEmpty());
    QCOMPARE(temporaryFiles(), QStringList({ "plain.txt" }));
    QCOMPARE(after, before);
}

void MenusTest::exportLeavesNothingWhenTheWriterFails()
{
    openWindow({ sample("a.s2p") });
    command(MenuCommand::russian)->trigger();
    QString target;
    log.writeWorkbook = [&](const ExportInput& input, const std::string& path, std::string& error) {
        target = QString::fromStdString(path);
        // What the writer was given: the chart's last results, in the language in force.
        if (input.language != Language::russian || input.buffers.pointCount <= 0
            || input.displayNames.size() != 1)
            return true;
        error = "disk full";
        return false;
    };
    command(MenuCommand::exportWorkbook)->trigger();
    QVERIFY(target.endsWith(QStringLiteral(".xlsx")));
    QCOMPARE(log.errors.size(), 1);
    QCOMPARE(
        log.errors.front(), QStringLiteral("Не удалось выполнить экспорт в книгу MS Excel.\n\ndisk full"));
    QVERIFY(log.opened.isEmpty());
    QVERIFY(!QFile::exists(target));
    QVERIFY(temporaryFiles().isEmpty());
}

void MenusTest::chartImageIsSavedInTheFormatOfItsName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("svg");
    QTest::newRow("no extension is PNG") << "chart"
                                         << "chart.png" << false;
    QTest::newRow("PNG") << "chart.png"
                         << "chart.png" << false;
    QTest::newRow("SVG") << "chart.svg"
                         << "chart.svg" << true;
}

void MenusTest::chartImageIsSavedInTheFormatOfItsName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, svg);
    openInOrder({ sample("a.s2p", -2), sample("b.s2p", -4) });
    log.nextSaveFile = dir->filePath(chosen);
    command(MenuCommand::saveImage)->trigger();
    QCOMPARE(log.saveRequests,
        QStringList({ QStringLiteral("Save as|PNG image (*.png);;SVG drawing (*.svg)|png") }));
    QVERIFY(log.errors.isEmpty());
    QFile file(dir->filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (svg) {
        QVERIFY(bytes.contains("<svg"));
        QVERIFY(bytes.contains(">a S21M<"));
        QVERIFY(bytes.contains(">b S21M<"));
        return;
    }
    // The window's picture at its size, with the legend over it.
    const QImage shown = window->panes().frame->shownImage();
    const QImage image = QImage::fromData(bytes, "PNG").convertToFormat(shown.format());
    QCOMPARE(image.size(), shown.size());
    QVERIFY(image != shown);
}

void MenusTest::chartImageThatCannotBeWrittenIsReported()
{
    openWindow({ sample("a.s2p") });
    const QString path = dir->filePath("missing/chart.png");
    log.nextSaveFile = path;
    command(MenuCommand::saveImage)->trigger();
    QCOMPARE(log.errors.size(), 1);
    QVERIFY(log.errors.front().startsWith(QStringLiteral("The chart image cannot be saved.")));
    QVERIFY(log.errors.front().contains(QStringLiteral("not writable: no such folder")));
    QVERIFY(!QFile::exists(path));
}

void MenusTest::copyingPutsTheImageAndTheTableOnTheClipboard()
{
    openInOrder({ sample("a.s2p", -2), sample("b.s2p", -4) });
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    command(MenuCommand::copyImage)->trigger();
    const QImage shown = window->panes().frame->shownImage();
    const QImage copied = clipboard->image().convertToFormat(shown.format());
    QCOMPARE(copied.size(), shown.size());
    QVERIFY(copied != shown);

    command(MenuCommand::copyTable)->trigger();
    const QStringList rows = clipboard->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const TraceBuffers& buffers = window->chartState().buffers;
    QCOMPARE(rows.size(), buffers.pointCount + 1);
    QCOMPARE(rows.front(), QStringLiteral("Frequency, MHz\tS21M a\tS21M b"));
    for (int32_t i = 0; i < buffers.pointCount; ++i) {
        const QStringList cells = rows[i + 1].split(QLatin1Char('\t'));
        QCOMPARE(cells.size(), 3);
        QCOMPARE(cells[0].toDouble(), buffers.freqGrid[static_cast<size_t>(i)]);
        QCOMPARE(cells[2].toDouble(), buffers.traceValues[10][i]);
    }
}

void MenusTest::ctrlCInAnEditBoxCopiesItsText()
{
    openWindow({ sample("a.s2p") });
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    // The value edit boxes take the focus once the value axis is manual.
    strip->autoYBox->click();
    QLineEdit* edit = strip->yStepEdit;
    QVERIFY(edit->isEnabled());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);

    QCOMPARE(clipboard->text(), edit->text());
    QVERIFY(clipboard->image().isNull());

    window->panes().frame->setFocus();
    QTest::keyClick(window->panes().frame, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->image().size(), window->panes().frame->shownImage().size());
}

QTEST_MAIN(MenusTest)
#include "menus_test.moc"
