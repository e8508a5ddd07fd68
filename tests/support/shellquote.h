#pragma once

#include <string>

// text as one word of a POSIX shell command: in single quotes, each quote inside written '\''.
std::string shellQuoted(const std::string& text);
