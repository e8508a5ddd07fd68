#pragma once

#include <string>

#include "inifile.h"

// The settings file on disk. Paths are UTF-8.

// The file's text; an empty file when the path is empty, the file is missing, cannot be read
// or is larger than any settings file could be.
IniFile loadProfile(const std::string& path);

// Replaces the file with the text, creating its folder when missing, through SaveFile: a
// failure or a crash on the way leaves the old file as it was, and a symbolic link is written
// through to its file. False when the path is empty or anything failed.
bool saveProfile(const std::string& path, const IniFile& ini);
