#include "csprelindlg.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "axisedits.h"
#include "axisspinbox.h"
#include "busycursor.h"
#include "chartframe.h"
#include "controlstrip.h"
#include "dialogunits.h"
#include "filelistrows.h"
#include "loader.h"
#include "mlist.h"
#include "presentchart.h"
#include "recomputechart.h"
#include "reloadorder.h"
#include "settingsrecord.h"
#include "statsstrip.h"
#include "uitexts.h"
#include "unitmultiplier.h"
#include "windowplacement.h"

namespace {

// The window's design size, and the file list's width in it, in dialog units.
constexpr int designWidth = 560;
constexpr int designHeight = 392;
constexpr int designListWidth = 172;
constexpr int listColumnCount = 5;

// The settings keys of the trace check boxes, in trace order.
std::array<int32_t*, tracesPerMeasurement> traceKeys(SettingsRecord& s)
{
    return { &s.S11m, &s.S11a, &s.S21m, &s.S21a, &s.S12m, &s.S12a, &s.S22m, &s.S22a };
}

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
    s.chooseFiles = [](QWidget* parent, const QString& title, const QString& filter) {
        return QFileDialog::getOpenFileNames(
            parent, title, QString(), filter, nullptr, QFileDialog::HideNameFilterDetails);
    };
    s.chooseColour
        = [](QWidget* parent, const QColor& current, const QString& title) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(current, parent, title);
        if (!colour.isValid())
            return std::nullopt;
        return colour;
    };
    s.loadFiles = [](RubberS2P& list, const std::vector<std::string>& paths) { ::loadFiles(list, paths); };
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
    const DialogUnits du(fontMetrics());

    strip = new ControlStrip(central);
    strip->setObjectName(QStringLiteral("controlStrip"));

    auto* chartPane = new QWidget(central);
    stats = new StatsStrip(chartPane);
    stats->setObjectName(QStringLiteral("statsList"));
    frame = new ChartFrame(chartPane);
    frame->setObjectName(QStringLiteral("chartFrame"));
    auto* chartLayout = new QVBoxLayout(chartPane);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->setSpacing(du.y(1));
    chartLayout->addWidget(stats);
    chartLayout->addWidget(frame, 1);

    files = new MList(central);
    files->setObjectName(QStringLiteral("fileList"));

    splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->addWidget(chartPane);
    splitter->addWidget(files);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, du.x(4), du.y(4));
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(splitter, 1);
    chartLayout->setContentsMargins(du.x(4), 0, 0, 0);
    setCentralWidget(central);
    resize(du.x(designWidth), du.y(designHeight));
}

void CSprelinDlg::buildMenu()
{
    fileMenu = menuBar()->addMenu(QString());
    openAction = fileMenu->addAction(QString());
    openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    rereadAction = fileMenu->addAction(QString());
    rereadAction->setShortcut(QKeySequence(Qt::Key_F5));
    fileMenu->addSeparator();
    exitAction = fileMenu->addAction(QString());
    exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(openAction, &QAction::triggered, this, &CSprelinDlg::openFiles);
    connect(rereadAction, &QAction::triggered, this, &CSprelinDlg::rereadFiles);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
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
    connect(frame, &ChartFrame::resized, this, &CSprelinDlg::onChartFrameResized);
}

void CSprelinDlg::startUp(const std::vector<std::string>& commandLine)
{
    readSettings(settings);
    // The unit is always one of the four; a stored multiplier in between counts as its unit.
    unitMultiplier = unitMultiplierOf(unitIndexOf(settings.MX));
    settings.MX = unitMultiplier;

    state.chart.attach(font(), frame->size());

    const DialogUnits du(fontMetrics());
    files->setColumnCount(listColumnCount);
    const std::vector<int> widths = files->startColumnWidths(du.x(designListWidth));
    for (int c = 0; c < listColumnCount; ++c)
        files->setColumnWidth(c, widths[c]);
    files->buildSwatches(std::vector<QColor>(state.chart.palette.begin(), state.chart.palette.end()));

    const std::array<int32_t*, tracesPerMeasurement> keys = traceKeys(settings);
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        state.traceEnabled[k] = *keys[k];

    ZoomEntry& first = state.currentZoom();
    first.xMin = 0;
    first.xMax = 100 * unitMultiplier;
    first.xStep = 10 * unitMultiplier;
    first.yMin = 0;
    first.yMax = 100;
    first.yStep = 10;
    if (settings.AutoY == 0) {
        ZoomEntry& stored = state.zoomList.pushZoom();
        stored.autoX = settings.AutoX;
        stored.autoY = settings.AutoY;
        stored.xMin = settings.MinX * unitMultiplier;
        stored.xMax = settings.MaxX * unitMultiplier;
        stored.xStep = settings.dX * unitMultiplier;
        stored.yMin = settings.MinY;
        stored.yMax = settings.MaxY;
        stored.yStep = settings.dY;
    }

    state.dbMode = settings.Units == 0 ? 1 : 0;
    state.smoothing = settings.Filter;
    applyLanguage();
    writeControls();
    writeAxisEdits();
    resetRowVisibility();

    state.referenceIndex = -1;
    listUpdatingFlag = 0;
    modernListView = 1;
    const QString point = QLocale::system().decimalPoint();
    separator = point.isEmpty() ? QLatin1Char('.') : point.at(0);
    hoverRow = -1;

    placeWindow();
    setWindowFlag(Qt::WindowStaysOnTopHint, settings.Topmost != 0);
    show();
    shown = true;
    redrawChart();
    restoreListWidths();
    updateAxisEnables();

    loadPaths(commandLine);
    afterLoad();
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

void CSprelinDlg::restoreListWidths()
{
    for (int c = 0; c < listColumnCount; ++c) {
        if (settings.columnWidth[c] != 0)
            files->setColumnWidth(c, settings.columnWidth[c]);
    }
    const QList<int> sizes = splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    const int chartWidth = total - settings.listWidth;
    if (settings.listWidth > 0 && chartWidth > frame->minimumWidth())
        splitter->setSizes({ chartWidth, settings.listWidth });
}

void CSprelinDlg::saveListWidths()
{
    for (int c = 0; c < listColumnCount; ++c)
        settings.columnWidth[c] = files->columnWidth(c);
    settings.listWidth = files->width();
}

void CSprelinDlg::applyLanguage()
{
    const UiTexts& texts = uiTexts(settings.Language);
    setWindowTitle(texts.windowTitle);
    fileMenu->setTitle(texts.fileMenu);
    openAction->setText(texts.openCommand);
    rereadAction->setText(texts.rereadCommand);
    exitAction->setText(texts.exitCommand);
    strip->applyTexts(texts);
    files->setHeaderLabels(QStringList(texts.listColumns.begin(), texts.listColumns.end()));
    files->setCloseLinkText(texts.closeLink);
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
    unitMultiplier = unitMultiplierOf(unit < 0 ? 2 : unit);
    settings.MX = unitMultiplier;
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
    strip->unitCombo->setCurrentIndex(unitIndexOf(unitMultiplier));
}

void CSprelinDlg::writeAxisEdits()
{
    writeAxisEdits(state.currentZoom());
}

bool CSprelinDlg::readAxisEdits()
{
    return readAxisEdits(state.currentZoom());
}

void CSprelinDlg::writeAxisEdits(const ZoomEntry& zoom)
{
    const AxisEditTexts texts = formatAxisEdits(zoom, unitMultiplier);
    strip->yMaxEdit->setEditText(editText(texts.yMax));
    strip->yMinEdit->setEditText(editText(texts.yMin));
    strip->xStepEdit->setText(editText(texts.xStep));
    strip->yStepEdit->setText(editText(texts.yStep));
    strip->xMaxEdit->setEditText(editText(texts.xMax));
    strip->xMinEdit->setEditText(editText(texts.xMin));
}

bool CSprelinDlg::readAxisEdits(ZoomEntry& zoom)
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

void CSprelinDlg::resetRowVisibility()
{
    ensureRowVisibility(state);
    state.resetRowVisibility();
}

void CSprelinDlg::rebuildFileList()
{
    ::rebuildFileList(*files, state, listUpdatingFlag);
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
    const std::optional<QColor> colour = services.chooseColour(
        this, state.chart.palette[slot], uiTexts(settings.Language).colourDialogTitle);
    if (!colour)
        return;
    const int32_t previous = listUpdatingFlag;
    listUpdatingFlag = 1;
    state.chart.setPaletteColour(slot, *colour);
    files->replaceSwatch(slot, *colour);
    files->viewport()->repaint();
    redrawChart();
    listUpdatingFlag = previous;
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
    frame->present(presentChart(state.chart));
    redrawing = false;
}

void CSprelinDlg::loadPaths(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    const BusyCursor busy;
    services.loadFiles(state.measurements, paths);
}

int32_t CSprelinDlg::openLimit()
{
    return std::max(0, maxOpenMeasurements - state.measurements.itemCount);
}

void CSprelinDlg::openPaths(const QStringList& paths)
{
    loadPaths(localPaths(paths));
    afterLoad();
}

void CSprelinDlg::openFiles()
{
    const UiTexts& texts = uiTexts(settings.Language);
    const QStringList chosen = services.chooseFiles(this, texts.openDialogTitle, texts.openFilter);
    if (chosen.isEmpty())
        return;
    openPaths(chosen.mid(0, openLimit()));
}

void CSprelinDlg::rereadFiles()
{
    const std::vector<std::string> paths = collectSourcePaths(state.measurements);
    {
        const BusyCursor busy;
        state.measurements.removeAll();
        services.loadFiles(state.measurements, paths);
        removeEmptyMeasurements(state.measurements);
        restoreFileOrder(state.measurements, paths);
    }
    afterLoad();
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
    if (!isMinimized() && !isMaximized()) {
        const QRect g = geometry();
        settings.Left = g.left();
        settings.Top = g.top();
        settings.Right = g.left() + g.width();
        settings.Bottom = g.top() + g.height();
    }
    const ZoomEntry& zoom = state.currentZoom();
    settings.AutoX = zoom.autoX;
    settings.AutoY = zoom.autoY;
    settings.MX = unitMultiplier;
    settings.MinX = zoom.xMin / unitMultiplier;
    settings.MaxX = zoom.xMax / unitMultiplier;
    settings.dX = zoom.xStep / unitMultiplier;
    settings.MinY = zoom.yMin;
    settings.MaxY = zoom.yMax;
    settings.dY = zoom.yStep;
    settings.Units = state.dbMode == 0 ? 1 : 0;
    const std::array<int32_t*, tracesPerMeasurement> keys = traceKeys(settings);
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        *keys[k] = state.traceEnabled[k];
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
    const double oldMultiplier = unitMultiplier;
    readControls();
    // Texts that do not make a valid view were not taken, so the view still holds the range
    // in hertz and needs no scaling.
    if (readAxisEdits())
        keepFrequencyRange(state.currentZoom(), oldMultiplier, unitMultiplier);
    writeAxisEdits();
    redrawChart();
}

void CSprelinDlg::onMagnitudeMode()
{
    readControls();
    resetRowVisibility();
    applyRowChecks();
    redrawChart();
}

void CSprelinDlg::onTraceBox()
{
    readControls();
    resetRowVisibility();
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
    invertEnabledTraces(state);
    applyRowChecks();
    redrawChart();
}

void CSprelinDlg::onChartFrameResized()
{
    // The resizes while the window first shows are followed by the start-up's own redraw.
    if (shown)
        redrawChart();
}
