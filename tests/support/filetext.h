#pragma once

#include <string>

// The whole contents of a file as bytes; empty when it cannot be read.
std::string readAll(const std::string& path);

// Replaces the file's contents with text, byte for byte; false when it cannot be written.
bool writeAll(const std::string& path, const std::string& text);
