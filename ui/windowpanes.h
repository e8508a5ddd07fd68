#pragma once

#include <QObject>
#include <QRect>

#include <cstdint>

#include "panelayout.h"

class ChartFrame;
class ControlStrip;
class MList;
class QLabel;
class QMainWindow;
class QWidget;
class SplitterHandle;
class StatsStrip;
struct SettingsRecord;

// The panes of the main window's client area: the control strip along the top, under it the
// readout strip over the chart on the left and the file list on the right, the splitter between
// chart and list, and the hint in the chart's place while nothing is loaded. They are placed by
// hand, so that the chart takes every change of size and nothing moves while the chart would be
// too small; Large graph and Normal switch between the two layouts.
class WindowPanes : public QObject {
    Q_OBJECT
public:
    // Makes the panes in a new client area of window, which takes it as its central widget.
    WindowPanes(QMainWindow& window, SettingsRecord& settings);

    // The file list's columns at their start widths.
    void setUpListColumns();
    // The design's layout at the window's font; the window takes the design's size.
    void layOut();
    // The stored column widths and list width into the file list, and back.
    void restoreListWidths();
    void saveListWidths();

    // The panes as they lie now, and the client rectangle of the last accepted resize.
    PaneLayout current() const;
    QRect lastClientRect() const { return clientRect; }
    // The splitter to x in client coordinates, as a drag of its handle does.
    void moveSplitter(int x);
    // View / Large graph: only the readout strip, the chart and the file list, at the top.
    // View / Normal: the control strip and the panes where they were.
    void setLargeGraph();
    void setNormalLayout();
    // 1 while the Large graph layout is in force, 0 for Normal.
    int32_t largeGraph() const { return largeGraphLayout; }
    // Shows the chart frame or, where no chart is, the hint that says how to get one.
    void setChartFrameVisible(bool visible);
    // Half the splitter band: the width of a window's sizing frame.
    int32_t frameWidth() const { return sizingFrameWidth; }

    ControlStrip* strip = nullptr;
    StatsStrip* stats = nullptr;
    ChartFrame* frame = nullptr;
    MList* files = nullptr;
    SplitterHandle* splitter = nullptr;
    QLabel* hint = nullptr;
    QWidget* client = nullptr; // the client area around the panes

signals:
    // Large graph or Normal took effect.
    void layoutSwitched();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placePanes(const PaneLayout& layout);
    void onClientResized(const QSize& size);

    QMainWindow& window;
    SettingsRecord& settings;
    QRect clientRect; // the client area as of the last accepted layout
    int32_t largeGraphLayout = 0;
    int32_t savedChartTop = 0;
    int32_t savedListTop = 0;
    int32_t splitterBusy = 0;
    int32_t sizingFrameWidth = 4;
};
