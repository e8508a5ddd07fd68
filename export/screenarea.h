#pragma once

#include <QSizeF>

// The primary screen's available area (without task bars and docks) in points, the usable
// area of the spreadsheet's window that the exported chart is sized from. An empty size when
// the application has no screen.
QSizeF primaryScreenUsableArea();
