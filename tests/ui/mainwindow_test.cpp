#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#include "axisspinbox.h"
#include "chartframe.h"
#include "controlstrip.h"
#include "csprelindlg.h"
#include "decimalcommalocale.h"
#include "filelistcontroller.h"
#include "fileloading.h"
#include "inifile.h"
#include "mlist.h"
#include "settingspath.h"
#include "settingsrecord.h"
#include "uitesting.h"
#include "uitexts.h"
#include "windowpanes.h"

#include <sys/stat.h>

// The main window driven through its real widgets, with the settings folder of the test mode.
class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartWithoutSettings();
    void storedManualValueAxisGivesTwoViews();
    void storedManualFrequencyAxisAloneIsNotUsed();
    void storedUnitIsOneOfTheFour_data();
    void storedUnitIsOneOfTheFour();
    void russianTexts();
    void settingsAfterClosingHoldEveryKey();
    void settingsAreWrittenWithPointsInACommaLocale();
    void storedRectangleOnAScreenIsUsed();
    void storedRectangleOnNoScreenMovesToThePrimary();
    void escapeAndEnterNeverClose();
    void emptyChartShowsAHintAndTheWindowKeepsItsControlsInView();
    void settingsFileThatIsAFifoIsNeitherReadNorWritten();

    void commandLineFilesArePlottedAndListed();
    void busyCursorWhileLoading();
    void openTakesFilesUpToTheLimit();
    void openDialogStartsInTheLastFolderOpened();
    void droppedFilesWithLongPathsLoad();
    void rereadKeepsTheOrderWhenAFileBecameUnreadable();
    void loadKeepsTheOrderOfThePaths();
    void measurementsPastTheFirst2048KeepTheirTraces();
    void filesThatYieldNothingAreListedWithTheirReasons_data();
    void filesThatYieldNothingAreListedWithTheirReasons();

    void rowCheckBoxTogglesItsTrace();
    void traceBoxesAndMagnitudeModeResetVisibility();
    void rebuildingNeverFeedsBack();
    void rowClickChoosesColourButCheckBoxDoesNot();
    void firstHeaderClickInvertsEnabledTraces();

    void unitChangeKeepsThePlottedRange();
    void unitChangeWithInvalidTextsKeepsTheRange();
    void spinnerGuards();
    void applyRefusesInvalidTextsOfTheAutomaticAxis();
    void axisEditsAcceptACommaInACommaLocale();

private:
    void writeSettingsFile(const QString& general);
    void openWindow(const QStringList& paths = {});
    QString sample(
        const QString& name, double s21dB = -3, const std::vector<double>& freqs = sweepMHz(50, 300, 10));
    void setAxisTexts(const QString& yMin, const QString& yMax, const QString& yStep, const QString& xMin,
        const QString& xMax, const QString& xStep);
    QPoint rowPoint(int32_t row, bool onCheckBox) const;
    // Clicks a check box on its indicator, as a user does.
    static void clickBox(QAbstractButton* box);
    QImage chartImage() const { return window->panes().frame->shownImage(); }
    QStringList measurementNames();

    QString settingsPath;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<CSprelinDlg> window;
    ControlStrip* strip = nullptr;
    QStringList nextOpenFiles;
    QString openFilterSeen;
    QStringList openFoldersSeen;
    std::optional<QColor> nextColour;
    QList<QColor> coloursOffered;
    QList<int> loadCursors;
    QStringList errorsShown;
};

namespace {

// Palette slots of trace S21M of measurements 0 and 1 (traces 2 and 10).
const QColor slot2(254, 0, 0);
const QColor slot10(254, 0, 127);

} // namespace

void MainWindowTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    settingsPath = QString::fromStdString(defaultSettingsPath());
    QVERIFY(!settingsPath.isEmpty());
    QVERIFY(settingsPath.endsWith(QStringLiteral("/mainwindow_test.ini")));
}

void MainWindowTest::init()
{
    processSettings() = SettingsRecord();
    QFile::remove(settingsPath);
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    nextOpenFiles.clear();
    nextColour.reset();
    coloursOffered.clear();
    loadCursors.clear();
    errorsShown.clear();
    openFoldersSeen.clear();
}

void MainWindowTest::cleanup()
{
    window.reset();
    strip = nullptr;
    dir.reset();
    QFile::remove(settingsPath);
}

void MainWindowTest::writeSettingsFile(const QString& general)
{
    QDir().mkpath(QFileInfo(settingsPath).path());
    QFile file(settingsPath);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(("[General]\n" + general + "\n").toUtf8());
}

void MainWindowTest::openWindow(const QStringList& paths)
{
    WindowServices services = defaultWindowServices();
    services.chooseFiles = [this](QWidget*, const QString&, const QString& filter, const QString& folder) {
        openFilterSeen = filter;
        openFoldersSeen.append(folder);
        return nextOpenFiles;
    };
    services.chooseColour = [this](QWidget*, const QColor& current, const QString&) {
        coloursOffered.append(current);
        return nextColour;
    };
    services.showError = [this](QWidget*, const QString&, const QString& text) { errorsShown.append(text); };
    services.showNotice = services.showError;
    auto load = services.loadFiles;
    services.loadFiles = [this, load](RubberS2P& list, const std::vector<std::string>& files) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        loadCursors.append(cursor != nullptr ? cursor->shape() : -1);
        return load(list, files);
    };
    window = std::make_unique<CSprelinDlg>(toStd(paths), services);
    strip = window->panes().strip;
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

QString MainWindowTest::sample(const QString& name, double s21dB, const std::vector<double>& freqs)
{
    return writeTouchstone(dir->filePath(name), freqs, -20, s21dB);
}

void MainWindowTest::setAxisTexts(const QString& yMin, const QString& yMax, const QString& yStep,
    const QString& xMin, const QString& xMax, const QString& xStep)
{
    strip->yMinEdit->setEditText(yMin);
    strip->yMaxEdit->setEditText(yMax);
    strip->yStepEdit->setText(yStep);
    strip->xMinEdit->setEditText(xMin);
    strip->xMaxEdit->setEditText(xMax);
    strip->xStepEdit->setText(xStep);
}

QPoint MainWindowTest::rowPoint(int32_t row, bool onCheckBox) const
{
    MList* list = window->panes().files;
    const QRect r = list->visualItemRect(list->rowItem(row));
    if (!onCheckBox)
        return QPoint(r.left() + list->columnWidth(0) - 12, r.center().y());
    QStyleOptionViewItem option;
    option.initFrom(list);
    return QPoint(r.left() + 3 + list->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, list) / 2,
        r.center().y());
}

void MainWindowTest::clickBox(QAbstractButton* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

QStringList MainWindowTest::measurementNames()
{
    QStringList names;
    RubberS2P& list = window->chartState().measurements;
    for (int32_t m = 0; m < list.itemCount; ++m)
        names.append(QString::fromStdString(list.measurement(m)->displayName));
    return names;
}

void MainWindowTest::firstStartWithoutSettings()
{
    openWindow();
    QVERIFY(strip->vswrRadio->isChecked());
    QVERIFY(!strip->dbRadio->isChecked());
    for (int k = 0; k < 8; ++k)
        QCOMPARE(strip->traceBoxes[k]->isChecked(), k == 2);
    QCOMPARE(strip->traceBoxes[2]->text(), QStringLiteral("S21M"));
    QVERIFY(strip->autoYBox->isChecked());
    QVERIFY(strip->autoXBox->isChecked());
    QCOMPARE(strip->unitCombo->currentText(), QStringLiteral("MHz"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Sprelin"));
    QCOMPARE(strip->autoYBox->text(), QStringLiteral("Auto Y"));
    QCOMPARE(strip->applyButton->text(), QStringLiteral("Apply"));
    QCOMPARE(strip->relativeLabel->text(), QStringLiteral("Relative to"));
    QCOMPARE(strip->vswrRadio->text(), QStringLiteral("VSWR"));
    QHeaderView* header = window->panes().files->header();
    const QStringList titles { "S", "Current", "Min", "Max", "Flatness" };
    for (int c = 0; c < 5; ++c)
        QCOMPARE(window->panes().files->headerItem()->text(c), titles[c]);
    QVERIFY(header->isVisible());
    QCOMPARE(window->panes().files->width(), 170);
    // One automatic view, shown as 0..100 MHz and 0..100 in steps of 10.
    QCOMPARE(window->chartState().zoomList.itemCount, 1);
    QCOMPARE(strip->xMaxEdit->text(), QStringLiteral("100"));
    QCOMPARE(strip->xStepEdit->text(), QStringLiteral("10"));
    QCOMPARE(strip->yMaxEdit->text(), QStringLiteral("100"));
    QCOMPARE(strip->yMinEdit->text(), QStringLiteral("0"));
    // Both axes automatic: nothing to edit, nothing to apply.
    for (QWidget* w : std::initializer_list<QWidget*> { strip->yMinEdit, strip->yMaxEdit, strip->yStepEdit,
             strip->xMinEdit, strip->xMaxEdit, strip->xStepEdit, strip->applyButton })
        QVERIFY(!w->isEnabled());
    QCOMPARE(strip->referenceCombo->count(), 1);
    QVERIFY(!window->panes().frame->isVisible());
}

void MainWindowTest::storedManualValueAxisGivesTwoViews()
{
    writeSettingsFile("AutoY=0\nAutoX=1\nMinY=-50\nMaxY=5\ndY=5\nMinX=1\nMaxX=2\ndX=0.5\nMX=1000000");
    openWindow();
    {
        RubberZoomData& views = window->chartState().zoomList;
        QCOMPARE(views.itemCount, 2);
        const ZoomEntry& z = window->chartState().currentZoom();
        QCOMPARE(z.autoY, 0);
        QCOMPARE(z.autoX, 1);
        QCOMPARE(z.yMin, -50.0);
        QCOMPARE(z.yMax, 5.0);
        QCOMPARE(z.yStep, 5.0);
    }
    QVERIFY(!strip->autoYBox->isChecked());
    QVERIFY(strip->autoXBox->isChecked());
    QCOMPARE(strip->yMinEdit->text(), QStringLiteral("-50"));
    QCOMPARE(strip->yMaxEdit->text(), QStringLiteral("5"));
    QCOMPARE(strip->yStepEdit->text(), QStringLiteral("5"));
    QVERIFY(strip->yMinEdit->isEnabled());
    QVERIFY(strip->yStepEdit->isEnabled());
    QVERIFY(!strip->xMinEdit->isEnabled());
    QVERIFY(strip->applyButton->isEnabled());

    // With a file, the value axis stays as stored while the frequency axis follows the data.
    window->loading().openPaths({ sample("a.s2p") });
    const ZoomEntry& z = window->chartState().currentZoom();
    QCOMPARE(z.yMin, -50.0);
    QCOMPARE(z.yMax, 5.0);
    QCOMPARE(z.xMin, 50e6);
    QCOMPARE(z.xMax, 300e6);
}

void MainWindowTest::storedManualFrequencyAxisAloneIsNotUsed()
{
    writeSettingsFile("AutoY=1\nAutoX=0\nMinX=5\nMaxX=7\ndX=1");
    openWindow();
    QCOMPARE(window->chartState().zoomList.itemCount, 1);
    QVERIFY(strip->autoXBox->isChecked());
    QCOMPARE(strip->xMinEdit->text(), QStringLiteral("0"));
    QCOMPARE(strip->xMaxEdit->text(), QStringLiteral("100"));
}

void MainWindowTest::storedUnitIsOneOfTheFour_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("multiplier");
    QTest::newRow("Hz") << "1"
                        << "Hz" << 1.0;
    QTest::newRow("kHz") << "1000"
                         << "kHz" << 1000.0;
    QTest::newRow("GHz") << "1e+09"
                         << "GHz" << 1e9;
    QTest::newRow("between kHz and MHz") << "1234"
                                         << "kHz" << 1000.0;
    QTest::newRow("zero") << "0"
                          << "Hz" << 1.0;
    QTest::newRow("not a number") << "x"
                                  << "Hz" << 1.0;
    QTest::newRow("beyond GHz") << "1e15"
                                << "GHz" << 1e9;
}

void MainWindowTest::storedUnitIsOneOfTheFour()
{
    QFETCH(QString, stored);
    QFETCH(QString, unit);
    QFETCH(double, multiplier);
    writeSettingsFile("MX=" + stored);
    openWindow();
    QCOMPARE(strip->unitCombo->currentText(), unit);
    QCOMPARE(window->chartState().unitMultiplier, multiplier);
    // The first view spans 0..100 displayed units.
    QCOMPARE(window->chartState().currentZoom().xMax, 100 * multiplier);
    QCOMPARE(strip->xMaxEdit->text(), QStringLiteral("100"));
}

void MainWindowTest::russianTexts()
{
    writeSettingsFile("Language=0");
    openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Просмотр файлов S2P"));
    QCOMPARE(strip->autoYBox->text(), QStringLiteral("Авто Y"));
    QCOMPARE(strip->yStepLabel->text(), QStringLiteral("Шаг Y"));
    QCOMPARE(strip->applyButton->text(), QStringLiteral("Применить"));
    QCOMPARE(strip->vswrRadio->text(), QStringLiteral("КСВН"));
    QCOMPARE(strip->dbRadio->text(), QStringLiteral("dB"));
    QCOMPARE(strip->relativeLabel->text(), QStringLiteral("Относительно"));
    QCOMPARE(strip->unitCombo->currentText(), QStringLiteral("МГц"));
    QCOMPARE(window->panes().files->headerItem()->text(4), QStringLiteral("Неравн."));
}

void MainWindowTest::settingsAfterClosingHoldEveryKey()
{
    openWindow();
    std::array<int, 5> widths;
    for (int c = 0; c < 5; ++c)
        widths[c] = window->panes().files->columnWidth(c);
    const QRect g = window->geometry();
    QVERIFY(window->close());

    QFile file(settingsPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const IniFile ini(file.readAll().toStdString());
    const std::vector<std::pair<const char*, std::string>> general {
        { "Topmost", "0" },
        { "Filter", "1" },
        { "MX", "1e+06" },
        { "AutoX", "1" },
        { "AutoY", "1" },
        { "MinX", "0" },
        { "MaxX", "100" },
        { "dX", "10" },
        { "MinY", "0" },
        { "MaxY", "100" },
        { "dY", "10" },
        { "Units", "1" },
        { "S11m", "0" },
        { "S12m", "0" },
        { "S21m", "1" },
        { "S22m", "0" },
        { "S11a", "0" },
        { "S12a", "0" },
        { "S21a", "0" },
        { "S22a", "0" },
        { "Language", "1" },
        { "Left", std::to_string(g.left()) },
        { "Top", std::to_string(g.top()) },
        { "Right", std::to_string(g.left() + g.width()) },
        { "Bottom", std::to_string(g.top() + g.height()) },
    };
    for (const auto& [key, text] : general) {
        QVERIFY2(ini.value("General", key).has_value(), key);
        QCOMPARE(*ini.value("General", key), text);
    }
    for (int c = 0; c < 5; ++c)
        QCOMPARE(*ini.value("List", "Width<" + std::to_string(c) + ">"), std::to_string(widths[c]));
    QCOMPARE(*ini.value("List", "Width<-1>"), std::string("170"));
}

void MainWindowTest::settingsAreWrittenWithPointsInACommaLocale()
{
    const DecimalCommaLocale comma;
    if (!comma.active())
        QSKIP("no decimal comma locale installed");
    writeSettingsFile("AutoY=0\nMinY=-0.5\nMaxY=2.25\ndY=0.25");
    openWindow();
    QCOMPARE(strip->yMinEdit->text(), QStringLiteral("-0.5"));
    QVERIFY(window->close());
    QFile file(settingsPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const IniFile ini(file.readAll().toStdString());
    QCOMPARE(*ini.value("General", "MinY"), std::string("-0.5"));
    QCOMPARE(*ini.value("General", "MaxY"), std::string("2.25"));
    QCOMPARE(*ini.value("General", "dY"), std::string("0.25"));
    QCOMPARE(*ini.value("General", "MX"), std::string("1e+06"));
}

void MainWindowTest::storedRectangleOnAScreenIsUsed()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect wanted(area.left() + 10, area.top() + 20, 750, 520);
    writeSettingsFile(QStringLiteral("Left=%1\nTop=%2\nRight=%3\nBottom=%4")
                          .arg(wanted.left())
                          .arg(wanted.top())
                          .arg(wanted.left() + wanted.width())
                          .arg(wanted.top() + wanted.height()));
    openWindow();
    QCOMPARE(window->geometry(), wanted);
}

void MainWindowTest::storedRectangleOnNoScreenMovesToThePrimary()
{
    writeSettingsFile("Left=20000\nTop=20000\nRight=20750\nBottom=20520");
    openWindow();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(area.intersects(window->geometry()));
    QVERIFY(area.contains(window->geometry().center()));
    QCOMPARE(window->geometry().size(), QSize(750, 520));
}

void MainWindowTest::escapeAndEnterNeverClose()
{
    openWindow();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Return);
    QTest::keyClick(window->panes().files, Qt::Key_Escape);
    QVERIFY(window->isVisible());
    QVERIFY(!QFile::exists(settingsPath));
}

// The window neither waits on the FIFO nor replaces it, and says so in its status line; a window
// with a usable settings file has no status line to show.
void MainWindowTest::settingsFileThatIsAFifoIsNeitherReadNorWritten()
{
    openWindow();
    QVERIFY(window->statusNotice().shown().isEmpty());
    QVERIFY(window->close());
    window.reset();
    processSettings() = SettingsRecord();
    QFile::remove(settingsPath);
    QVERIFY(mkfifo(QFile::encodeName(settingsPath).constData(), 0600) == 0);
    openWindow();
    const QString shown = window->statusNotice().shown();
    QVERIFY(shown.contains(settingsPath));
    QCOMPARE(shown, uiTexts(Language::english).settingsNotAFile.arg(settingsPath));
    QVERIFY(window->close());
    struct stat st { };
    QVERIFY(stat(QFile::encodeName(settingsPath).constData(), &st) == 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

void MainWindowTest::emptyChartShowsAHintAndTheWindowKeepsItsControlsInView()
{
    openWindow();
    QLabel* hint = window->panes().hint;
    QVERIFY(hint->isVisible());
    QVERIFY(!window->panes().frame->isVisible());
    QCOMPARE(hint->geometry(), window->panes().frame->geometry());
    QCOMPARE(hint->text(), QStringLiteral("Open measurement files with File > Open, or drop them here."));
    window->setLanguage(Language::russian);
    QCOMPARE(
        hint->text(), QStringLiteral("Откройте файлы измерений: Файл > Открыть, или перетащите их сюда."));
    window->loading().openPaths({ sample("a.s2p") });
    QVERIFY(!hint->isVisible());
    QVERIFY(window->panes().frame->isVisible());

    // Shrunk as far as it goes, the strip, the list and a chart are all still there.
    window->resize(50, 50);
    QTest::qWait(20);
    const QRect client = window->centralWidget()->rect();
    QVERIFY(client.contains(strip->geometry()));
    QVERIFY(client.contains(window->panes().files->geometry()));
    QVERIFY(window->panes().frame->width() > 32 && window->panes().frame->height() > 32);
    for (QCheckBox* box : strip->traceBoxes)
        QVERIFY(client.contains(box->geometry().translated(strip->pos())));
}

void MainWindowTest::commandLineFilesArePlottedAndListed()
{
    openWindow({ sample("a.s2p", -3), sample("b.s2p", -6) });
    QCOMPARE(window->chartState().measurements.itemCount, 2);
    MList* list = window->panes().files;
    QCOMPARE(list->topLevelItemCount(), 2);
    QStringList groups;
    for (int g = 0; g < 2; ++g) {
        QTreeWidgetItem* group = list->topLevelItem(g);
        groups.append(group->text(0));
        QCOMPARE(group->childCount(), 1);
        QCOMPARE(group->child(0)->text(0), QStringLiteral("S21M"));
        QCOMPARE(group->child(0)->checkState(0), Qt::Checked);
    }
    QCOMPARE(groups, measurementNames());
    groups.sort();
    QCOMPARE(groups, QStringList({ "a", "b" }));
    // Both S21 traces are drawn, each in its palette slot.
    QVERIFY(window->panes().frame->isVisible());
    QVERIFY(countPixels(chartImage(), slot2) > 50);
    QVERIFY(countPixels(chartImage(), slot10) > 50);
    // The statistics: from the start level down over 250 MHz of slope.
    const double fall = -s21SlopePerMHz * 250;
    for (int32_t r = 0; r < 2; ++r) {
        const double level = measurementNames()[list->groupOfRow(r)] == "a" ? -3 : -6;
        QCOMPARE(list->rowItem(r)->text(2).trimmed().toDouble(), level - fall);
        QCOMPARE(list->rowItem(r)->text(3).trimmed().toDouble(), level);
        QCOMPARE(list->rowItem(r)->text(4).trimmed().toDouble(), fall);
    }
    QCOMPARE(strip->referenceCombo->count(), 3);
    QCOMPARE(strip->referenceCombo->itemText(0), QString());
    QCOMPARE(strip->referenceCombo->itemText(1), measurementNames()[0]);
}

void MainWindowTest::busyCursorWhileLoading()
{
    openWindow({ sample("a.s2p") });
    QCOMPARE(loadCursors, QList<int>({ Qt::WaitCursor }));
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    nextOpenFiles = QStringList { sample("b.s2p") };
    window->loading().openFiles();
    QCOMPARE(loadCursors, QList<int>({ Qt::WaitCursor, Qt::WaitCursor }));
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void MainWindowTest::openTakesFilesUpToTheLimit()
{
    // 2043 measurements loaded; three chosen files of which two fit under 2045.
    QStringList many;
    for (int i = 0; i < 2043; ++i)
        many.append(sample(QStringLiteral("m%1.s2p").arg(i), -3, { 100, 200, 300 }));
    openWindow(many);
    QCOMPARE(window->chartState().measurements.itemCount, 2043);
    nextOpenFiles = QStringList { sample("x.s2p"), sample("y.s2p"), sample("z.s2p") };
    window->loading().openFiles();
    QCOMPARE(window->chartState().measurements.itemCount, 2045);
    QVERIFY(!measurementNames().contains("z"));
    QVERIFY(measurementNames().contains("y"));
    QCOMPARE(openFilterSeen,
        QStringLiteral(
            "Файл S1P (*.s1p), S2P (*.s2p), S3P (*.s3p), SNP (*.sNp), TS (*.ts), ZetLabs (*.dtu, *.nrm) "
            "(*.s1p *.s2p *.s3p *.s[0-9]p *.s[0-9][0-9]p *.ts *.dtu *.nrm);;Файл CSV (*.csv) (*.csv)"));
    window->loading().openFiles();
    QCOMPARE(window->chartState().measurements.itemCount, 2045);
    // Every measurement has its visibility and its row.
    QCOMPARE(window->panes().files->rowCount(), 2045);
    QVERIFY(window->chartState().rowVisible.size() >= size_t(2045 * 8));
}

void MainWindowTest::openDialogStartsInTheLastFolderOpened()
{
    openWindow();
    const QString folder = dir->filePath("measured here");
    QVERIFY(QDir().mkpath(folder));
    nextOpenFiles = { writeTouchstone(folder + "/x.s2p", sweepMHz(50, 300, 10), -20, -3) };
    window->loading().openFiles();
    nextOpenFiles.clear();
    window->loading().openFiles();
    QCOMPARE(openFoldersSeen, QStringList({ QString(), folder }));
    // The folder outlives the window.
    window->close();
    window.reset();
    processSettings() = SettingsRecord();
    openWindow();
    window->loading().openFiles();
    QCOMPARE(openFoldersSeen.back(), folder);
}

void MainWindowTest::droppedFilesWithLongPathsLoad()
{
    // A folder path far beyond 260 characters.
    QString folder = dir->path();
    while (folder.size() < 400)
        folder += QStringLiteral("/a_rather_long_folder_name_for_the_drop_test");
    QVERIFY(QDir().mkpath(folder));
    const QString deep = writeTouchstone(folder + "/deep.s2p", sweepMHz(50, 300, 10), -20, -3);
    QVERIFY(deep.size() > 400);
    openWindow();

    auto* data = new QMimeData;
    data->setUrls({ QUrl::fromLocalFile(deep), QUrl::fromLocalFile(sample("near.s2p")) });
    const QPoint at = window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(window->chartState().measurements.itemCount, 2);
    QStringList sources;
    for (int32_t m = 0; m < 2; ++m)
        sources.append(QString::fromStdString(window->chartState().measurements.measurement(m)->sourcePath));
    QVERIFY(sources.contains(deep));
    delete data;
}

void MainWindowTest::rereadKeepsTheOrderWhenAFileBecameUnreadable()
{
    openWindow({ sample("a.s2p"), sample("b.s2p"), sample("c.s2p"), sample("d.s2p") });
    const QStringList before = measurementNames();
    QCOMPARE(before.size(), 4);
    // The reference is the last measurement; its file and another one disappear.
    strip->referenceCombo->setCurrentIndex(4);
    QTest::keyClick(strip->referenceCombo, Qt::Key_Up);
    QTest::keyClick(strip->referenceCombo, Qt::Key_Down);
    QCOMPARE(window->chartState().referenceIndex, 3);
    QVERIFY(QFile::remove(dir->filePath(before[1] + ".s2p")));
    QVERIFY(QFile::remove(dir->filePath(before[3] + ".s2p")));

    QVERIFY(errorsShown.isEmpty());
    QTest::keyClick(window.get(), Qt::Key_F5);
    QCOMPARE(measurementNames(), QStringList({ before[0], before[2] }));
    QCOMPARE(errorsShown,
        QStringList { QStringLiteral("These files were not loaded:\n%1: no such file\n%2: no such file")
                          .arg(dir->filePath(before[1] + ".s2p"), dir->filePath(before[3] + ".s2p")) });
    QCOMPARE(window->panes().files->topLevelItem(1)->text(0), before[2]);
    QCOMPARE(window->chartState().referenceIndex, -1);
    QCOMPARE(strip->referenceCombo->count(), 3);
}

void MainWindowTest::loadKeepsTheOrderOfThePaths()
{
    QStringList paths;
    QStringList names;
    for (int i = 1; i <= 300; ++i) {
        names.append(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        paths.append(sample(names.back() + ".s2p", -3, { 100, 200, 300 }));
    }
    openWindow(paths);
    QCOMPARE(measurementNames(), names);
    // A later load goes after them, again in the order given.
    window->loading().openPaths({ sample("b.s2p"), sample("a.s2p") });
    QCOMPARE(measurementNames().mid(300), QStringList({ "b", "a" }));
    QVERIFY(errorsShown.isEmpty());
}

void MainWindowTest::measurementsPastTheFirst2048KeepTheirTraces()
{
    // The command line is not bound by the open dialog's limit; the last measurement's S21
    // starts at -40 dB, the others' at -3 dB.
    const int32_t count = 2100;
    QStringList paths;
    for (int32_t i = 0; i < count; ++i)
        paths.append(sample(QStringLiteral("m%1.s2p").arg(i), i == count - 1 ? -40 : -3, { 100, 200, 300 }));
    openWindow(paths);
    const ChartState& state = window->chartState();
    QCOMPARE(state.measurements.itemCount, count);
    QCOMPARE(window->panes().files->rowCount(), count);
    QCOMPARE(state.buffers.traceCount, count * 8);
    const int32_t last = (count - 1) * 8 + 2;
    QVERIFY(state.traceVisible(last));
    QVERIFY(state.buffers.computed(last));
    QVERIFY(state.buffers.traceMin[static_cast<size_t>(last)] <= -40);
    QVERIFY(state.buffers.traceMin[static_cast<size_t>(last - 8)] > -10);
    QVERIFY(window->panes().files->rowChecked(count - 1));
}

void MainWindowTest::filesThatYieldNothingAreListedWithTheirReasons_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("reasons");
    QTest::newRow("English") << 1
                             << QStringList { "These files were not loaded:", "no such file",
                                    "a folder, not a file", "unknown file type", "the file is empty",
                                    "a Touchstone keyword is missing or has a value that cannot be read",
                                    "... and 3 more" };
    QTest::newRow("Russian") << 0
                             << QStringList { "Эти файлы не загружены:", "файл не найден",
                                    "это папка, а не файл", "неизвестный тип файла", "Файл пуст",
                                    "Неверные ключевые слова Touchstone", "... и ещё 3" };
}

void MainWindowTest::filesThatYieldNothingAreListedWithTheirReasons()
{
    QFETCH(int, language);
    QFETCH(QStringList, reasons);
    writeSettingsFile(QStringLiteral("Language=%1").arg(language));
    openWindow({ sample("good.s2p") });
    QVERIFY(errorsShown.isEmpty());

    const QString missing = dir->filePath("missing.s2p");
    const QString folder = dir->filePath("folder.s2p");
    QVERIFY(QDir().mkpath(folder));
    const QString unknown = dir->filePath("notes.txt");
    QFile(unknown).open(QIODevice::WriteOnly);
    const QString badKeywords = dir->filePath("ports.s2p");
    QVERIFY(writeAll(badKeywords.toStdString(),
        "[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] 0\n[Network Data]\n1 0 0 0 0 0 0 0 0\n"));
    QStringList empty;
    for (int i = 0; i < 19; ++i) {
        empty.append(dir->filePath(QStringLiteral("empty%1.s2p").arg(i)));
        QFile(empty.back()).open(QIODevice::WriteOnly);
    }
    window->loading().openPaths(
        QStringList { missing, sample("other.s2p"), folder, unknown, badKeywords } + empty);
    QCOMPARE(measurementNames(), QStringList({ "good", "other" }));
    QCOMPARE(errorsShown.size(), 1);
    const QStringList lines = errorsShown[0].split('\n');
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines[0], reasons[0]);
    QCOMPARE(lines[1], missing + ": " + reasons[1]);
    QCOMPARE(lines[2], folder + ": " + reasons[2]);
    QCOMPARE(lines[3], unknown + ": " + reasons[3]);
    QCOMPARE(lines[4], badKeywords + ": " + reasons[5]);
    QCOMPARE(lines[5], empty[0] + ": " + reasons[4]);
    QCOMPARE(lines[20], empty[15] + ": " + reasons[4]);
    QCOMPARE(lines[21], reasons[6]);
}

void MainWindowTest::rowCheckBoxTogglesItsTrace()
{
    openWindow({ sample("a.s2p") });
    QVERIFY(countPixels(chartImage(), slot2) > 50);
    MList* list = window->panes().files;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(0, true));
    QVERIFY(!list->rowChecked(0));
    QCOMPARE(window->chartState().rowVisible[2], 0);
    QCOMPARE(countPixels(chartImage(), slot2), 0);
    QCOMPARE(list->rowItem(0)->text(2), QString());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(0, true));
    QCOMPARE(window->chartState().rowVisible[2], 1);
    QVERIFY(countPixels(chartImage(), slot2) > 50);
    QVERIFY(coloursOffered.isEmpty());
}

void MainWindowTest::traceBoxesAndMagnitudeModeResetVisibility()
{
    openWindow({ sample("a.s2p"), sample("b.s2p") });
    MList* list = window->panes().files;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(1, true));
    QCOMPARE(window->chartState().rowVisible[10], 0);

    clickBox(strip->dbRadio);
    QCOMPARE(window->chartState().dbMode, 1);
    QCOMPARE(window->chartState().rowVisible[10], 1);
    QVERIFY(list->rowChecked(1));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(1, true));
    QCOMPARE(window->chartState().rowVisible[10], 0);
    clickBox(strip->traceBoxes[1]); // S11A
    QCOMPARE(window->chartState().traceEnabled[1], 1);
    QCOMPARE(list->rowCount(), 4);
    QCOMPARE(list->topLevelItem(0)->child(0)->text(0), QStringLiteral("S11A"));
    for (int32_t r = 0; r < 4; ++r)
        QVERIFY(list->rowChecked(r));
    QCOMPARE(window->chartState().rowVisible[10], 1);
    QCOMPARE(window->chartState().rowVisible[9], 1);
}

void MainWindowTest::rebuildingNeverFeedsBack()
{
    openWindow({ sample("a.s2p"), sample("b.s2p") });
    MList* list = window->panes().files;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(0, true));
    // The table now says the opposite of both rows: applying it flips the first row before
    // the second, and a report taken back into the table in between would undo the second.
    std::vector<int32_t>& table = window->chartState().rowVisible;
    table[2] = 1;
    table[10] = 0;
    const std::vector<int32_t> before = table;
    window->listController().applyRowChecks();
    QVERIFY(list->rowChecked(0));
    QVERIFY(!list->rowChecked(1));
    QCOMPARE(table, before);
    window->listController().rebuild();
    QVERIFY(list->rowChecked(0));
    QVERIFY(!list->rowChecked(1));
    QCOMPARE(table, before);
    QCOMPARE(window->listController().updating(), 0);
}

void MainWindowTest::rowClickChoosesColourButCheckBoxDoesNot()
{
    openWindow({ sample("a.s2p") });
    MList* list = window->panes().files;
    const QColor green(0, 200, 0);
    nextColour = green;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(0, false));
    QCOMPARE(coloursOffered, QList<QColor>({ slot2 }));
    QCOMPARE(window->chartState().chart.palette[2], green);
    QCOMPARE(list->swatch(2).pixelColor(6, 6), green);
    QCOMPARE(countPixels(chartImage(), slot2), 0);
    QVERIFY(countPixels(chartImage(), green) > 50);
    QVERIFY(list->rowChecked(0));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(0, true));
    QCOMPARE(coloursOffered.size(), 1);
    QVERIFY(!list->rowChecked(0));

    // Cancelling the dialog changes nothing.
    nextColour.reset();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(0, false));
    QCOMPARE(coloursOffered.size(), 2);
    QCOMPARE(window->chartState().chart.palette[2], green);
}

void MainWindowTest::firstHeaderClickInvertsEnabledTraces()
{
    openWindow({ sample("a.s2p"), sample("b.s2p") });
    clickBox(strip->traceBoxes[0]); // S11M and S21M enabled
    QTest::mouseClick(window->panes().files->viewport(), Qt::LeftButton, {}, rowPoint(0, true));
    const std::vector<int32_t> before = window->chartState().rowVisible;
    QHeaderView* header = window->panes().files->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(5, header->height() / 2));
    const std::vector<int32_t>& after = window->chartState().rowVisible;
    for (int32_t t = 0; t < 16; ++t) {
        const int32_t k = t % 8;
        if (k == 0 || k == 2)
            QCOMPARE(after[t], before[t] == 0 ? 1 : 0);
        else
            QCOMPARE(after[t], before[t]);
    }
    for (int32_t r = 0; r < window->panes().files->rowCount(); ++r)
        QCOMPARE(window->panes().files->rowChecked(r), after[window->panes().files->itemData(r)] != 0);
}

void MainWindowTest::unitChangeKeepsThePlottedRange()
{
    openWindow({ sample("a.s2p") });
    clickBox(strip->autoXBox);
    setAxisTexts(
        strip->yMinEdit->text(), strip->yMaxEdit->text(), strip->yStepEdit->text(), "100", "200", "10");
    QTest::mouseClick(strip->applyButton, Qt::LeftButton);
    QCOMPARE(window->chartState().currentZoom().xMin, 100e6);
    QCOMPARE(window->chartState().currentZoom().xMax, 200e6);

    QTest::keyClick(strip->unitCombo, Qt::Key_Down);
    QCOMPARE(strip->unitCombo->currentText(), QStringLiteral("GHz"));
    QCOMPARE(window->chartState().unitMultiplier, 1e9);
    QCOMPARE(strip->xMinEdit->text(), QStringLiteral("0.1"));
    QCOMPARE(strip->xMaxEdit->text(), QStringLiteral("0.2"));
    QCOMPARE(strip->xStepEdit->text(), QStringLiteral("0.01"));
    QVERIFY(qAbs(window->chartState().currentZoom().xMin - 100e6) < 1e-3);
    QVERIFY(qAbs(window->chartState().currentZoom().xMax - 200e6) < 1e-3);
}

void MainWindowTest::unitChangeWithInvalidTextsKeepsTheRange()
{
    openWindow({ sample("a.s2p") });
    clickBox(strip->autoXBox);
    setAxisTexts(
        strip->yMinEdit->text(), strip->yMaxEdit->text(), strip->yStepEdit->text(), "100", "200", "10");
    QTest::mouseClick(strip->applyButton, Qt::LeftButton);
    // A minimum above the maximum does not validate.
    strip->xMinEdit->setEditText("300");
    QTest::keyClick(strip->unitCombo, Qt::Key_Down);
    QVERIFY(qAbs(window->chartState().currentZoom().xMin - 100e6) < 1e-3);
    QVERIFY(qAbs(window->chartState().currentZoom().xMax - 200e6) < 1e-3);
    QCOMPARE(strip->xMinEdit->text(), QStringLiteral("0.1"));
    QCOMPARE(strip->xMaxEdit->text(), QStringLiteral("0.2"));
}

void MainWindowTest::spinnerGuards()
{
    openWindow({ sample("a.s2p") });
    clickBox(strip->autoYBox);
    QVERIFY(strip->yMaxEdit->isEnabled());
    QVERIFY(!strip->xMaxEdit->isEnabled());
    const QString x0 = strip->xMinEdit->text();
    const QString x1 = strip->xMaxEdit->text();
    const QString dx = strip->xStepEdit->text();

    // Maximum 10, minimum 0, step 5: the lower arrow would leave only two steps.
    setAxisTexts("0", "10", "5", x0, x1, dx);
    QTest::keyClick(strip->yMaxEdit, Qt::Key_Down);
    QCOMPARE(strip->yMaxEdit->text(), QStringLiteral("10"));
    // With step 4 it lowers the maximum to 6, and the upper arrow raises it again.
    strip->yStepEdit->setText("4");
    QTest::keyClick(strip->yMaxEdit, Qt::Key_Down);
    QCOMPARE(strip->yMaxEdit->text(), QStringLiteral("6"));
    QCOMPARE(window->chartState().currentZoom().yMax, 6.0);
    QTest::keyClick(strip->yMaxEdit, Qt::Key_Up);
    QCOMPARE(strip->yMaxEdit->text(), QStringLiteral("10"));
    // The minimum goes down without limit, and up only while more than two steps lie
    // between the ends: -4 to 0 (below 10 - 8), 0 to 4, then 4 stays.
    QTest::keyClick(strip->yMinEdit, Qt::Key_Down);
    QCOMPARE(strip->yMinEdit->text(), QStringLiteral("-4"));
    QTest::keyClick(strip->yMinEdit, Qt::Key_Up);
    QCOMPARE(strip->yMinEdit->text(), QStringLiteral("0"));
    QTest::keyClick(strip->yMinEdit, Qt::Key_Up);
    QCOMPARE(strip->yMinEdit->text(), QStringLiteral("4"));
    QTest::keyClick(strip->yMinEdit, Qt::Key_Up);
    QCOMPARE(strip->yMinEdit->text(), QStringLiteral("4"));

    // Texts that do not validate stop the step, and stay as typed.
    strip->yMinEdit->setEditText("20");
    QTest::keyClick(strip->yMaxEdit, Qt::Key_Up);
    QCOMPARE(strip->yMaxEdit->text(), QStringLiteral("10"));
    QCOMPARE(strip->yMinEdit->text(), QStringLiteral("20"));
    QCOMPARE(window->chartState().currentZoom().yMin, 4.0);
}

void MainWindowTest::applyRefusesInvalidTextsOfTheAutomaticAxis()
{
    openWindow({ sample("a.s2p") });
    clickBox(strip->autoXBox);
    const ZoomEntry before = window->chartState().currentZoom();
    setAxisTexts("5", "1", "1", "100", "200", "10");
    QTest::mouseClick(strip->applyButton, Qt::LeftButton);
    QCOMPARE(window->chartState().currentZoom().xMin, before.xMin);
    QCOMPARE(window->chartState().currentZoom().xMax, before.xMax);
    QCOMPARE(strip->xMinEdit->text(), QStringLiteral("100"));
    // Valid value texts let the frequency range through.
    setAxisTexts("-10", "0", "1", "100", "200", "10");
    QTest::keyClick(strip->xMaxEdit, Qt::Key_Return);
    QCOMPARE(window->chartState().currentZoom().xMin, 100e6);
    QCOMPARE(window->chartState().currentZoom().xMax, 200e6);
}

void MainWindowTest::axisEditsAcceptACommaInACommaLocale()
{
    const DecimalCommaLocale comma;
    if (!comma.active())
        QSKIP("no decimal comma locale installed");
    openWindow({ sample("a.s2p") });
    clickBox(strip->autoYBox);
    setAxisTexts(
        "-7,5", "12,5", "2,5", strip->xMinEdit->text(), strip->xMaxEdit->text(), strip->xStepEdit->text());
    QTest::mouseClick(strip->applyButton, Qt::LeftButton);
    QCOMPARE(window->chartState().currentZoom().yMax, 12.5);
    QCOMPARE(window->chartState().currentZoom().yMin, -7.5);
    QCOMPARE(strip->yMaxEdit->text(), QStringLiteral("12.5"));
    QCOMPARE(strip->yStepEdit->text(), QStringLiteral("2.5"));
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
