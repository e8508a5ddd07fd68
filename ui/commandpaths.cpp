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
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("sprelin-XXXXXX.xlsx")));
    file.setAutoRemove(false);
    if (!file.open()) {
        error = QStringLiteral("Cannot create a file in %1: %2")
                    .arg(QDir::toNativeSeparators(QDir::tempPath()), file.errorString());
        return false;
    }
    path = file.fileName();
    return true;
}
