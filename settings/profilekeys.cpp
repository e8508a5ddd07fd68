#include "profilekeys.h"

#include <optional>

#include "numbertext.h"
#include "profilestorage.h"

namespace {

// A value is read into a buffer of this many characters, its terminator included; the rest
// of a longer value is cut off.
constexpr size_t kValueBufferSize = 255;

// The key's text, or the default text when the key is missing, cut to the value buffer.
std::string keyText(const IniFile& ini, std::string_view section, std::string_view key, std::string fallback)
{
    std::string text = ini.value(section, key).value_or(std::move(fallback));
    if (text.size() > kValueBufferSize - 1)
        text.resize(kValueBufferSize - 1);
    return text;
}

} // namespace

int32_t readIntKey(const IniFile& ini, std::string_view section, std::string_view key, int32_t defaultValue)
{
    return scanLong(keyText(ini, section, key, printLong(defaultValue)));
}

int32_t readIntKey(
    std::string_view section, std::string_view key, int32_t defaultValue, const std::string& path)
{
    return readIntKey(loadProfile(path), section, key, defaultValue);
}

double readDoubleKey(const IniFile& ini, std::string_view key, double defaultValue)
{
    return scanDouble(keyText(ini, kGeneralSection, key, printDouble(defaultValue)));
}

double readDoubleKey(std::string_view key, double defaultValue, const std::string& path)
{
    return readDoubleKey(loadProfile(path), key, defaultValue);
}
