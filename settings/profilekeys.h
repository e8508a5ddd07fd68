#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "inifile.h"

// The section of every settings key but the file list widths.
inline constexpr std::string_view kGeneralSection = "General";
// The section of the file list widths.
inline constexpr std::string_view kListSection = "List";

// The key's value as a "%ld" integer. A missing key gives the default; a key whose text holds
// no integer, an empty one included, gives 0.
int32_t readIntKey(
    std::string_view section, std::string_view key, int32_t defaultValue, const std::string& path);
int32_t readIntKey(const IniFile& ini, std::string_view section, std::string_view key, int32_t defaultValue);

// The key's value in section General as a "%lg" double, with the same rules. The default
// passes through its "%lg" text, so it comes back to six significant digits.
double readDoubleKey(std::string_view key, double defaultValue, const std::string& path);
double readDoubleKey(const IniFile& ini, std::string_view key, double defaultValue);
