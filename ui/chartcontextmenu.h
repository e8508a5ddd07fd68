#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QPoint;
class QWidget;
struct UiTexts;

// The entries of the chart's context menu, numbered as the window's commands are.
enum class ChartMenuCommand : int32_t {
    none = 0,
    openFile = 1025,
    hideTrace = 1026,
    traceColour = 1027,
    closeFile = 1028,
    addMarker = 32871,
    markerMaximum = 32872,
    markerMinimum = 32873,
    markerBandwidth = 32874,
};

// Shows a menu at a point of the screen and gives the action chosen, or null when the menu
// was closed without a choice.
using MenuChooser = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;

// The context menu for one trace of one measurement: open files; hide the trace and choose its
// colour, both named "measurement->trace"; close the measurement's file; then a marker at the
// pointer, and markers at the trace's maximum, minimum and bandwidth at bandwidthDrop below
// the maximum. Each action carries its command number as its data.
std::unique_ptr<QMenu> makeChartMenu(const UiTexts& texts, const QString& measurementName,
    const QString& traceName, double bandwidthDrop, QWidget* parent);

// The command of an action of that menu; none for null or any other action.
ChartMenuCommand chartMenuCommandOf(const QAction* action);
