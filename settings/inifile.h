#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of an INI file, read and changed the way the private-profile functions do it.
//
// Lines end with LF or CR LF. A line "[name]" starts a section; inside a section a line
// "key=value" holds a key, and a line without '=' a key with an empty value. Section and key
// names compare without regard to ASCII case; names and values are trimmed of blanks, and a
// value enclosed in a pair of matching quotes loses them. Only the first section of a name
// counts, and in it the first key of a name. Lines starting with ';' are comments.
//
// Changing a value keeps every other line as it was, comments and unknown keys included.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string_view text);

    // The value of the key, or nothing when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Whether a section of the name exists, with keys or without.
    bool hasSection(std::string_view section) const;
    // Sets the key to the value: its line is replaced in place; a missing key is added after
    // the last key of the section, a missing section at the end of the file. The names and the
    // value are single lines.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key from the first section of the name; nothing else changes.
    void removeKey(std::string_view section, std::string_view key);

    // The whole file again, every line ended with the line end the file used first (LF for a
    // file that had none).
    std::string text() const;

private:
    // Index of the line that starts the first section of the name, or npos.
    size_t findSection(std::string_view section) const;
    // Index of the first line of the key in the section starting at line sectionLine, or npos.
    size_t findKey(size_t sectionLine, std::string_view key) const;
    // Index of the line that ends the section starting at line sectionLine (the next section's
    // line or the line count).
    size_t sectionEnd(size_t sectionLine) const;

    std::vector<std::string> lines;
    std::string lineEnd = "\n";
    bool byteOrderMark = false;
};
