#include "uitexts.h"

#include <QStringList>

#include <vector>

#include "loader.h"
#include "loadresult.h"

namespace {

// The dialog patterns of a loader extension: a port count's digits become one or two digits.
QStringList patternsOf(const QString& extension)
{
    if (!extension.contains(QLatin1Char('#')))
        return { QLatin1Char('*') + extension };
    QString one = QLatin1Char('*') + extension;
    QString two = one;
    return { one.replace(QLatin1Char('#'), QStringLiteral("[0-9]")),
        two.replace(QLatin1Char('#'), QStringLiteral("[0-9][0-9]")) };
}

// One entry of the open dialog's filter: the type names with their extensions, then the group of
// all patterns in parentheses, the last group of the entry, which the dialog does not show.
QString filterEntry(const std::vector<ReaderExtension>& rows)
{
    QStringList types;
    QStringList shown;
    QStringList patterns;
    QString type;
    for (const ReaderExtension& row : rows) {
        const QString extension = QString::fromLatin1(row.extension);
        if (type != QLatin1String(row.typeName) && !shown.isEmpty()) {
            types << type + QStringLiteral(" (") + shown.join(QStringLiteral(", ")) + QLatin1Char(')');
            shown.clear();
        }
        type = QString::fromLatin1(row.typeName);
        shown << QLatin1Char('*') + QString(extension).replace(QLatin1Char('#'), QLatin1Char('N'));
        patterns << patternsOf(extension);
    }
    if (!shown.isEmpty())
        types << type + QStringLiteral(" (") + shown.join(QStringLiteral(", ")) + QLatin1Char(')');
    return QStringLiteral("Файл ") + types.join(QStringLiteral(", ")) + QStringLiteral(" (")
        + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// The open-file dialog's filter, the same in both languages, made from the loader's extensions:
// the measurement files, then the tables.
QString openFilter()
{
    std::vector<ReaderExtension> files;
    std::vector<ReaderExtension> tables;
    for (const ReaderExtension& row : readerExtensions())
        (row.table ? tables : files).push_back(row);
    return filterEntry(files) + QStringLiteral(";;") + filterEntry(tables);
}

// The save dialog's filter of the averaged two-port file, the same in both languages.
QString averagedFilter()
{
    return QStringLiteral("Файл S2P (*.s2p)");
}

UiTexts makeRussian()
{
    UiTexts t;
    t.windowTitle = QStringLiteral("Просмотр файлов S2P");
    t.autoY = QStringLiteral("Авто Y");
    t.yMin = QStringLiteral("Y мин");
    t.yMax = QStringLiteral("Y макс");
    t.yStep = QStringLiteral("Шаг Y");
    t.autoX = QStringLiteral("Авто X");
    t.xMin = QStringLiteral("X мин");
    t.xMax = QStringLiteral("X макс");
    t.xStep = QStringLiteral("Шаг X");
    t.apply = QStringLiteral("Применить");
    t.db = QStringLiteral("dB");
    t.vswr = QStringLiteral("КСВН");
    t.relativeTo = QStringLiteral("Относительно");
    t.unitNames
        = { QStringLiteral("Гц"), QStringLiteral("кГц"), QStringLiteral("МГц"), QStringLiteral("ГГц") };
    t.listColumns = { QStringLiteral("S"), QStringLiteral("Тек."), QStringLiteral("Мин."),
        QStringLiteral("Макс."), QStringLiteral("Неравн.") };
    t.chartHint = QStringLiteral("Откройте файлы измерений: Файл > Открыть, или перетащите их сюда.");
    t.closeLink = QStringLiteral("[X]");
    t.fileMenu = QStringLiteral("&Файл");
    t.openCommand = QStringLiteral("&Открыть");
    t.closeCommand = QStringLiteral("&Закрыть");
    t.rereadCommand = QStringLiteral("&Перечитать");
    t.exportCommand = QStringLiteral("&Экспорт в MS Excel");
    t.averagedCommand = QStringLiteral("&Усредненный S2P");
    t.saveImageCommand = QStringLiteral("&Сохранить изображение графика...");
    t.copyImageCommand = QStringLiteral("&Копировать график");
    t.copyTableCommand = QStringLiteral("Копировать &таблицу");
    t.exitCommand = QStringLiteral("&Выход");
    t.viewMenu = QStringLiteral("&Вид");
    t.normalCommand = QStringLiteral("&Нормальный");
    t.largeGraphCommand = QStringLiteral("&Развернуть график");
    t.topmostCommand = QStringLiteral("П&оверх остальных окон");
    t.smoothingCommand = QStringLiteral("&Сглаживание графиков");
    t.languageMenu = QStringLiteral("&Язык");
    t.russianCommand = QStringLiteral("Русский");
    t.englishCommand = QStringLiteral("English");
    t.helpMenu = QStringLiteral("&Справка");
    t.aboutCommand = QStringLiteral("О &программе Sprelin...");
    t.menuOpenFile = QStringLiteral("Открыть файл");
    t.menuHideTrace = QStringLiteral("Выкл. '");
    t.menuTraceColour = QStringLiteral("Цвет  '");
    t.menuCloseFile = QStringLiteral("Закрыть файл '");
    t.openDialogTitle = QStringLiteral("Открыть");
    t.openFilter = openFilter();
    t.colourDialogTitle = QStringLiteral("Цвет");
    t.saveDialogTitle = QStringLiteral("Сохранить как");
    t.averagedFilter = averagedFilter();
    t.imageFilter = QStringLiteral("Изображение PNG (*.png);;Рисунок SVG (*.svg)");
    t.averagedFailed = QStringLiteral("Не удалось записать файл %1.");
    t.imageFailed = QStringLiteral("Не удалось сохранить изображение графика.\n\n%1");
    t.exportFailed = QStringLiteral("Не удалось выполнить экспорт в книгу MS Excel.\n\n%1");
    t.exportOpenFailed
        = QStringLiteral("Книга записана в %1, но нет программы, которая могла бы её открыть.");
    t.failedFilesHeading = QStringLiteral("Эти файлы не загружены:");
    t.loadFailures = { QStringLiteral("файл не найден"), QStringLiteral("это папка, а не файл"),
        QStringLiteral("неизвестный тип файла"), QStringLiteral("файл не удаётся прочитать"),
        QStringLiteral("нет пригодных данных S-параметров"),
        QStringLiteral("данные не являются S-параметрами") };
    t.readerReason = loadResultMessage;
    t.failedFilesMore = QStringLiteral("... и ещё %1");
    return t;
}

UiTexts makeEnglish()
{
    UiTexts t;
    t.windowTitle = QStringLiteral("Sprelin");
    t.autoY = QStringLiteral("Auto Y");
    t.yMin = QStringLiteral("Y min");
    t.yMax = QStringLiteral("Y max");
    t.yStep = QStringLiteral("Step Y");
    t.autoX = QStringLiteral("Auto X");
    t.xMin = QStringLiteral("X min");
    t.xMax = QStringLiteral("X max");
    t.xStep = QStringLiteral("Step X");
    t.apply = QStringLiteral("Apply");
    t.db = QStringLiteral("dB");
    t.vswr = QStringLiteral("VSWR");
    t.relativeTo = QStringLiteral("Relative to");
    t.unitNames
        = { QStringLiteral("Hz"), QStringLiteral("kHz"), QStringLiteral("MHz"), QStringLiteral("GHz") };
    t.listColumns = { QStringLiteral("S"), QStringLiteral("Current"), QStringLiteral("Min"),
        QStringLiteral("Max"), QStringLiteral("Flatness") };
    t.chartHint = QStringLiteral("Open measurement files with File > Open, or drop them here.");
    t.closeLink = QStringLiteral("[X]");
    t.fileMenu = QStringLiteral("&File");
    t.openCommand = QStringLiteral("&Open");
    t.closeCommand = QStringLiteral("&Close");
    t.rereadCommand = QStringLiteral("&Re-read");
    t.exportCommand = QStringLiteral("&Export into MS Excel");
    t.averagedCommand = QStringLiteral("&Averaged S2P");
    t.saveImageCommand = QStringLiteral("Save chart &image...");
    t.copyImageCommand = QStringLiteral("&Copy chart");
    t.copyTableCommand = QStringLiteral("Copy &table");
    t.exitCommand = QStringLiteral("E&xit");
    t.viewMenu = QStringLiteral("&View");
    t.normalCommand = QStringLiteral("&Normal");
    t.largeGraphCommand = QStringLiteral("&Large graph");
    t.topmostCommand = QStringLiteral("Always on &top");
    t.smoothingCommand = QStringLiteral("&Smoothing");
    t.languageMenu = QStringLiteral("L&anguage");
    t.russianCommand = QStringLiteral("Русский");
    t.englishCommand = QStringLiteral("English");
    t.helpMenu = QStringLiteral("&Help");
    t.aboutCommand = QStringLiteral("&About Sprelin...");
    t.menuOpenFile = QStringLiteral("Open file");
    t.menuHideTrace = QStringLiteral("Hide '");
    t.menuTraceColour = QStringLiteral("Color '");
    t.menuCloseFile = QStringLiteral("Close '");
    t.openDialogTitle = QStringLiteral("Open");
    t.openFilter = openFilter();
    t.colourDialogTitle = QStringLiteral("Colour");
    t.saveDialogTitle = QStringLiteral("Save as");
    t.averagedFilter = averagedFilter();
    t.imageFilter = QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)");
    t.averagedFailed = QStringLiteral("The file %1 cannot be written.");
    t.imageFailed = QStringLiteral("The chart image cannot be saved.\n\n%1");
    t.exportFailed = QStringLiteral("The export into an MS Excel workbook failed.\n\n%1");
    t.exportOpenFailed
        = QStringLiteral("The workbook was written to %1, but no application is there to open it.");
    t.failedFilesHeading = QStringLiteral("These files were not loaded:");
    t.loadFailures = { QStringLiteral("no such file"), QStringLiteral("a folder, not a file"),
        QStringLiteral("unknown file type"), QStringLiteral("the file cannot be read"),
        QStringLiteral("no usable S-parameter data"), QStringLiteral("the parameters are not S-parameters") };
    t.readerReason = loadResultReason;
    t.failedFilesMore = QStringLiteral("... and %1 more");
    return t;
}

} // namespace

const UiTexts& uiTexts(Language language)
{
    static const UiTexts russian = makeRussian();
    static const UiTexts english = makeEnglish();
    return language == Language::russian ? russian : english;
}
