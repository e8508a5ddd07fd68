#pragma once

#include <QObject>
#include <QPoint>

#include <cstdint>
#include <optional>
#include <vector>

#include "chartcontextmenu.h"
#include "chartzoom.h"
#include "markersearch.h"

class ChartFrame;
class ChartHost;
class MList;
class SplitterHandle;
class StatsStrip;
struct ChartOverlay;
struct CursorReadout;
struct ChartState;
struct SettingsRecord;

// The mouse over the chart: the cursor line and its readout into the file list and the
// readout strip, the rubber band, the wheel zoom, stepping back, panning with the middle
// button, the context menu and Shift+click for a marker. It turns the chart frame's Qt events into the chart's own
// readout and zoom operations; what they decide is theirs.
class ChartMouse : public QObject {
    Q_OBJECT
public:
    // The window's parts the mouse reads and writes.
    struct Parts {
        ChartState* state = nullptr;
        ChartHost* host = nullptr;
        const SettingsRecord* settings = nullptr; // the language of the context menu
        ChartFrame* frame = nullptr;
        MList* files = nullptr;
        StatsStrip* stats = nullptr;
        SplitterHandle* splitter = nullptr;
        QWidget* background = nullptr; // the window's client area around the panes
        int32_t* listUpdating = nullptr; // the file list's change reports are ignored while set
        int32_t frameWidth = 0; // half the splitter band
        const double* bandwidthDrop = nullptr; // the level of the context menu's bandwidth search
    };

    ChartMouse(const Parts& parts, MenuChooser chooseFromMenu, QObject* parent = nullptr);

    // The file list row of the trace nearest the pointer at the last readout; -1 for none.
    int32_t hoverRow() const { return hover; }
    // The list was rebuilt: its rows are no longer the ones read.
    void forgetHoverRow() { hover = -1; }
    const ZoomDrag& zoomDrag() const { return drag; }

    // Fills the "Current" column of every file list row and the readout strip for grid
    // column c with the pointer at pointerValue, marks the row nearest the pointer and scrolls
    // it into view with the row above it.
    void updateReadout(int32_t column, double pointerValue);
    // The same over a Smith or polar chart with the pointer at p: the nearest drawn point
    // ringed, its row marked.
    void updatePlaneReadout(const QPoint& p);

signals:
    // The context menu's choices: open files; hide the trace of a file list row; choose the
    // colour of a palette slot; the close-files dialog with a measurement preselected.
    void openFilesRequested();
    void hideRowRequested(int32_t row);
    void colourRequested(int32_t slot);
    void closeRequested(int32_t measurement);
    // A marker at a frequency in hertz: Shift and the left button, or the context menu, at the
    // cursor's grid frequency.
    void addMarkerRequested(double hertz);
    // The context menu's searches on the trace of a file list row.
    void searchRequested(int32_t row, SearchKind kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onMove(const QPoint& p, Qt::MouseButtons buttons);
    void onPlaneMove(const QPoint& p, Qt::MouseButtons buttons);
    // The open rubber band's corner follows the pointer to p.
    void moveBand(const QPoint& p);
    // The file list's "Current" column, the strip and the marked row from a readout.
    void showReadout(const CursorReadout& readout);
    std::vector<int32_t> rowTraces() const;
    void onLeftPress(const QPoint& p, Qt::KeyboardModifiers modifiers);
    void onMiddlePress(const QPoint& p);
    void onRightPress(const QPoint& p, const QPoint& globalPos);
    void onWheel(const QPoint& p, int delta);
    void showContextMenu(const QPoint& p, const QPoint& globalPos);
    // The grid frequency of the cursor at p in hertz, on a frequency chart that has a grid.
    std::optional<double> cursorFrequency(const QPoint& p);
    // Shows the chart, drawn anew, with the overlay.
    void present(const ChartOverlay& overlay);
    void setBandOpen(bool open);

    Parts parts;
    MenuChooser chooseFromMenu;
    ZoomDrag drag;
    int32_t hover = -1;
    int wheelDelta = 0; // wheel turn not yet counted as a step, in eighths of a degree
};
