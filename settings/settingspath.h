#pragma once

#include <string>

// The settings file of an executable: the folder, '/', the executable's file name without
// directory and extension, ".ini". Empty when the folder or the name is empty.
std::string settingsFilePath(const std::string& folder, const std::string& executablePath);

// This program's settings file in the user's configuration folder (normally
// ~/.config/sprelin.ini); empty when the folder cannot be determined.
std::string defaultSettingsPath();
