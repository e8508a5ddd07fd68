#include "chartcontextmenu.h"

#include <QAction>
#include <QMenu>

#include "uitexts.h"

namespace {

void addEntry(QMenu& menu, ChartMenuCommand command, const QString& text)
{
    QAction* action = menu.addAction(text);
    action->setData(static_cast<int32_t>(command));
}

} // namespace

std::unique_ptr<QMenu> makeChartMenu(const UiTexts& texts, const QString& measurementName,
    const QString& traceName, double bandwidthDrop, QWidget* parent)
{
    const QString label = measurementName + QStringLiteral("->") + traceName;
    const QString quote = QStringLiteral("'");
    auto menu = std::make_unique<QMenu>(parent);
    addEntry(*menu, ChartMenuCommand::openFile, texts.menuOpenFile);
    menu->addSeparator();
    addEntry(*menu, ChartMenuCommand::hideTrace, texts.menuHideTrace + label + quote);
    addEntry(*menu, ChartMenuCommand::traceColour, texts.menuTraceColour + label + quote);
    menu->addSeparator();
    addEntry(*menu, ChartMenuCommand::closeFile, texts.menuCloseFile + measurementName + quote);
    menu->addSeparator();
    addEntry(*menu, ChartMenuCommand::addMarker, texts.menuAddMarker);
    addEntry(*menu, ChartMenuCommand::markerMaximum, texts.menuMarkerMaximum);
    addEntry(*menu, ChartMenuCommand::markerMinimum, texts.menuMarkerMinimum);
    addEntry(*menu, ChartMenuCommand::markerBandwidth, texts.menuMarkerBandwidth.arg(bandwidthDrop));
    return menu;
}

ChartMenuCommand chartMenuCommandOf(const QAction* action)
{
    if (action == nullptr)
        return ChartMenuCommand::none;
    switch (static_cast<ChartMenuCommand>(action->data().toInt())) {
    case ChartMenuCommand::openFile:
        return ChartMenuCommand::openFile;
    case ChartMenuCommand::hideTrace:
        return ChartMenuCommand::hideTrace;
    case ChartMenuCommand::traceColour:
        return ChartMenuCommand::traceColour;
    case ChartMenuCommand::closeFile:
        return ChartMenuCommand::closeFile;
    case ChartMenuCommand::addMarker:
        return ChartMenuCommand::addMarker;
    case ChartMenuCommand::markerMaximum:
        return ChartMenuCommand::markerMaximum;
    case ChartMenuCommand::markerMinimum:
        return ChartMenuCommand::markerMinimum;
    case ChartMenuCommand::markerBandwidth:
        return ChartMenuCommand::markerBandwidth;
    default:
        return ChartMenuCommand::none;
    }
}
