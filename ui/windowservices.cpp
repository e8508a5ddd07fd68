#include "windowservices.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

#include "desktopopener.h"
#include "loader.h"
#include "workbookexport.h"

WindowServices defaultWindowServices()
{
    WindowServices s;
    s.chooseFiles = [](QWidget* parent, const QString& title, const QString& filter, const QString& folder) {
        return QFileDialog::getOpenFileNames(
            parent, title, folder, filter, nullptr, QFileDialog::HideNameFilterDetails);
    };
    s.chooseColour
        = [](QWidget* parent, const QColor& current, const QString& title) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(current, parent, title);
        if (!colour.isValid())
            return std::nullopt;
        return colour;
    };
    s.loadFiles = [](RubberS2P& list, const std::vector<std::string>& paths) {
        std::vector<LoadResult> results;
        ::loadFiles(list, paths, &results);
        return results;
    };
    s.chooseSaveFile
        = [](QWidget* parent, const QString& title, const QString& filter, const QString& suffix) {
              QFileDialog dialog(parent, title, QString(), filter);
              dialog.setAcceptMode(QFileDialog::AcceptSave);
              dialog.setFileMode(QFileDialog::AnyFile);
              dialog.setDefaultSuffix(suffix);
              dialog.setOption(QFileDialog::DontConfirmOverwrite);
              if (dialog.exec() != QDialog::Accepted)
                  return QString();
              return dialog.selectedFiles().value(0);
          };
    s.showError = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::critical(parent, title, text);
    };
    s.showNotice = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::information(parent, title, text);
    };
    s.writeWorkbook = [](const ExportInput& input, const std::string& path, std::string& error) {
        return exportToWorkbook(input, path, error);
    };
    s.hasApplicationFor = desktopHasApplicationFor;
    s.openDocument = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    s.chooseFromMenu = [](QMenu& menu, const QPoint& globalPos) { return menu.exec(globalPos); };
    return s;
}
