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

// A text of the window that changes with the language: the field it fills and its wordings.
struct TextRow {
    QString UiTexts::*field;
    const char* russian;
    const char* english;
};

const TextRow textRows[] = {
    { &UiTexts::windowTitle, "Просмотр файлов S2P", "Sprelin" },
    { &UiTexts::autoY, "Авто Y", "Auto Y" },
    { &UiTexts::yMin, "Y мин", "Y min" },
    { &UiTexts::yMax, "Y макс", "Y max" },
    { &UiTexts::yStep, "Шаг Y", "Step Y" },
    { &UiTexts::autoX, "Авто X", "Auto X" },
    { &UiTexts::xMin, "X мин", "X min" },
    { &UiTexts::xMax, "X макс", "X max" },
    { &UiTexts::xStep, "Шаг X", "Step X" },
    { &UiTexts::apply, "Применить", "Apply" },
    { &UiTexts::db, "dB", "dB" },
    { &UiTexts::vswr, "КСВН", "VSWR" },
    { &UiTexts::relativeTo, "Относительно", "Relative to" },
    { &UiTexts::chartHint, "Откройте файлы измерений: Файл > Открыть, или перетащите их сюда.",
        "Open measurement files with File > Open, or drop them here." },
    { &UiTexts::closeLink, "[X]", "[X]" },
    { &UiTexts::fileMenu, "&Файл", "&File" },
    { &UiTexts::openCommand, "&Открыть", "&Open" },
    { &UiTexts::closeCommand, "&Закрыть", "&Close" },
    { &UiTexts::rereadCommand, "&Перечитать", "&Re-read" },
    { &UiTexts::exportCommand, "&Экспорт в MS Excel", "&Export into MS Excel" },
    { &UiTexts::averagedCommand, "&Усредненный S2P", "&Averaged S2P" },
    { &UiTexts::saveImageCommand, "&Сохранить изображение графика...", "Save chart &image..." },
    { &UiTexts::copyImageCommand, "&Копировать график", "&Copy chart" },
    { &UiTexts::copyTableCommand, "Копировать &таблицу", "Copy &table" },
    { &UiTexts::exitCommand, "&Выход", "E&xit" },
    { &UiTexts::viewMenu, "&Вид", "&View" },
    { &UiTexts::normalCommand, "&Нормальный", "&Normal" },
    { &UiTexts::largeGraphCommand, "&Развернуть график", "&Large graph" },
    { &UiTexts::topmostCommand, "П&оверх остальных окон", "Always on &top" },
    { &UiTexts::smoothingCommand, "&Сглаживание графиков", "&Smoothing" },
    { &UiTexts::frequencyChartCommand, "Частотная характеристика", "Frequency chart" },
    { &UiTexts::smithChartCommand, "Диаграмма Смита", "Smith chart" },
    { &UiTexts::polarChartCommand, "Полярная диаграмма", "Polar chart" },
    { &UiTexts::admittanceGridCommand, "Сетка проводимостей", "Admittance grid" },
    { &UiTexts::relativeNotApplied, "Абсолютные значения", "Absolute values" },
    { &UiTexts::wrappedPhaseCommand, "&Фаза", "&Phase" },
    { &UiTexts::unwrappedPhaseCommand, "Р&азвёрнутая фаза", "&Unwrapped phase" },
    { &UiTexts::groupDelayCommand, "&Групповое время запаздывания", "&Group delay" },
    { &UiTexts::delayApertureCommand, "Ап&ертура группового времени...", "Group delay ape&rture..." },
    { &UiTexts::languageMenu, "&Язык", "L&anguage" },
    { &UiTexts::russianCommand, "Русский", "Русский" },
    { &UiTexts::englishCommand, "English", "English" },
    { &UiTexts::helpMenu, "&Справка", "&Help" },
    { &UiTexts::aboutCommand, "О &программе Sprelin...", "&About Sprelin..." },
    { &UiTexts::openLimitsCommand, "Открыть допуски...", "Open limits..." },
    { &UiTexts::closeLimitsCommand, "Закрыть допуски", "Close limits" },
    { &UiTexts::limitsColumn, "Допуски", "Limits" },
    { &UiTexts::limitsFilter, "Допуски (*.txt);;Все файлы (*)", "Limits (*.txt);;All files (*)" },
    { &UiTexts::limitsFailed, "Допуски не загружены, действуют прежние.\n\n%1",
        "The limits were not loaded; those in force stay.\n\n%1" },
    { &UiTexts::menuOpenFile, "Открыть файл", "Open file" },
    { &UiTexts::menuHideTrace, "Выкл. '", "Hide '" },
    { &UiTexts::menuTraceColour, "Цвет  '", "Color '" },
    { &UiTexts::menuCloseFile, "Закрыть файл '", "Close '" },
    { &UiTexts::markersCommand, "&Маркеры...", "&Markers..." },
    { &UiTexts::menuAddMarker, "Поставить маркер", "Add marker here" },
    { &UiTexts::menuMarkerMaximum, "Маркер на максимум", "Marker at the maximum" },
    { &UiTexts::menuMarkerMinimum, "Маркер на минимум", "Marker at the minimum" },
    { &UiTexts::menuMarkerBandwidth, "Полоса по уровню \u2212%1 дБ", "\u2212%1 dB bandwidth" },
    { &UiTexts::openDialogTitle, "Открыть", "Open" },
    { &UiTexts::colourDialogTitle, "Цвет", "Colour" },
    { &UiTexts::saveDialogTitle, "Сохранить как", "Save as" },
    { &UiTexts::imageFilter, "Изображение PNG (*.png);;Рисунок SVG (*.svg)",
        "PNG image (*.png);;SVG drawing (*.svg)" },
    { &UiTexts::averagedFailed, "Не удалось записать файл %1.", "The file %1 cannot be written." },
    { &UiTexts::averagedUncovered,
        "Среднее записано на частотах первого измерения, от %1 до %2 ГГц. Эти измерения не "
        "покрывают весь диапазон:",
        "The average is written on the frequencies of the first measurement, %1 to %2 GHz. These "
        "measurements do not cover the whole range:" },
    { &UiTexts::averagedStartsLate, "%1 начинается на %2 ГГц: ниже его первое значение повторяется",
        "%1 starts at %2 GHz: its first value is repeated below it" },
    { &UiTexts::averagedEndsEarly, "%1 заканчивается на %2 ГГц: выше его последнее значение повторяется",
        "%1 ends at %2 GHz: its last value is repeated above it" },
    { &UiTexts::imageFailed, "Не удалось сохранить изображение графика.\n\n%1",
        "The chart image cannot be saved.\n\n%1" },
    { &UiTexts::exportFailed, "Не удалось выполнить экспорт в книгу MS Excel.\n\n%1",
        "The export into an MS Excel workbook failed.\n\n%1" },
    { &UiTexts::exportOpenFailed, "Книга записана в %1, но нет программы, которая могла бы её открыть.",
        "The workbook was written to %1, but no application is there to open it." },
    { &UiTexts::failedFilesHeading, "Эти файлы не загружены:", "These files were not loaded:" },
    { &UiTexts::failedFilesMore, "... и ещё %1", "... and %1 more" },
    { &UiTexts::settingsNotAFile,
        "Файл настроек %1 не является обычным файлом: настройки не читаются и не сохраняются.",
        "The settings file %1 is not a regular file: the settings are neither read nor saved." },
    { &UiTexts::chartOutOfMemory, "Недостаточно памяти: показан прежний график.",
        "Not enough memory: the chart shown is the last one." },
};

// An entry of one of the window's lists of texts, in both languages.
struct ListEntry {
    const char* russian;
    const char* english;
};

const ListEntry unitNameEntries[] = { { "Гц", "Hz" }, { "кГц", "kHz" }, { "МГц", "MHz" }, { "ГГц", "GHz" } };

const ListEntry listColumnEntries[] = {
    { "S", "S" },
    { "Тек.", "Current" },
    { "Мин.", "Min" },
    { "Макс.", "Max" },
    { "Неравн.", "Flatness" },
};

const ListEntry loadFailureEntries[] = {
    { "файл не найден", "no such file" },
    { "это папка, а не файл", "a folder, not a file" },
    { "неизвестный тип файла", "unknown file type" },
    { "файл не удаётся прочитать", "the file cannot be read" },
    { "нет пригодных данных S-параметров", "no usable S-parameter data" },
    { "данные не являются S-параметрами", "the parameters are not S-parameters" },
};

// The wording of the language, from UTF-8.
QString textIn(Language language, const char* russian, const char* english)
{
    return QString::fromUtf8(language == Language::russian ? russian : english);
}

template <size_t N> std::array<QString, N> listIn(Language language, const ListEntry (&entries)[N])
{
    std::array<QString, N> list;
    for (size_t i = 0; i < N; ++i)
        list[i] = textIn(language, entries[i].russian, entries[i].english);
    return list;
}

// The texts of a language: its wording of every row and list entry, and the texts both share.
UiTexts makeTexts(Language language)
{
    UiTexts t;
    for (const TextRow& row : textRows)
        t.*row.field = textIn(language, row.russian, row.english);
    t.unitNames = listIn(language, unitNameEntries);
    t.listColumns = listIn(language, listColumnEntries);
    t.loadFailures = listIn(language, loadFailureEntries);
    t.openFilter = openFilter();
    t.averagedFilter = averagedFilter();
    t.readerReason = language == Language::russian ? loadResultMessage : loadResultReason;
    return t;
}

} // namespace

const UiTexts& uiTexts(Language language)
{
    static const UiTexts russian = makeTexts(Language::russian);
    static const UiTexts english = makeTexts(Language::english);
    return language == Language::russian ? russian : english;
}
