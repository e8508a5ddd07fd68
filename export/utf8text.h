#pragma once

#include <cstddef>
#include <string>

// The text with every byte sequence that is not valid UTF-8 (stray or truncated sequences,
// overlong forms, surrogates, code points above U+10FFFF) replaced by U+FFFD, so that names
// taken from file paths can go into the workbook's XML.
std::string validUtf8(const std::string& text);

// Number of code points of valid UTF-8 text.
size_t codePointCount(const std::string& text);
