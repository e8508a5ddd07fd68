#include "settingspath.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

namespace {

// The running executable's path, also before the application object exists.
QString executableFilePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

} // namespace

std::string settingsFilePath(const std::string& folder, const std::string& executablePath)
{
    const QString baseName = QFileInfo(QString::fromStdString(executablePath)).completeBaseName();
    if (folder.empty() || baseName.isEmpty())
        return std::string();
    return folder + "/" + baseName.toStdString() + ".ini";
}

std::string defaultSettingsPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return settingsFilePath(folder.toStdString(), executableFilePath().toStdString());
}
