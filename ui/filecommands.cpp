#include "filecommands.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <QUrl>

#include "averagedcommand.h"
#include "averaging.h"
#include "chartlegend.h"
#include "chartpicture.h"
#include "chartstate.h"
#include "commandpaths.h"
#include "exportinput.h"
#include "legendof.h"
#include "screenarea.h"
#include "settingsrecord.h"
#include "tabletext.h"
#include "uitexts.h"

namespace {

QString gigahertz(double hertz)
{
    return QString::number(hertz / 1e9, 'g', 6);
}

// The notice after an average: the range it is written on, then each measurement's end that
// falls short of it.
QString uncoveredRangesText(
    RubberS2P& list, const std::vector<UncoveredRange>& uncovered, const UiTexts& texts)
{
    const RubberS2PData& first = *list.measurement(0);
    QStringList lines { texts.averagedUncovered.arg(gigahertz(first.freqFirst), gigahertz(first.freqLast)) };
    for (const UncoveredRange& range : uncovered) {
        const QString name = QString::fromStdString(range.name);
        if (range.startsLate)
            lines.append(texts.averagedStartsLate.arg(name, gigahertz(range.freqFirst)));
        if (range.endsEarly)
            lines.append(texts.averagedEndsEarly.arg(name, gigahertz(range.freqLast)));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

FileCommands::FileCommands(ChartState& chartState, const SettingsRecord& windowSettings,
    const WindowServices& windowServices, QWidget* window)
    : state(chartState)
    , settings(windowSettings)
    , services(windowServices)
    , parent(window)
{
}

bool FileCommands::nothingLoaded() const
{
    return state.measurements.itemCount == 0;
}

void FileCommands::saveAveragedS2P()
{
    if (nothingLoaded())
        return;
    const UiTexts& texts = uiTexts(languageOf(settings.Language));
    const QString suffix = QStringLiteral("s2p");
    const QString chosen
        = services.chooseSaveFile(parent, texts.saveDialogTitle, texts.averagedFilter, suffix);
    if (chosen.isEmpty())
        return;
    const QString path = withDefaultSuffix(chosen, suffix);
    std::string reason;
    if (averagedS2PCommand(state.measurements, QFile::encodeName(path).toStdString(), &reason)
        != LoadSuccess) {
        services.showError(parent, texts.windowTitle,
            texts.averagedFailed.arg(QDir::toNativeSeparators(path)) + QLatin1Char('\n')
                + QString::fromStdString(reason));
        return;
    }
    const std::vector<UncoveredRange> uncovered = uncoveredRanges(state.measurements);
    if (!uncovered.empty())
        services.showNotice(
            parent, texts.windowTitle, uncoveredRangesText(state.measurements, uncovered, texts));
}

void FileCommands::exportToSpreadsheet()
{
    if (nothingLoaded())
        return;
    const UiTexts& texts = uiTexts(languageOf(settings.Language));
    QString path;
    QString reason;
    if (!createTemporaryWorkbook(path, reason)) {
        services.showError(parent, texts.windowTitle, texts.exportFailed.arg(reason));
        return;
    }
    std::string error;
    const bool written = services.writeWorkbook(plottedTable(), QFile::encodeName(path).toStdString(), error);
    if (!written) {
        // The empty file that reserved the name goes; the writer leaves nothing of its own.
        QFile::remove(path);
        services.showError(parent, texts.windowTitle, texts.exportFailed.arg(QString::fromStdString(error)));
        return;
    }
    if (!services.hasApplicationFor(path) || !services.openDocument(QUrl::fromLocalFile(path)))
        services.showError(
            parent, texts.windowTitle, texts.exportOpenFailed.arg(QDir::toNativeSeparators(path)));
}

ExportInput FileCommands::plottedTable()
{
    const QSizeF area = primaryScreenUsableArea();
    return exportInputOf(state, languageOf(settings.Language), area.width(), area.height());
}

ChartLegend FileCommands::chartLegend()
{
    return legendOfShownChart(plottedTable(), state);
}

void FileCommands::saveChartImage()
{
    if (nothingLoaded())
        return;
    const UiTexts& texts = uiTexts(languageOf(settings.Language));
    const QString suffix = QStringLiteral("png");
    const QString chosen = services.chooseSaveFile(parent, texts.saveDialogTitle, texts.imageFilter, suffix);
    if (chosen.isEmpty())
        return;
    const QString path = withDefaultSuffix(chosen, suffix);
    const ChartLegend legend = chartLegend();
    std::string error;
    if (!saveChartPicture(state, &legend, QFile::encodeName(path).toStdString(), error))
        services.showError(parent, texts.windowTitle, texts.imageFailed.arg(QString::fromStdString(error)));
}

void FileCommands::copyChartImage()
{
    if (nothingLoaded())
        return;
    const ChartLegend legend = chartLegend();
    const QImage image = chartImage(state, &legend);
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}

void FileCommands::copyPlottedTable()
{
    if (nothingLoaded())
        return;
    const std::string text = plottedTableText(plottedTable());
    if (!text.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}
