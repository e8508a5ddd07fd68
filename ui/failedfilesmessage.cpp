#include "failedfilesmessage.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include "uitexts.h"

QString failedFilesMessage(const std::vector<FailedFile>& failed, const UiTexts& texts)
{
    QStringList lines { texts.failedFilesHeading };
    const size_t listed = std::min(failed.size(), static_cast<size_t>(failedFilesListed));
    for (size_t k = 0; k < listed; ++k) {
        const FailedFile& file = failed[k];
        const QString reason = file.reason == LoadFailure::readerReason
            ? QString::fromUtf8(texts.readerReason(file.result))
            : texts.loadFailures[static_cast<size_t>(file.reason)];
        lines.append(QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(file.path)))
            + QStringLiteral(": ") + reason);
    }
    if (failed.size() > listed)
        lines.append(texts.failedFilesMore.arg(failed.size() - listed));
    return lines.join(QLatin1Char('\n'));
}
