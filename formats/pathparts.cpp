#include "pathparts.h"

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

std::string extensionPart(const std::string& path)
{
    return path.substr(split(path).extensionStart);
}

bool hasExtension(const std::string& path, const char* extension)
{
    const PathSplit parts = split(path);
    size_t i = parts.extensionStart;
    for (; *extension != 0; ++extension) {
        if (*extension == '#') {
            const size_t digits = i;
            while (i < path.size() && path[i] >= '0' && path[i] <= '9')
                ++i;
            if (i == digits)
                return false;
        } else if (i == path.size() || lowerAscii(path[i++]) != lowerAscii(*extension)) {
            return false;
        }
    }
    return i == path.size();
}
