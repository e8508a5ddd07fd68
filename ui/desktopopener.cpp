#include "desktopopener.h"

#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace {

// How long the desktop may take to answer, in milliseconds.
constexpr int queryTimeout = 5000;

} // namespace

bool desktopHasApplicationFor(const QString& path)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true;
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess process;
    process.start(query, { QStringLiteral("query"), QStringLiteral("default"), type });
    if (!process.waitForFinished(queryTimeout) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        return true;
    }
    return !process.readAllStandardOutput().trimmed().isEmpty();
}
