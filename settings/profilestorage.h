#pragma once

#include <string>

#include "inifile.h"

// The settings file on disk. Paths are UTF-8.

// Whether something other than a regular file is at the path, a link followed (a FIFO, a
// device, a folder): such a settings file is neither read nor written, since a FIFO would
// make either wait for the other end.
bool profileIsNotAFile(const std::string& path);

// The file's text; an empty file when the path is empty, the file is missing, cannot be read,
// is not a regular file or is larger than any settings file could be. It never waits: the
// file is opened without blocking and read only when it is a regular file.
IniFile loadProfile(const std::string& path);

// Replaces the file with the text, creating its folder when missing, through SaveFile: a
// failure or a crash on the way leaves the old file as it was, and a symbolic link is written
// through to its file. False when the path is empty, names something other than a regular file
// (which is left alone) or anything failed.
bool saveProfile(const std::string& path, const IniFile& ini);
