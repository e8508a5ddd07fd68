#pragma once

#include <QColor>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chartcontextmenu.h"
#include "loadresult.h"

class QUrl;
class QWidget;
class RubberS2P;
struct ExportInput;

// The colour chosen in the colour dialog, preset to the current one; none when cancelled.
using ColourChooser
    = std::function<std::optional<QColor>(QWidget* parent, const QColor& current, const QString& title)>;

// What the main window asks of the desktop. Each has a default that shows the platform's
// dialog or runs the parallel loader; the tests replace them.
struct WindowServices {
    // The files chosen in the open-file dialog, which starts in folder; empty when it was
    // cancelled.
    std::function<QStringList(
        QWidget* parent, const QString& title, const QString& filter, const QString& folder)>
        chooseFiles;
    ColourChooser chooseColour;
    // Loads the paths into the list in a parallel loop; the reader's outcome per path.
    std::function<std::vector<LoadResult>(RubberS2P& list, const std::vector<std::string>& paths)> loadFiles;
    // The file chosen in the save-file dialog, which replaces an existing file without
    // asking; empty when it was cancelled.
    std::function<QString(
        QWidget* parent, const QString& title, const QString& filter, const QString& defaultSuffix)>
        chooseSaveFile;
    // Shows an error in a message box.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> showError;
    // Shows a notice in a message box: something the user should know of a command that worked.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> showNotice;
    // Writes the spreadsheet export to path; false with the reason in error.
    std::function<bool(const ExportInput& input, const std::string& path, std::string& error)> writeWorkbook;
    // Whether the desktop has an application for the document's type.
    std::function<bool(const QString& path)> hasApplicationFor;
    // Opens a document with the desktop's application for it; false when none could.
    std::function<bool(const QUrl& url)> openDocument;
    // Shows the chart's context menu and gives the entry chosen.
    MenuChooser chooseFromMenu;
};

// The platform's dialogs, the parallel loader, the workbook writer and the desktop's opener.
WindowServices defaultWindowServices();
