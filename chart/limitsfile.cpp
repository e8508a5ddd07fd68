#include "limitsfile.h"

#include <sys/stat.h>

#include <fstream>

bool readLimitsFile(const std::string& path, Limits& limits, std::string& error)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = path + ": no such file";
        return false;
    }
    if (static_cast<unsigned long long>(info.st_size) > maximumLimitsFileBytes) {
        error = path + ": too large for a limits file";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        error = path + ": the file cannot be read";
        return false;
    }
    std::string text(static_cast<size_t>(info.st_size), '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.gcount() != static_cast<std::streamsize>(text.size())) {
        error = path + ": the file cannot be read";
        return false;
    }
    LimitsError bad;
    if (!parseLimits(text, limits, bad)) {
        error = path + (bad.line > 0 ? ":" + std::to_string(bad.line) : std::string()) + ": " + bad.reason;
        return false;
    }
    return true;
}
