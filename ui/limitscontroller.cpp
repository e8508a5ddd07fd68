#include "limitscontroller.h"

#include <QFile>

#include "chartstate.h"
#include "limitsfile.h"
#include "mlist.h"
#include "settingsrecord.h"
#include "statsstrip.h"
#include "uitexts.h"
#include "verdicttext.h"
#include "windowpanes.h"

namespace {

QString textOf(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

LimitsController::LimitsController(ChartState& chartState, SettingsRecord& windowSettings,
    const WindowServices& windowServices, WindowPanes& windowPanes, QWidget* parent)
    : QObject(parent)
    , state(chartState)
    , settings(windowSettings)
    , services(windowServices)
    , panes(windowPanes)
    , dialogParent(parent)
{
}

void LimitsController::openLimits()
{
    const UiTexts& texts = uiTexts(languageOf(settings.Language));
    const QString folder = QFile::decodeName(QByteArray::fromStdString(settings.OpenFolder));
    const QStringList chosen
        = services.chooseFiles(dialogParent, texts.openDialogTitle, texts.limitsFilter, folder);
    if (chosen.isEmpty())
        return;
    const std::string path = QFile::encodeName(chosen.front()).toStdString();
    std::string error;
    if (!readLimitsFile(path, state.limits, error)) {
        services.showError(dialogParent, texts.windowTitle, texts.limitsFailed.arg(textOf(error)));
        return;
    }
    settings.LimitsPath = path;
    emit chartChanged();
}

void LimitsController::closeLimits()
{
    state.limits = Limits();
    settings.LimitsPath.clear();
    emit chartChanged();
}

void LimitsController::openStored()
{
    std::string error;
    if (!settings.LimitsPath.empty())
        readLimitsFile(settings.LimitsPath, state.limits, error);
}

void LimitsController::showVerdicts()
{
    const Language language = languageOf(settings.Language);
    MList& files = *panes.files;
    const bool open = !state.limits.empty();
    files.setColumnCount(open ? MList::plainColumnCount + 1 : MList::plainColumnCount);
    const LimitsVerdicts verdicts = open
        ? checkLimits(state.limits, state.measurements, state.dbMode, state.referenceIndex)
        : LimitsVerdicts();
    const auto textOfVerdict = [&](const std::vector<LimitVerdict>& list, int32_t i) {
        if (i < 0 || static_cast<size_t>(i) >= list.size())
            return QString();
        return textOf(
            verdictText(list[static_cast<size_t>(i)], state.dbMode, state.unitMultiplier, language));
    };
    if (open) {
        files.headerItem()->setText(MList::plainColumnCount, uiTexts(language).limitsColumn);
        for (int32_t r = 0; r < files.rowCount(); ++r)
            files.rowItem(r)->setText(MList::plainColumnCount, textOfVerdict(verdicts.traces, files.itemData(r)));
        files.resizeColumnToContents(MList::plainColumnCount);
    }
    for (int32_t m = 0; m < files.topLevelItemCount() && m < state.measurements.itemCount; ++m) {
        const RubberS2PData* measurement = state.measurements.measurement(m);
        const QString verdict = textOfVerdict(verdicts.measurements, m);
        const QString name = measurement != nullptr ? textOf(measurement->displayName) : QString();
        files.topLevelItem(m)->setText(
            0, verdict.isEmpty() ? name : name + QStringLiteral("  \u2014  ") + verdict);
    }
    panes.stats->setPassCount(textOf(passCountText(verdicts, language)));
}
