#pragma once

#include <QAction>
#include <QList>
#include <QMenu>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <string>

#include "csprelindlg.h"
#include "exportinput.h"
#include "filelistcontroller.h"
#include "fileloading.h"
#include "windowpanes.h"

// The window's desktop services replaced for a test: they answer as told and record what
// they were asked. Files still load and workbooks are still written by the real code unless
// a test replaces that too.
struct ServiceLog {
    QString nextSaveFile; // the save dialog's answer; empty cancels
    QStringList saveRequests; // "title|filter|suffix" per save dialog
    QStringList errors; // the texts of the error message boxes shown
    QStringList notices; // the texts of the notices shown
    QList<QUrl> opened; // the documents handed to the desktop
    bool openSucceeds = true;
    bool applicationRegistered = true; // the desktop's answer for the workbook's type
    // Replaces the workbook writer when set.
    std::function<bool(const ExportInput&, const std::string&, std::string&)> writeWorkbook;
    // The chart's context menus shown: the texts of their entries (separators empty) and the
    // commands the entries carry; the menu then answers with the entry of menuChoice, or
    // with none when no entry carries it.
    QList<QStringList> menuTexts;
    QList<QList<int>> menuCommands;
    int menuChoice = 0;
};

inline WindowServices loggingServices(ServiceLog& log)
{
    WindowServices services = defaultWindowServices();
    services.chooseFiles
        = [](QWidget*, const QString&, const QString&, const QString&) { return QStringList(); };
    services.chooseColour = [](QWidget*, const QColor&, const QString&) { return std::optional<QColor>(); };
    services.chooseSaveFile
        = [&log](QWidget*, const QString& title, const QString& filter, const QString& suffix) {
              log.saveRequests.append(title + '|' + filter + '|' + suffix);
              return log.nextSaveFile;
          };
    services.showError = [&log](QWidget*, const QString&, const QString& text) { log.errors.append(text); };
    services.showNotice = [&log](QWidget*, const QString&, const QString& text) { log.notices.append(text); };
    const auto realWriter = services.writeWorkbook;
    services.writeWorkbook = [&log, realWriter](
                                 const ExportInput& input, const std::string& path, std::string& error) {
        return log.writeWorkbook ? log.writeWorkbook(input, path, error) : realWriter(input, path, error);
    };
    services.hasApplicationFor = [&log](const QString&) { return log.applicationRegistered; };
    services.openDocument = [&log](const QUrl& url) {
        log.opened.append(url);
        return log.openSucceeds;
    };
    services.chooseFromMenu = [&log](QMenu& menu, const QPoint&) -> QAction* {
        QStringList texts;
        QList<int> commands;
        QAction* chosen = nullptr;
        for (QAction* action : menu.actions()) {
            texts.append(action->text());
            commands.append(action->data().toInt());
            if (!action->isSeparator() && action->data().toInt() == log.menuChoice)
                chosen = action;
        }
        log.menuTexts.append(texts);
        log.menuCommands.append(commands);
        return chosen;
    };
    return services;
}

// The text of a menu entry as the user reads it, without the access key's marker.
inline QString shownText(const QString& text)
{
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    return shown;
}
