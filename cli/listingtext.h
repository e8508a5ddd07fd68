#pragma once

#include <string>

// A text on one field of a listing line: line breaks, tabs, backslashes and the other
// control bytes become C-style escapes (\n, \t, \\, \x1b), so that a file name can neither
// end a line nor add a field; every other byte passes as it is.
std::string escaped(const std::string& text);
