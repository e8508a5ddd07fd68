#include "profilestorage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "savefile.h"

namespace {

// A settings file is a few hundred bytes; anything beyond this is not one and is not read.
constexpr qint64 kMaxProfileSize = 16 * 1024 * 1024;

} // namespace

IniFile loadProfile(const std::string& path)
{
    if (path.empty())
        return IniFile();
    const QString filePath = QString::fromStdString(path);
    // Only a regular file: opening a pipe would wait for a writer that never comes.
    const QFileInfo info(filePath);
    if (!info.isFile() || info.size() > kMaxProfileSize)
        return IniFile();
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return IniFile();
    const QByteArray bytes = file.read(kMaxProfileSize + 1);
    if (bytes.size() > kMaxProfileSize)
        return IniFile();
    return IniFile(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

bool saveProfile(const std::string& path, const IniFile& ini)
{
    if (path.empty())
        return false;
    const QString filePath = QString::fromStdString(path);
    if (!QDir().mkpath(QFileInfo(filePath).absolutePath()))
        return false;
    // A settings file kept as a link into the user's own folder is written where it points.
    SaveFile file;
    std::string error;
    if (!file.open(path, error))
        return false;
    const std::string text = ini.text();
    file.write(text.data(), text.size());
    return file.commit(error);
}
