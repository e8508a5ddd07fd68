#include "chartmouse.h"

#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

#include "chartframe.h"
#include "charthost.h"
#include "chartstate.h"
#include "cursorreadout.h"
#include "filelistrows.h"
#include "mlist.h"
#include "planereadout.h"
#include "planezoom.h"
#include "presentchart.h"
#include "settingsrecord.h"
#include "splitterhandle.h"
#include "statsstrip.h"
#include "uitexts.h"

namespace {

// One notch of a standard mouse wheel, in Qt's eighths of a degree. Touchpads and smooth
// wheels send smaller deltas, which add up to a step.
constexpr int wheelNotch = 120;
// The file list's column of the value at the cursor.
constexpr int currentColumn = 1;

} // namespace

ChartMouse::ChartMouse(const Parts& windowParts, MenuChooser chooser, QObject* parent)
    : QObject(parent)
    , parts(windowParts)
    , chooseFromMenu(std::move(chooser))
{
    parts.frame->setMouseTracking(true);
    // The right button is the mouse's own: it cancels a band or opens the trace menu.
    parts.frame->setContextMenuPolicy(Qt::PreventContextMenu);
    parts.background->setContextMenuPolicy(Qt::PreventContextMenu);
    parts.frame->installEventFilter(this);
    parts.background->installEventFilter(this);
}

bool ChartMouse::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts.background) {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::RightButton)
            return false;
        onRightPress(parts.frame->mapFrom(parts.background, press->position().toPoint()),
            press->globalPosition().toPoint());
        return true;
    }
    if (watched != parts.frame)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        onMove(move->position().toPoint(), move->buttons());
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* press = static_cast<QMouseEvent*>(event);
        const QPoint p = press->position().toPoint();
        if (press->button() == Qt::LeftButton)
            onLeftPress(p, press->modifiers());
        else if (press->button() == Qt::MiddleButton)
            onMiddlePress(p);
        else if (press->button() == Qt::RightButton)
            onRightPress(p, press->globalPosition().toPoint());
        return true;
    }
    case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        onWheel(wheel->position().toPoint(), wheel->angleDelta().y());
        return true;
    }
    default:
        return false;
    }
}

void ChartMouse::onMove(const QPoint& p, Qt::MouseButtons buttons)
{
    ChartState& state = *parts.state;
    if (planeChart(state)) {
        onPlaneMove(p, buttons);
        return;
    }
    std::optional<ChartPointer> pointer = chartPointerAt(state, p.x(), p.y());
    if (!pointer)
        return;
    if (buttons.testFlag(Qt::MiddleButton) && drag.zoomMode == 0) {
        if (panStep(state, *parts.host, drag, p.x(), p.y())) {
            present(ChartOverlay());
            // The grid may have changed with the view.
            pointer = chartPointerAt(state, p.x(), p.y());
            if (!pointer)
                return;
        }
    } else if (drag.zoomMode == 0) {
        ChartOverlay cursor;
        cursor.column = state.buffers.pixelColumn[static_cast<size_t>(pointer->column)];
        parts.frame->moveOverlay(cursor);
    } else {
        moveBand(p);
    }
    updateReadout(pointer->column, pointer->value);
    // Keys such as the menu's shortcuts reach the window, not an edit box left behind.
    parts.frame->setFocus(Qt::MouseFocusReason);
}

void ChartMouse::moveBand(const QPoint& p)
{
    drag.rubberRect.right = p.x();
    drag.rubberRect.bottom = p.y();
    ChartOverlay band;
    band.hasRectangle = true;
    band.rectangle = drag.rubberRect;
    parts.frame->moveOverlay(band);
}

void ChartMouse::onPlaneMove(const QPoint& p, Qt::MouseButtons buttons)
{
    ChartState& state = *parts.state;
    const PixelRect plot = state.chart.plotRect();
    if (p.x() < plot.left || p.x() >= plot.right || p.y() < plot.top || p.y() >= plot.bottom)
        return;
    if (drag.zoomMode != 0) {
        moveBand(p);
    } else if (buttons.testFlag(Qt::MiddleButton) && panStep(state, *parts.host, drag, p.x(), p.y())) {
        present(ChartOverlay());
    }
    if (drag.zoomMode == 0)
        updatePlaneReadout(p);
    parts.frame->setFocus(Qt::MouseFocusReason);
}

void ChartMouse::onLeftPress(const QPoint& p, Qt::KeyboardModifiers modifiers)
{
    ChartState& state = *parts.state;
    if (modifiers.testFlag(Qt::ShiftModifier) && drag.zoomMode == 0) {
        if (const std::optional<double> hertz = cursorFrequency(p))
            emit addMarkerRequested(*hertz);
        return;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        if (stepBack(state, *parts.host))
            present(ChartOverlay());
        onMove(p, Qt::NoButton);
        return;
    }
    // The band around the splitter belongs to the splitter.
    if (p.x() >= state.chart.plotRect().right - parts.frameWidth)
        return;
    const int32_t before = drag.zoomMode;
    rubberBandClick(state, *parts.host, drag, p.x(), p.y());
    if (before == 1 && drag.zoomMode == 0)
        present(ChartOverlay());
    setBandOpen(drag.zoomMode == 1);
}

void ChartMouse::onMiddlePress(const QPoint& p)
{
    if (drag.zoomMode != 0)
        return;
    drag.panStartX = p.x();
    drag.panStartY = p.y();
}

void ChartMouse::onRightPress(const QPoint& p, const QPoint& globalPos)
{
    if (drag.zoomMode == 1) {
        drag.zoomMode = 0;
        setBandOpen(false);
        present(ChartOverlay());
        onMove(p, Qt::NoButton);
        return;
    }
    showContextMenu(p, globalPos);
}

std::optional<double> ChartMouse::cursorFrequency(const QPoint& p)
{
    ChartState& state = *parts.state;
    if (planeChart(state))
        return std::nullopt;
    const std::optional<ChartPointer> pointer = chartPointerAt(state, p.x(), p.y());
    if (!pointer)
        return std::nullopt;
    return state.buffers.freqGrid[static_cast<size_t>(pointer->column)] * state.unitMultiplier;
}

void ChartMouse::onWheel(const QPoint& p, int delta)
{
    ChartState& state = *parts.state;
    if (state.measurements.itemCount == 0 || drag.zoomMode == 1)
        return;
    const std::optional<PixelRect> rect = wheelZoomRect(state.chart.plotRect(), p.x(), p.y());
    if (!rect)
        return;
    // A turn the other way starts counting afresh.
    if ((delta > 0 && wheelDelta < 0) || (delta < 0 && wheelDelta > 0))
        wheelDelta = 0;
    wheelDelta += delta;
    const int steps = wheelDelta / wheelNotch;
    wheelDelta -= steps * wheelNotch;
    bool changed = false;
    for (int i = 0; i < std::abs(steps); ++i) {
        if (steps > 0)
            changed = zoomToRect(state, *parts.host, true, rect->left, rect->top, rect->right, rect->bottom)
                || changed;
        else
            changed = stepBack(state, *parts.host) || changed;
    }
    if (steps == 0)
        return;
    present(ChartOverlay());
    if (changed)
        onMove(p, Qt::NoButton);
}

std::vector<int32_t> ChartMouse::rowTraces() const
{
    const MList& files = *parts.files;
    std::vector<int32_t> traces(static_cast<size_t>(files.rowCount()));
    for (int32_t r = 0; r < files.rowCount(); ++r)
        traces[static_cast<size_t>(r)] = files.itemData(r);
    return traces;
}

void ChartMouse::updateReadout(int32_t column, double pointerValue)
{
    const std::optional<CursorReadout> readout
        = cursorReadout(*parts.state, rowTraces(), column, pointerValue);
    if (readout)
        showReadout(*readout);
}

void ChartMouse::updatePlaneReadout(const QPoint& p)
{
    ChartState& state = *parts.state;
    std::optional<PlaneCursor> cursor = planeCursorReadout(state, rowTraces(), p.x(), p.y());
    if (!cursor)
        return;
    ChartOverlay marker;
    marker.hasMarker = true;
    marker.markerX = static_cast<int32_t>(std::lround(cursor->marker.x()));
    marker.markerY = static_cast<int32_t>(std::lround(cursor->marker.y()));
    parts.frame->moveOverlay(marker);
    // The loci are absolute values whatever the reference box says.
    if (state.referenceIndex >= 0)
        cursor->readout.strip[readoutColumnCount - 1]
            = uiTexts(languageOf(parts.settings->Language)).relativeNotApplied.toStdString();
    showReadout(cursor->readout);
}

void ChartMouse::showReadout(const CursorReadout& readout)
{
    MList& files = *parts.files;
    const ListUpdating updating(*parts.listUpdating);
    hover = readout.hoverRow;
    for (int32_t r = 0; r < files.rowCount(); ++r) {
        QTreeWidgetItem* item = files.rowItem(r);
        const QString text = QString::fromStdString(readout.current[static_cast<size_t>(r)]);
        // Unchanged texts are left alone: each change repaints its row.
        if (item->text(currentColumn) != text)
            item->setText(currentColumn, text);
    }
    for (int c = 0; c < readoutColumnCount; ++c)
        parts.stats->setColumnText(c, QString::fromStdString(readout.strip[static_cast<size_t>(c)]));
    if (hover < 0) {
        if (files.markedRow >= 0)
            files.setMarkedRow(-1);
        return;
    }
    QTreeWidgetItem* marked = files.rowItem(hover);
    if (files.markedRow != hover)
        files.setMarkedRow(hover);
    // The current row, as keys would move it; the marking alone shows it.
    files.setCurrentItem(marked, 0, QItemSelectionModel::NoUpdate);
    files.scrollToItem(marked);
    if (QTreeWidgetItem* above = files.itemAbove(marked))
        files.scrollToItem(above);
}

void ChartMouse::showContextMenu(const QPoint& p, const QPoint& globalPos)
{
    const MList& files = *parts.files;
    const int32_t row = hover;
    if (row < 0 || row >= files.rowCount())
        return;
    const int32_t m = files.groupOfRow(row);
    RubberS2PData* measurement = parts.state->measurements.measurement(m);
    const QString name
        = measurement != nullptr ? QString::fromStdString(measurement->displayName) : QString();
    const double drop = parts.bandwidthDrop != nullptr ? *parts.bandwidthDrop : defaultBandwidthDrop;
    const std::unique_ptr<QMenu> menu = makeChartMenu(
        uiTexts(languageOf(parts.settings->Language)), name, files.rowItem(row)->text(0), drop, parts.frame);
    switch (chartMenuCommandOf(chooseFromMenu(*menu, globalPos))) {
    case ChartMenuCommand::openFile:
        emit openFilesRequested();
        break;
    case ChartMenuCommand::hideTrace:
        emit hideRowRequested(row);
        break;
    case ChartMenuCommand::traceColour:
        emit colourRequested(files.itemData(row) % paletteSize);
        break;
    case ChartMenuCommand::closeFile:
        emit closeRequested(m);
        break;
    case ChartMenuCommand::addMarker:
        if (const std::optional<double> hertz = cursorFrequency(p))
            emit addMarkerRequested(*hertz);
        break;
    case ChartMenuCommand::markerMaximum:
        emit searchRequested(row, SearchKind::maximum);
        break;
    case ChartMenuCommand::markerMinimum:
        emit searchRequested(row, SearchKind::minimum);
        break;
    case ChartMenuCommand::markerBandwidth:
        emit searchRequested(row, SearchKind::bandwidth);
        break;
    case ChartMenuCommand::none:
        break;
    }
}

void ChartMouse::present(const ChartOverlay& overlay)
{
    parts.frame->present(parts.state->chart, overlay);
}

void ChartMouse::setBandOpen(bool open)
{
    // While a band is open the pointer may draw it up to the plot's right edge, under the
    // splitter's band.
    parts.splitter->setAttribute(Qt::WA_TransparentForMouseEvents, open);
}
