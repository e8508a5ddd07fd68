#include "csprelindlg.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include <algorithm>

#include "averagedcommand.h"
#include "axisedits.h"
#include "axisspinbox.h"
#include "busycursor.h"
#include "caboutdlg.h"
#include "chartframe.h"
#include "chartmouse.h"
#include "chartpicture.h"
#include "chartsettings.h"
#include "closefilesdlg.h"
#include "closemeasurements.h"
#include "commandpaths.h"
#include "controlstrip.h"
#include "desktopopener.h"
#include "dialogunits.h"
#include "exportinput.h"
#include "failedfilesmessage.h"
#include "filelistrows.h"
#include "legendof.h"
#include "loader.h"
#include "mainmenu.h"
#include "mlist.h"
#include "presentchart.h"
#include "recomputechart.h"
#include "reloadorder.h"
#include "screenarea.h"
#include "settingsrecord.h"
#include "splitterhandle.h"
#include "statsstrip.h"
#include "tabletext.h"
#include "uitexts.h"
#include "unitmultiplier.h"
#include "windowplacement.h"
#include "workbookexport.h"

namespace {

// The window's design size, and the file list's width in it, in dialog units.
constexpr int designWidth = 560;
constexpr int designHeight = 392;
constexpr int designListWidth = 172;
// The height of the design's control strip, above the panes.
constexpr int designStripHeight = 60;
constexpr int listColumnCount = 5;

QString editText(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string fromEdit(const QString& text)
{
    return text.toStdString();
}

std::vector<std::string> localPaths(const QStringList& paths)
{
    std::vector<std::string> result;
    result.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths)
        result.push_back(QFile::encodeName(path).toStdString());
    return result;
}

} // namespace

CSprelinDlg::Services CSprelinDlg::defaultServices()
{
    Services s;
    s.chooseFiles = [](QWidget* parent, const QString& title, const QString& filter, const QString& folder) {
        return QFileDialog::getOpenFileNames(
            parent, title, folder, filter, nullptr, QFileDialog::HideNameFilterDetails);
    };
    s.chooseColour
        = [](QWidget* parent, const QColor& current, const QString& title) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(current, parent, title);
        if (!colour.isValid())
            return std::nullopt;
        return colour;
    };
    s.loadFiles = [](RubberS2P& list, const std::vector<std::string>& paths) {
        std::vector<LoadResult> results;
        ::loadFiles(list, paths, &results);
        return results;
    };
    s.chooseSaveFile
        = [](QWidget* parent, const QString& title, const QString& filter, const QString& suffix) {
              QFileDialog dialog(parent, title, QString(), filter);
              dialog.setAcceptMode(QFileDialog::AcceptSave);
              dialog.setFileMode(QFileDialog::AnyFile);
              dialog.setDefaultSuffix(suffix);
              dialog.setOption(QFileDialog::DontConfirmOverwrite);
              if (dialog.exec() != QDialog::Accepted)
                  return QString();
              return dialog.selectedFiles().value(0);
          };
    s.showError = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::critical(parent, title, text);
    };
    s.writeWorkbook = [](const ExportInput& input, const std::string& path, std::string& error) {
        return exportToWorkbook(input, path, error);
    };
    s.hasApplicationFor = desktopHasApplicationFor;
    s.openDocument = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    s.chooseFromMenu = [](QMenu& menu, const QPoint& globalPos) { return menu.exec(globalPos); };
    return s;
}

CSprelinDlg::CSprelinDlg(std::vector<std::string> commandLine, Services windowServices)
    : settings(processSettings())
    , services(std::move(windowServices))
{
    buildWindow();
    buildMenu();
    connectControls();
    startUp(commandLine);
}

CSprelinDlg::~CSprelinDlg() = default;

void CSprelinDlg::buildWindow()
{
    setAcceptDrops(true);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("clientArea"));

    // The panes are placed by hand (layOutPanes and the resize rules), so that the chart takes
    // every change of size and nothing moves while the chart would be too small.
    strip = new ControlStrip(central);
    strip->setObjectName(QStringLiteral("controlStrip"));
    stats = new StatsStrip(central);
    stats->setObjectName(QStringLiteral("statsList"));
    frame = new ChartFrame(central);
    frame->setObjectName(QStringLiteral("chartFrame"));
    files = new MList(central);
    files->setObjectName(QStringLiteral("fileList"));
    hint = new QLabel(central);
    hint->setObjectName(QStringLiteral("chartHint"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    hint->setFrameShape(QFrame::Box);
    hint->setAutoFillBackground(true);
    hint->setBackgroundRole(QPalette::Base);
    hint->hide();
    splitter = new SplitterHandle(central);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->raise();

    central->installEventFilter(this);
    setCentralWidget(central);
}

void CSprelinDlg::buildMenu()
{
    menu = std::make_unique<MainMenu>(menuBar());
    const auto on = [this](MenuCommand command, auto handler) {
        connect(menu->action(command), &QAction::triggered, this, handler);
    };
    on(MenuCommand::open, &CSprelinDlg::openFiles);
    on(MenuCommand::close, [this] { closeFiles(-1); });
    on(MenuCommand::reread, &CSprelinDlg::rereadFiles);
    on(MenuCommand::exportWorkbook, &CSprelinDlg::exportToSpreadsheet);
    on(MenuCommand::averagedS2P, &CSprelinDlg::saveAveragedS2P);
    on(MenuCommand::saveImage, &CSprelinDlg::saveChartImage);
    on(MenuCommand::copyImage, &CSprelinDlg::copyChartImage);
    on(MenuCommand::copyTable, &CSprelinDlg::copyPlottedTable);
    on(MenuCommand::exit, &QWidget::close);
    on(MenuCommand::normal, &CSprelinDlg::setNormalLayout);
    on(MenuCommand::largeGraph, &CSprelinDlg::setLargeGraph);
    on(MenuCommand::topmost, &CSprelinDlg::toggleTopmost);
    on(MenuCommand::smoothing, &CSprelinDlg::toggleSmoothing);
    on(MenuCommand::russian, [this] { setLanguage(Language::russian); });
    on(MenuCommand::english, [this] { setLanguage(Language::english); });
    on(MenuCommand::about, &CSprelinDlg::showAbout);
    // A checkable command flips its own mark when chosen; the marks always show the state,
    // also after a command that changed nothing.
    for (MenuCommand command : { MenuCommand::normal, MenuCommand::largeGraph, MenuCommand::topmost,
             MenuCommand::smoothing, MenuCommand::russian, MenuCommand::english })
        on(command, &CSprelinDlg::updateMenuChecks);
}

void CSprelinDlg::connectControls()
{
    connect(strip->applyButton, &QPushButton::clicked, this, &CSprelinDlg::onApply);
    connect(strip->yMinEdit, &AxisSpinBox::returnPressed, this, &CSprelinDlg::onApply);
    connect(strip->yMaxEdit, &AxisSpinBox::returnPressed, this, &CSprelinDlg::onApply);
    connect(strip->xMinEdit, &AxisSpinBox::returnPressed, this, &CSprelinDlg::onApply);
    connect(strip->xMaxEdit, &AxisSpinBox::returnPressed, this, &CSprelinDlg::onApply);
    connect(strip->yStepEdit, &QLineEdit::returnPressed, this, &CSprelinDlg::onApply);
    connect(strip->xStepEdit, &QLineEdit::returnPressed, this, &CSprelinDlg::onApply);
    connect(strip->autoYBox, &QCheckBox::clicked, this, &CSprelinDlg::onAutoAxis);
    connect(strip->autoXBox, &QCheckBox::clicked, this, &CSprelinDlg::onAutoAxis);
    connect(strip->unitCombo, &QComboBox::activated, this, &CSprelinDlg::onUnitChanged);
    connect(strip->dbRadio, &QRadioButton::clicked, this, &CSprelinDlg::onMagnitudeMode);
    connect(strip->vswrRadio, &QRadioButton::clicked, this, &CSprelinDlg::onMagnitudeMode);
    for (QCheckBox* box : strip->traceBoxes)
        connect(box, &QCheckBox::clicked, this, &CSprelinDlg::onTraceBox);
    connect(strip->referenceCombo, &QComboBox::activated, this, &CSprelinDlg::onReferenceChanged);
    connect(strip->yMaxEdit, &AxisSpinBox::deltaPos, this,
        [this](int delta) { onSpinner(AxisSpinner::valueMax, delta); });
    connect(strip->yMinEdit, &AxisSpinBox::deltaPos, this,
        [this](int delta) { onSpinner(AxisSpinner::valueMin, delta); });
    connect(strip->xMaxEdit, &AxisSpinBox::deltaPos, this,
        [this](int delta) { onSpinner(AxisSpinner::frequencyMax, delta); });
    connect(strip->xMinEdit, &AxisSpinBox::deltaPos, this,
        [this](int delta) { onSpinner(AxisSpinner::frequencyMin, delta); });

    connect(files, &MList::rowCheckChanged, this, &CSprelinDlg::onRowCheckChanged);
    connect(files, &MList::rowClicked, this, &CSprelinDlg::onRowClicked);
    connect(files, &MList::firstColumnHeaderClicked, this, &CSprelinDlg::onFirstColumnHeader);
    // The dialog runs after the click has been handled, since closing rebuilds the list.
    connect(
        files, &MList::closeLinkClicked, this, [this](int32_t m) { closeFiles(m); }, Qt::QueuedConnection);
    connect(frame, &ChartFrame::resized, this, &CSprelinDlg::onChartFrameResized);
    connect(splitter, &SplitterHandle::dragged, this, &CSprelinDlg::moveSplitter);

    ChartMouse::Parts parts;
    parts.state = &state;
    parts.host = this;
    parts.settings = &settings;
    parts.frame = frame;
    parts.files = files;
    parts.stats = stats;
    parts.splitter = splitter;
    parts.background = centralWidget();
    parts.listUpdating = &listUpdatingFlag;
    parts.frameWidth = frameWidth;
    mouse = new ChartMouse(parts, services.chooseFromMenu, this);
    connect(mouse, &ChartMouse::openFilesRequested, this, &CSprelinDlg::openFiles);
    connect(mouse, &ChartMouse::hideRowRequested, this, &CSprelinDlg::hideTraceRow);
    connect(mouse, &ChartMouse::colourRequested, this, &CSprelinDlg::chooseTraceColour);
    connect(mouse, &ChartMouse::closeRequested, this, &CSprelinDlg::closeFiles);
}

void CSprelinDlg::startUp(const std::vector<std::string>& commandLine)
{
    readSettings(settings);
    settings.MX = storedUnitMultiplier(settings);

    state.chart.attach(font(), frame->size());

    const DialogUnits du(fontMetrics());
    files->setColumnCount(listColumnCount);
    const std::vector<int> widths = files->startColumnWidths(du.x(designListWidth));
    for (int c = 0; c < listColumnCount; ++c)
        files->setColumnWidth(c, widths[c]);
    files->buildSwatches(std::vector<QColor>(state.chart.palette.begin(), state.chart.palette.end()));

    chartStateFromSettings(settings, state);
    applyLanguage();
    layOutPanes();
    writeControls();
    writeAxisEdits();
    state.resetRowVisibility();

    state.referenceIndex = -1;
    listUpdatingFlag = 0;

    placeWindow();
    applyTopmost();
    show();
    shown = true;
    redrawChart();
    restoreListWidths();
    updateAxisEnables();
    splitterBusy = 0;

    const std::vector<FailedFile> failed = loadPaths(commandLine);
    afterLoad();
    reportFailedFiles(failed);
}

void CSprelinDlg::placeWindow()
{
    if (!(settings.Right > settings.Left && settings.Top < settings.Bottom)) {
        settings.Left = settings.Top = settings.Right = settings.Bottom = 0;
        return;
    }
    const QRect stored(
        settings.Left, settings.Top, settings.Right - settings.Left, settings.Bottom - settings.Top);
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    const QScreen* primary = QGuiApplication::primaryScreen();
    setGeometry(placeOnScreens(stored, areas, primary != nullptr ? primary->availableGeometry() : QRect()));
}

void CSprelinDlg::layOutPanes()
{
    // The window's design: the control strip along the top, under it the readout strip over
    // the chart on the left and the file list on the right, 4 units from the edges.
    const DialogUnits du(fontMetrics());
    const QSize stripSize = strip->sizeHint();
    strip->setGeometry(QRect(QPoint(0, 0), stripSize));
    const int width = std::max(du.x(designWidth), stripSize.width());
    const int margin = du.x(4);
    const int top = stripSize.height();
    const int height = top + du.y(designHeight - designStripHeight);
    const int listWidth = du.x(designListWidth);
    const int chartWidth = width - 2 * margin - listWidth;
    const int bottom = height - du.y(4);

    PaneLayout layout;
    layout.stats = QRect(margin, top, chartWidth, stats->sizeHint().height());
    const int chartTop = layout.stats.bottom() + 1 + du.y(1);
    layout.chart = QRect(margin, chartTop, chartWidth, bottom - chartTop);
    layout.list = QRect(margin + chartWidth, top, listWidth, bottom - top);
    placePanes(layout);
    clientRect = QRect(0, 0, width, height);
    centralWidget()->resize(width, height);
    resize(width, height + menuBar()->sizeHint().height());
}

PaneLayout CSprelinDlg::panes() const
{
    return PaneLayout { stats->geometry(), frame->geometry(), files->geometry() };
}

void CSprelinDlg::placePanes(const PaneLayout& layout)
{
    stats->setGeometry(layout.stats);
    frame->setGeometry(layout.chart);
    files->setGeometry(layout.list);
    hint->setGeometry(layout.chart);
    const QRect& chart = layout.chart;
    splitter->setGeometry(chart.x() + chart.width() - frameWidth, chart.y(), 2 * frameWidth, chart.height());
    sizeStatsColumns();
    // The window never shrinks below the strip's controls, the smallest chart and the list.
    const DialogUnits du(fontMetrics());
    const int width = std::max(strip->isHidden() ? 0 : strip->sizeHint().width(),
        chart.x() + smallestChartSide + 1 + layout.list.width() + du.x(4));
    centralWidget()->setMinimumSize(width, chart.y() + smallestChartSide + 1 + du.y(4));
}

bool CSprelinDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        onClientResized(static_cast<QResizeEvent*>(event)->size());
    return QMainWindow::eventFilter(watched, event);
}

void CSprelinDlg::onClientResized(const QSize& size)
{
    if (!clientRect.isValid())
        return;
    const std::optional<PaneLayout> moved
        = resizedPanes(panes(), size.width() - clientRect.width(), size.height() - clientRect.height());
    if (!moved)
        return;
    // The chart frame's own resize redraws the chart.
    placePanes(*moved);
    clientRect = QRect(QPoint(0, 0), size);
}

void CSprelinDlg::moveSplitter(int x)
{
    if (splitterBusy != 0)
        return;
    splitterBusy = 1;
    const std::optional<PaneLayout> moved = splitPanes(panes(), x, frameWidth);
    if (moved)
        placePanes(*moved);
    splitterBusy = 0;
}

void CSprelinDlg::sizeStatsColumns()
{
    stats->sizeStatsColumns();
}

void CSprelinDlg::setLargeGraph()
{
    if (largeGraph != 0)
        return;
    strip->hide();
    const PaneLayout now = panes();
    savedListTop = now.stats.top();
    savedChartTop = now.chart.top();
    placePanes(largeGraphPanes(now));
    redrawChart();
    largeGraph = 1;
    updateMenuChecks();
}

void CSprelinDlg::setNormalLayout()
{
    if (largeGraph != 1)
        return;
    strip->show();
    placePanes(normalPanes(panes(), savedChartTop, savedListTop));
    redrawChart();
    largeGraph = 0;
    updateMenuChecks();
}

void CSprelinDlg::restoreListWidths()
{
    for (int c = 0; c < listColumnCount; ++c) {
        if (settings.columnWidth[c] != 0)
            files->setColumnWidth(c, settings.columnWidth[c]);
    }
    // A list of no width could not be seen, so only a stored width is taken.
    if (settings.listWidth > 0) {
        const QRect list = files->geometry();
        moveSplitter(list.x() + list.width() - settings.listWidth);
    }
}

void CSprelinDlg::saveListWidths()
{
    for (int c = 0; c < listColumnCount; ++c)
        settings.columnWidth[c] = files->columnWidth(c);
    settings.listWidth = files->width();
}

void CSprelinDlg::applyLanguage()
{
    const UiTexts& texts = uiTexts(language());
    qtTexts.useLanguage(language());
    setWindowTitle(texts.windowTitle);
    menu->applyTexts(texts);
    updateMenuChecks();
    strip->applyTexts(texts);
    // The strip stays where it is and takes the size its texts need.
    strip->resize(strip->sizeHint());
    files->setHeaderLabels(QStringList(texts.listColumns.begin(), texts.listColumns.end()));
    files->setCloseLinkText(texts.closeLink);
    hint->setText(texts.chartHint);
}

void CSprelinDlg::updateMenuChecks()
{
    menu->setChecks(language(), settings.Topmost != 0, largeGraph, settings.Filter != 0);
}

void CSprelinDlg::applyTopmost()
{
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, settings.Topmost != 0);
    if (QWindow* window = windowHandle()) {
        // Changing the widget's flags would hide the shown window; its platform window takes
        // the hint in place.
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
    updateMenuChecks();
}

void CSprelinDlg::toggleTopmost()
{
    settings.Topmost = settings.Topmost != 0 ? 0 : 1;
    applyTopmost();
}

void CSprelinDlg::toggleSmoothing()
{
    settings.Filter = settings.Filter != 0 ? 0 : 1;
    state.smoothing = settings.Filter;
    redrawChart();
    updateMenuChecks();
}

Language CSprelinDlg::language() const
{
    return languageOf(settings.Language);
}

void CSprelinDlg::setLanguage(Language language)
{
    settings.Language = storedLanguage(language);
    applyLanguage();
}

void CSprelinDlg::closeFiles(int32_t preselected)
{
    CloseFilesDlg dialog(measurementNames(state.measurements), preselected, language(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    closeMeasurements(state, dialog.selectedIndices());
    rebuildFileList();
    fillReferenceCombo();
    applyRowChecks();
    redrawChart();
}

void CSprelinDlg::saveAveragedS2P()
{
    if (state.measurements.itemCount == 0)
        return;
    const UiTexts& texts = uiTexts(language());
    const QString suffix = QStringLiteral("s2p");
    const QString chosen = services.chooseSaveFile(this, texts.saveDialogTitle, texts.averagedFilter, suffix);
    if (chosen.isEmpty())
        return;
    const QString path = withDefaultSuffix(chosen, suffix);
    std::string reason;
    if (averagedS2PCommand(state.measurements, QFile::encodeName(path).toStdString(), &reason) != LoadSuccess)
        services.showError(this, texts.windowTitle,
            texts.averagedFailed.arg(QDir::toNativeSeparators(path)) + QLatin1Char('\n')
                + QString::fromStdString(reason));
}

void CSprelinDlg::exportToSpreadsheet()
{
    if (state.measurements.itemCount == 0)
        return;
    const UiTexts& texts = uiTexts(language());
    QString path;
    QString reason;
    if (!createTemporaryWorkbook(path, reason)) {
        services.showError(this, texts.windowTitle, texts.exportFailed.arg(reason));
        return;
    }
    std::string error;
    const bool written = services.writeWorkbook(plottedTable(), QFile::encodeName(path).toStdString(), error);
    if (!written) {
        // The empty file that reserved the name goes; the writer leaves nothing of its own.
        QFile::remove(path);
        services.showError(this, texts.windowTitle, texts.exportFailed.arg(QString::fromStdString(error)));
        return;
    }
    if (!services.hasApplicationFor(path) || !services.openDocument(QUrl::fromLocalFile(path)))
        services.showError(
            this, texts.windowTitle, texts.exportOpenFailed.arg(QDir::toNativeSeparators(path)));
}

ExportInput CSprelinDlg::plottedTable()
{
    const QSizeF area = primaryScreenUsableArea();
    return exportInputOf(state, language(), area.width(), area.height());
}

ChartLegend CSprelinDlg::chartLegend()
{
    return chartLegendOf(plottedTable(), state.chart);
}

void CSprelinDlg::saveChartImage()
{
    if (state.measurements.itemCount == 0)
        return;
    const UiTexts& texts = uiTexts(language());
    const QString suffix = QStringLiteral("png");
    const QString chosen = services.chooseSaveFile(this, texts.saveDialogTitle, texts.imageFilter, suffix);
    if (chosen.isEmpty())
        return;
    const QString path = withDefaultSuffix(chosen, suffix);
    const ChartLegend legend = chartLegend();
    std::string error;
    if (!saveChartPicture(state, &legend, QFile::encodeName(path).toStdString(), error))
        services.showError(this, texts.windowTitle, texts.imageFailed.arg(QString::fromStdString(error)));
}

void CSprelinDlg::copyChartImage()
{
    if (state.measurements.itemCount == 0)
        return;
    const ChartLegend legend = chartLegend();
    const QImage image = chartImage(state, &legend);
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}

void CSprelinDlg::copyPlottedTable()
{
    if (state.measurements.itemCount == 0)
        return;
    const std::string text = plottedTableText(plottedTable());
    if (!text.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void CSprelinDlg::showAbout()
{
    CAboutDlg about(language(), this);
    about.exec();
}

void CSprelinDlg::readControls()
{
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        state.traceEnabled[k] = strip->traceBoxes[k]->isChecked() ? 1 : 0;
    ZoomEntry& zoom = state.currentZoom();
    zoom.autoY = strip->autoYBox->isChecked() ? 1 : 0;
    zoom.autoX = strip->autoXBox->isChecked() ? 1 : 0;
    state.dbMode = strip->dbRadio->isChecked() ? 1 : 0;
    state.referenceIndex = strip->referenceCombo->currentIndex() - 1;
    const int unit = strip->unitCombo->currentIndex();
    state.unitMultiplier = unitMultiplierOf(unit < 0 ? 2 : unit);
    settings.MX = state.unitMultiplier;
}

void CSprelinDlg::writeControls()
{
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        strip->traceBoxes[k]->setChecked(state.traceEnabled[k] != 0);
    const ZoomEntry& zoom = state.currentZoom();
    strip->autoYBox->setChecked(zoom.autoY != 0);
    strip->autoXBox->setChecked(zoom.autoX != 0);
    strip->dbRadio->setChecked(state.dbMode == 1);
    strip->vswrRadio->setChecked(state.dbMode == 0);
    strip->referenceCombo->setCurrentIndex(state.referenceIndex < 0 ? -1 : state.referenceIndex + 1);
    strip->unitCombo->setCurrentIndex(unitIndexOf(state.unitMultiplier));
}

void CSprelinDlg::writeAxisEdits()
{
    writeAxisEdits(state.currentZoom(), state.unitMultiplier);
}

bool CSprelinDlg::readAxisEdits()
{
    return readAxisEdits(state.currentZoom(), state.unitMultiplier);
}

void CSprelinDlg::writeAxisEdits(const ZoomEntry& zoom, double unitMultiplier)
{
    const AxisEditTexts texts = formatAxisEdits(zoom, unitMultiplier);
    strip->yMaxEdit->setEditText(editText(texts.yMax));
    strip->yMinEdit->setEditText(editText(texts.yMin));
    strip->xStepEdit->setText(editText(texts.xStep));
    strip->yStepEdit->setText(editText(texts.yStep));
    strip->xMaxEdit->setEditText(editText(texts.xMax));
    strip->xMinEdit->setEditText(editText(texts.xMin));
}

bool CSprelinDlg::readAxisEdits(ZoomEntry& zoom, double unitMultiplier)
{
    AxisEditTexts texts;
    texts.yMax = fromEdit(strip->yMaxEdit->text());
    texts.yMin = fromEdit(strip->yMinEdit->text());
    texts.xStep = fromEdit(strip->xStepEdit->text());
    texts.yStep = fromEdit(strip->yStepEdit->text());
    texts.xMax = fromEdit(strip->xMaxEdit->text());
    texts.xMin = fromEdit(strip->xMinEdit->text());
    return parseAxisEdits(texts, zoom, unitMultiplier);
}

void CSprelinDlg::fillStatistics(const ChartState& chartState)
{
    ::fillStatistics(*files, chartState);
}

void CSprelinDlg::setChartFrameVisible(bool visible)
{
    frame->setVisible(visible);
    // Where no chart is, the hint says how to get one.
    hint->setVisible(!visible);
}

void CSprelinDlg::readViewControls(ChartState&)
{
    readControls();
}

void CSprelinDlg::writeViewControls(ChartState&)
{
    updateAxisEnables();
    writeControls();
}

void CSprelinDlg::updateAxisEnables()
{
    const ZoomEntry& zoom = state.currentZoom();
    const bool manualY = zoom.autoY == 0;
    const bool manualX = zoom.autoX == 0;
    strip->yMinEdit->setEnabled(manualY);
    strip->yMaxEdit->setEnabled(manualY);
    strip->yStepEdit->setEnabled(manualY);
    strip->xMinEdit->setEnabled(manualX);
    strip->xMaxEdit->setEnabled(manualX);
    strip->xStepEdit->setEnabled(manualX);
    strip->applyButton->setEnabled(manualY || manualX);
}

void CSprelinDlg::fillReferenceCombo()
{
    QComboBox* combo = strip->referenceCombo;
    combo->clear();
    combo->addItem(QString());
    for (int32_t m = 0; m < state.measurements.itemCount; ++m) {
        const RubberS2PData* measurement = state.measurements.measurement(m);
        combo->addItem(measurement != nullptr ? QString::fromStdString(measurement->displayName) : QString());
    }
    combo->setCurrentIndex(state.referenceIndex < 0 ? -1 : state.referenceIndex + 1);
}

void CSprelinDlg::rebuildFileList()
{
    ::rebuildFileList(*files, state, listUpdatingFlag);
    mouse->forgetHoverRow();
}

void CSprelinDlg::collectRowChecks()
{
    ::collectRowChecks(*files, state);
}

void CSprelinDlg::applyRowChecks()
{
    ::applyRowChecks(*files, state, listUpdatingFlag);
}

void CSprelinDlg::chooseTraceColour(int32_t slot)
{
    if (slot < 0 || slot >= paletteSize)
        return;
    const std::optional<QColor> colour
        = services.chooseColour(this, state.chart.palette[slot], uiTexts(language()).colourDialogTitle);
    if (!colour)
        return;
    const ListUpdating updating(listUpdatingFlag);
    state.chart.setPaletteColour(slot, *colour);
    files->replaceSwatch(slot, *colour);
    files->viewport()->repaint();
    redrawChart();
}

void CSprelinDlg::hideTraceRow(int32_t row)
{
    if (files->rowItem(row) == nullptr)
        return;
    {
        const ListUpdating updating(listUpdatingFlag);
        files->setRowChecked(row, false);
    }
    collectRowChecks();
    redrawChart();
}

void CSprelinDlg::redrawChart()
{
    // Showing the chart frame from inside a recomputation delivers its pending resize: that
    // must not start a second recomputation while the first holds the measurements locked.
    if (redrawing)
        return;
    redrawing = true;
    const BusyCursor busy;
    state.chart.setFrameSize(frame->size());
    ZoomEntry& zoom = state.currentZoom();
    recomputeChart(state, *this, zoom.autoX, zoom.autoY);
    frame->present(state.chart);
    redrawing = false;
}

std::vector<FailedFile> CSprelinDlg::loadPaths(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return {};
    const BusyCursor busy;
    const int32_t first = state.measurements.itemCount;
    const std::vector<LoadResult> results = services.loadFiles(state.measurements, paths);
    return settleLoad(state.measurements, first, paths, results);
}

void CSprelinDlg::reportFailedFiles(const std::vector<FailedFile>& failed)
{
    if (failed.empty())
        return;
    const UiTexts& texts = uiTexts(language());
    services.showError(this, texts.windowTitle, failedFilesMessage(failed, texts));
}

int32_t CSprelinDlg::openLimit()
{
    return std::max(0, maxOpenMeasurements - state.measurements.itemCount);
}

void CSprelinDlg::openPaths(const QStringList& paths)
{
    const std::vector<FailedFile> failed = loadPaths(localPaths(paths));
    afterLoad();
    reportFailedFiles(failed);
}

void CSprelinDlg::openFiles()
{
    const UiTexts& texts = uiTexts(language());
    const QString folder = QFile::decodeName(QByteArray::fromStdString(settings.OpenFolder));
    const QStringList chosen = services.chooseFiles(this, texts.openDialogTitle, texts.openFilter, folder);
    if (chosen.isEmpty())
        return;
    settings.OpenFolder = QFile::encodeName(QFileInfo(chosen.front()).absolutePath()).toStdString();
    openPaths(chosen.mid(0, openLimit()));
}

void CSprelinDlg::rereadFiles()
{
    const std::vector<std::string> paths = collectSourcePaths(state.measurements);
    state.measurements.removeAll();
    const std::vector<FailedFile> failed = loadPaths(paths);
    afterLoad();
    reportFailedFiles(failed);
}

void CSprelinDlg::afterLoad()
{
    removeEmptyMeasurements(state.measurements);
    // A reference that a load left without its measurement means no reference.
    if (state.referenceIndex >= state.measurements.itemCount)
        state.referenceIndex = -1;
    collectRowChecks();
    rebuildFileList();
    fillReferenceCombo();
    applyRowChecks();
    redrawChart();
}

void CSprelinDlg::closeEvent(QCloseEvent* event)
{
    runCloseSequence();
    event->accept();
}

void CSprelinDlg::runCloseSequence()
{
    if (closed)
        return;
    closed = true;
    saveListWidths();
    const bool normal = !isMinimized() && !isMaximized();
    chartStateIntoSettings(state, normal ? std::optional<QRect>(geometry()) : std::nullopt, settings);
    writeSettings(settings);
    state.buffers.releaseBuffers();
}

void CSprelinDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CSprelinDlg::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    event->acceptProposedAction();
    paths = paths.mid(0, openLimit());
    if (paths.isEmpty())
        return;
    // The drop is finished before the files load, so the source never waits for the load.
    QMetaObject::invokeMethod(
        this, [this, paths] { openPaths(paths); }, Qt::QueuedConnection);
}

void CSprelinDlg::onApply()
{
    const ZoomEntry& zoom = state.currentZoom();
    if (zoom.autoY == 1 && zoom.autoX == 1)
        return;
    if (!readAxisEdits())
        return;
    redrawChart();
}

void CSprelinDlg::onAutoAxis()
{
    readControls();
    updateAxisEnables();
    redrawChart();
}

void CSprelinDlg::onUnitChanged()
{
    const double oldMultiplier = state.unitMultiplier;
    readControls();
    // Texts that do not make a valid view were not taken, so the view still holds the range
    // in hertz and needs no scaling.
    if (readAxisEdits())
        keepFrequencyRange(state.currentZoom(), oldMultiplier, state.unitMultiplier);
    writeAxisEdits();
    redrawChart();
}

void CSprelinDlg::onMagnitudeMode()
{
    readControls();
    state.resetRowVisibility();
    applyRowChecks();
    redrawChart();
}

void CSprelinDlg::onTraceBox()
{
    readControls();
    state.resetRowVisibility();
    rebuildFileList();
    redrawChart();
}

void CSprelinDlg::onReferenceChanged()
{
    readControls();
    redrawChart();
}

void CSprelinDlg::onSpinner(AxisSpinner spinner, int delta)
{
    if (delta == 0 || !spinnerAxisManual(state.currentZoom(), spinner))
        return;
    if (!readAxisEdits())
        return;
    stepAxisSpinner(state.currentZoom(), spinner, delta);
    writeAxisEdits();
    redrawChart();
}

void CSprelinDlg::onRowCheckChanged()
{
    if (listUpdatingFlag != 0)
        return;
    collectRowChecks();
    redrawChart();
}

void CSprelinDlg::onRowClicked(int32_t row)
{
    if (files->rowItem(row) == nullptr)
        return;
    chooseTraceColour(files->itemData(row) % paletteSize);
}

void CSprelinDlg::onFirstColumnHeader()
{
    state.invertEnabledTraces();
    applyRowChecks();
    redrawChart();
}

void CSprelinDlg::onChartFrameResized()
{
    // The resizes while the window first shows are followed by the start-up's own redraw.
    if (shown)
        redrawChart();
}
