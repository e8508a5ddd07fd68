#include "profilestorage.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "filedescriptor.h"
#include "savefile.h"

namespace {

// A settings file is a few hundred bytes; anything beyond this is not one and is not read.
constexpr off_t kMaxProfileSize = 16 * 1024 * 1024;

} // namespace

bool profileIsNotAFile(const std::string& path)
{
    struct stat st { };
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

IniFile loadProfile(const std::string& path)
{
    if (path.empty())
        return IniFile();
    // Without blocking, and checked on the open file: a FIFO put in the file's place between
    // a check and the open must not make the read wait for a writer.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st { };
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)
        || st.st_size > kMaxProfileSize)
        return IniFile();
    std::string text(static_cast<size_t>(st.st_size), '\0');
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = ::read(file.get(), &text[done], text.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    text.resize(done);
    return IniFile(text);
}

bool saveProfile(const std::string& path, const IniFile& ini)
{
    if (path.empty() || profileIsNotAFile(path))
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
