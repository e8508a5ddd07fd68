#include "inifile.h"

#include <cstddef>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

// The name of the section a trimmed line starts, or nothing when it starts none. The name
// runs from after '[' to the last ']'.
std::optional<std::string_view> sectionName(std::string_view line)
{
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

bool isComment(std::string_view line)
{
    return !line.empty() && line.front() == ';';
}

// The key name of a trimmed line inside a section.
std::string_view keyName(std::string_view line)
{
    return trimmed(line.substr(0, line.find('=')));
}

std::string valueOf(std::string_view line)
{
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::string();
    std::string_view v = trimmed(line.substr(equals + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

} // namespace

IniFile::IniFile(std::string_view text)
{
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        byteOrderMark = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    bool lineEndKnown = false;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        const bool crlf = !line.empty() && line.back() == '\r';
        if (newline != std::string_view::npos && !lineEndKnown) {
            lineEnd = crlf ? "\r\n" : "\n";
            lineEndKnown = true;
        }
        if (crlf)
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (newline == std::string_view::npos)
            break;
        text.remove_prefix(newline + 1);
    }
}

size_t IniFile::findSection(std::string_view section) const
{
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> name = sectionName(trimmed(lines[i]));
        if (name && sameName(*name, section))
            return i;
    }
    return std::string::npos;
}

size_t IniFile::sectionEnd(size_t sectionLine) const
{
    size_t i = sectionLine + 1;
    while (i < lines.size() && !sectionName(trimmed(lines[i])))
        ++i;
    return i;
}

size_t IniFile::findKey(size_t sectionLine, std::string_view key) const
{
    const size_t end = sectionEnd(sectionLine);
    for (size_t i = sectionLine + 1; i < end; ++i) {
        const std::string_view line = trimmed(lines[i]);
        if (!line.empty() && !isComment(line) && sameName(keyName(line), key))
            return i;
    }
    return std::string::npos;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const size_t sectionLine = findSection(section);
    if (sectionLine == std::string::npos)
        return std::nullopt;
    const size_t keyLine = findKey(sectionLine, key);
    if (keyLine == std::string::npos)
        return std::nullopt;
    return valueOf(trimmed(lines[keyLine]));
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + "=" + std::string(value);
    const size_t sectionLine = findSection(section);
    if (sectionLine == std::string::npos) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::move(line));
        return;
    }
    const size_t keyLine = findKey(sectionLine, key);
    if (keyLine != std::string::npos) {
        lines[keyLine] = std::move(line);
        return;
    }
    // After the last line of the section that is not blank, so that the blank lines that
    // part it from the next section stay there.
    size_t insertAt = sectionEnd(sectionLine);
    while (insertAt > sectionLine + 1 && trimmed(lines[insertAt - 1]).empty())
        --insertAt;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

bool IniFile::hasSection(std::string_view section) const
{
    return findSection(section) != std::string::npos;
}

void IniFile::removeKey(std::string_view section, std::string_view key)
{
    const size_t sectionLine = findSection(section);
    if (sectionLine == std::string::npos)
        return;
    for (size_t keyLine = findKey(sectionLine, key); keyLine != std::string::npos;
         keyLine = findKey(sectionLine, key))
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(keyLine));
}

std::string IniFile::text() const
{
    std::string out;
    if (byteOrderMark)
        out += kByteOrderMark;
    for (const std::string& line : lines) {
        out += line;
        out += lineEnd;
    }
    return out;
}
