#pragma once

#include <string>

// Texts taken from measurement files (CSV titles and column names) come either as UTF-8 or in
// the Windows Cyrillic code page 1251; inside the program every text is UTF-8.

bool isValidUtf8(const std::string& text);

// Converts code page 1251 text to UTF-8; the one unassigned byte (0x98) becomes U+FFFD.
std::string cp1251ToUtf8(const std::string& text);

// The text as UTF-8: kept when it is valid UTF-8, otherwise read as code page 1251. When
// mayBeCut is set, the text may have been cut to a length limit inside a multi-byte
// character; an unfinished character at its end is then dropped before the test.
std::string decodeFileText(const std::string& text, bool mayBeCut = false);

// Upper case of UTF-8 text for the ASCII letters and the Cyrillic letters (including Ё and
// the other letters of U+0450 to U+045F); every other character is kept.
std::string upperCaseUtf8(const std::string& text);
