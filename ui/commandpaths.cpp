#include "commandpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

QString withDefaultSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    if (path.endsWith(QLatin1Char('.')))
        return path + suffix;
    return path + QLatin1Char('.') + suffix;
}

bool createTemporaryWorkbook(QString& path, QString& error)
{
    // A temporary folder that does not exist comes back as an empty path, which would put the
    // workbook into the current folder.
    const QString folder = QDir::tempPath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        error = folder.isEmpty()
            ? QStringLiteral("The temporary folder does not exist.")
            : QStringLiteral("The temporary folder %1 is no folder.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral("sprelin-XXXXXX.xlsx")));
    file.setAutoRemove(false);
    if (!file.open()) {
        error = QStringLiteral("Cannot create a file in %1: %2")
                    .arg(QDir::toNativeSeparators(folder), file.errorString());
        return false;
    }
    path = file.fileName();
    return true;
}
