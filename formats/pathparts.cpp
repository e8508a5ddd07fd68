#include "pathparts.h"

#include <cstring>

namespace {

struct PathSplit {
    size_t nameStart = 0;
    size_t extensionStart = 0;
};

PathSplit split(const std::string& path)
{
    PathSplit parts;
    const size_t slash = path.rfind('/');
    parts.nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    parts.extensionStart = dot == std::string::npos || dot < parts.nameStart ? path.size() : dot;
    return parts;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string fileNamePart(const std::string& path)
{
    const PathSplit parts = split(path);
    return path.substr(parts.nameStart, parts.extensionStart - parts.nameStart);
}

bool hasExtension(const std::string& path, const char* extension)
{
    const PathSplit parts = split(path);
    const size_t length = path.size() - parts.extensionStart;
    if (length != std::strlen(extension))
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (lowerAscii(path[parts.extensionStart + i]) != lowerAscii(extension[i]))
            return false;
    }
    return true;
}
