#include "csprelindlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include "caboutdlg.h"
#include "chartframe.h"
#include "chartmouse.h"
#include "chartsettings.h"
#include "controlstrip.h"
#include "delayaperturedlg.h"
#include "filecommands.h"
#include "filelistcontroller.h"
#include "fileloading.h"
#include "limitscontroller.h"
#include "mainmenu.h"
#include "markerscontroller.h"
#include "mlist.h"
#include "profilestorage.h"
#include "settingsrecord.h"
#include "uitexts.h"
#include "viewcontrols.h"
#include "windowpanes.h"
#include "windowplacement.h"

CSprelinDlg::CSprelinDlg(std::vector<std::string> commandLine, WindowServices windowServices)
    : settings(processSettings())
    , services(std::move(windowServices))
    , notice(*this)
{
    setAcceptDrops(true);
    windowPanes = new WindowPanes(*this, settings);
    list = new FileListController(*windowPanes->files, state, settings, services.chooseColour, this);
    views = new ViewControls(state, settings, *windowPanes, *list);
    files = new FileLoading(state, settings, services, *list, *views, this);
    commands = std::make_unique<FileCommands>(state, settings, services, this);
    limits = new LimitsController(state, settings, services, *windowPanes, this);
    markers = new MarkersController(state, settings, *windowPanes, this);
    buildMenu();
    connectParts();
    startUp(commandLine);
}

CSprelinDlg::~CSprelinDlg() = default;

void CSprelinDlg::buildMenu()
{
    menu = std::make_unique<MainMenu>(menuBar());
    const auto on = [this](MenuCommand command, auto handler) {
        connect(menu->action(command), &QAction::triggered, this, handler);
    };
    on(MenuCommand::open, [this] { files->openFiles(); });
    on(MenuCommand::close, [this] { files->closeFiles(-1); });
    on(MenuCommand::reread, [this] { files->rereadFiles(); });
    on(MenuCommand::openLimits, [this] { limits->openLimits(); });
    on(MenuCommand::closeLimits, [this] { limits->closeLimits(); });
    on(MenuCommand::exportWorkbook, [this] { commands->exportToSpreadsheet(); });
    on(MenuCommand::averagedS2P, [this] { commands->saveAveragedS2P(); });
    on(MenuCommand::saveImage, [this] { commands->saveChartImage(); });
    on(MenuCommand::copyImage, [this] { commands->copyChartImage(); });
    on(MenuCommand::copyTable, [this] { commands->copyPlottedTable(); });
    on(MenuCommand::exit, &QWidget::close);
    on(MenuCommand::normal, [this] { windowPanes->setNormalLayout(); });
    on(MenuCommand::largeGraph, [this] { windowPanes->setLargeGraph(); });
    on(MenuCommand::topmost, &CSprelinDlg::toggleTopmost);
    on(MenuCommand::smoothing, [this] { views->toggleSmoothing(); });
    on(MenuCommand::frequencyChart, [this] { views->setChartKind(ChartKind::frequency); });
    on(MenuCommand::smithChart, [this] { views->setChartKind(ChartKind::smith); });
    on(MenuCommand::polarChart, [this] { views->setChartKind(ChartKind::polar); });
    on(MenuCommand::admittanceGrid, [this] { views->toggleAdmittanceGrid(); });
    on(MenuCommand::wrappedPhase, [this] { views->setPhaseMode(PhaseWrapped); });
    on(MenuCommand::unwrappedPhase, [this] { views->setPhaseMode(PhaseUnwrapped); });
    on(MenuCommand::groupDelay, [this] { views->setPhaseMode(PhaseDelay); });
    on(MenuCommand::delayAperture, &CSprelinDlg::chooseDelayAperture);
    on(MenuCommand::markers, [this] { markers->openDialog(); });
    on(MenuCommand::russian, [this] { setLanguage(Language::russian); });
    on(MenuCommand::english, [this] { setLanguage(Language::english); });
    on(MenuCommand::about, &CSprelinDlg::showAbout);
    // A checkable command flips its own mark when chosen; the marks always show the state,
    // also after a command that changed nothing.
    for (MenuCommand command : { MenuCommand::normal, MenuCommand::largeGraph, MenuCommand::topmost,
             MenuCommand::smoothing, MenuCommand::russian, MenuCommand::english, MenuCommand::frequencyChart,
             MenuCommand::smithChart, MenuCommand::polarChart, MenuCommand::admittanceGrid,
             MenuCommand::wrappedPhase, MenuCommand::unwrappedPhase, MenuCommand::groupDelay })
        on(command, &CSprelinDlg::updateMenuChecks);
}

void CSprelinDlg::connectParts()
{
    connect(list, &FileListController::chartChanged, views, &ViewControls::redrawChart);
    connect(limits, &LimitsController::chartChanged, views, &ViewControls::redrawChart);
    connect(markers, &MarkersController::chartChanged, views, &ViewControls::redrawChart);
    // The marker columns follow the limits column, which the verdicts put there first.
    connect(views, &ViewControls::chartRedrawn, limits, &LimitsController::showVerdicts);
    connect(views, &ViewControls::chartRedrawn, markers, &MarkersController::showValues);
    connect(views, &ViewControls::memoryReported, this, [this](bool ranOut) {
        const QString& text = uiTexts(language()).chartOutOfMemory;
        if (ranOut)
            notice.show(text);
        else
            notice.withdraw(text);
    });
    connect(windowPanes, &WindowPanes::layoutSwitched, this, [this] {
        views->redrawChart();
        updateMenuChecks();
    });
    // The dialog runs after the click has been handled, since closing rebuilds the list.
    connect(
        windowPanes->files, &MList::closeLinkClicked, files, [this](int32_t m) { files->closeFiles(m); },
        Qt::QueuedConnection);
    // The resizes while the window first shows are followed by the start-up's own redraw.
    connect(windowPanes->frame, &ChartFrame::resized, views, [this] {
        if (shown)
            views->redrawChart();
    });

    ChartMouse::Parts parts;
    parts.state = &state;
    parts.host = views;
    parts.settings = &settings;
    parts.frame = windowPanes->frame;
    parts.files = windowPanes->files;
    parts.stats = windowPanes->stats;
    parts.splitter = windowPanes->splitter;
    parts.background = windowPanes->client;
    parts.listUpdating = list->updatingFlag();
    parts.frameWidth = windowPanes->frameWidth();
    parts.bandwidthDrop = markers->bandwidthDrop();
    mouse = new ChartMouse(parts, services.chooseFromMenu, this);
    connect(list, &FileListController::rebuilt, mouse, [this] {
        mouse->forgetHoverRow();
        markers->forgetSearch();
    });
    connect(mouse, &ChartMouse::openFilesRequested, files, &FileLoading::openFiles);
    connect(mouse, &ChartMouse::hideRowRequested, list, &FileListController::hideTraceRow);
    connect(mouse, &ChartMouse::colourRequested, list, &FileListController::chooseTraceColour);
    connect(mouse, &ChartMouse::closeRequested, files, &FileLoading::closeFiles);
    connect(mouse, &ChartMouse::addMarkerRequested, markers, &MarkersController::addMarker);
    connect(mouse, &ChartMouse::searchRequested, markers, &MarkersController::searchRow);
}

void CSprelinDlg::startUp(const std::vector<std::string>& commandLine)
{
    readSettings(settings);
    settings.MX = storedUnitMultiplier(settings);
    limits->openStored();

    state.chart.attach(font(), windowPanes->frame->size());
    windowPanes->setUpListColumns();
    windowPanes->files->buildSwatches(
        std::vector<QColor>(state.chart.palette.begin(), state.chart.palette.end()));

    chartStateFromSettings(settings, state);
    applyLanguage();
    // Such a file is neither read nor written; the user is told once.
    if (profileIsNotAFile(settings.settingsPath))
        notice.show(uiTexts(language()).settingsNotAFile.arg(QString::fromStdString(settings.settingsPath)));
    windowPanes->layOut();
    views->writeControls();
    views->writeAxisEdits();
    state.resetRowVisibility();
    state.referenceIndex = -1;

    placeWindow();
    applyTopmost();
    show();
    shown = true;
    views->redrawChart();
    windowPanes->restoreListWidths();
    views->updateAxisEnables();

    files->openCommandLine(commandLine);
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

void CSprelinDlg::applyLanguage()
{
    const UiTexts& texts = uiTexts(language());
    qtTexts.useLanguage(language());
    state.language = language();
    setWindowTitle(texts.windowTitle);
    menu->applyTexts(texts);
    updateMenuChecks();
    ControlStrip* strip = windowPanes->strip;
    strip->applyTexts(texts);
    // The strip stays where it is and takes the size its texts need.
    strip->resize(strip->sizeHint());
    windowPanes->files->setHeaderLabels(QStringList(texts.listColumns.begin(), texts.listColumns.end()));
    windowPanes->files->setCloseLinkText(texts.closeLink);
    windowPanes->hint->setText(texts.chartHint);
    limits->showVerdicts();
    markers->showValues();
}

void CSprelinDlg::updateMenuChecks()
{
    menu->setChecks(language(), settings.Topmost != 0, windowPanes->largeGraph(), settings.Filter != 0);
    menu->setChartChecks(state.chartKind, state.admittanceGrid != 0);
    menu->setPhaseMode(state.phaseMode);
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

void CSprelinDlg::showAbout()
{
    CAboutDlg about(language(), this);
    about.exec();
}

void CSprelinDlg::chooseDelayAperture()
{
    // The width the aperture takes on the loaded measurements, from their mean steps.
    double low = 0;
    double high = 0;
    for (int32_t m = 0; m < state.measurements.itemCount; ++m) {
        const RubberS2PData* measurement = state.measurements.measurement(m);
        if (measurement == nullptr || !(measurement->freqStep > 0) || !std::isfinite(measurement->freqStep))
            continue;
        low = low > 0 ? std::min(low, measurement->freqStep) : measurement->freqStep;
        high = std::max(high, measurement->freqStep);
    }
    DelayApertureDlg dialog(state.delayAperture, low, high, language(), this);
    if (dialog.exec() == QDialog::Accepted)
        views->setDelayAperture(dialog.aperture());
}

Language CSprelinDlg::language() const
{
    return languageOf(settings.Language);
}

void CSprelinDlg::setLanguage(Language language)
{
    settings.Language = storedLanguage(language);
    applyLanguage();
    // The delay unit on the axis and in the list is written in the language.
    if (state.phaseMode == PhaseDelay)
        views->redrawChart();
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
    windowPanes->saveListWidths();
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
    files->openDropped(paths);
}
