#include "xlsxcontents.h"

#include <cstdio>
#include <sstream>

#include "shellquote.h"

namespace {

// The standard output of a shell command; ok is false when it fails.
std::string commandOutput(const std::string& command, bool& ok)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ok = false;
        return output;
    }
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    ok = ::pclose(pipe) == 0;
    return output;
}

std::string unescaped(const std::string& text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
            continue;
        }
        const size_t end = text.find(';', i);
        const std::string entity = end == std::string::npos ? std::string() : text.substr(i, end - i + 1);
        if (entity == "&amp;")
            result += '&';
        else if (entity == "&lt;")
            result += '<';
        else if (entity == "&gt;")
            result += '>';
        else if (entity == "&quot;")
            result += '"';
        else {
            result += text[i];
            continue;
        }
        i = end;
    }
    return result;
}

// The texts of the shared string table in order.
std::vector<std::string> sharedStrings(const std::string& xml)
{
    std::vector<std::string> strings;
    for (const std::string& item : between(xml, "<si>", "</si>")) {
        const size_t open = item.find('>');
        const size_t close = item.rfind("</t>");
        strings.push_back(open == std::string::npos || close == std::string::npos
                ? ""
                : unescaped(item.substr(open + 1, close - open - 1)));
    }
    return strings;
}

} // namespace

std::vector<std::string> between(const std::string& xml, const std::string& open, const std::string& close)
{
    std::vector<std::string> found;
    size_t at = 0;
    while ((at = xml.find(open, at)) != std::string::npos) {
        const size_t start = at + open.size();
        const size_t end = xml.find(close, start);
        if (end == std::string::npos)
            break;
        found.push_back(xml.substr(start, end - start));
        at = end + close.size();
    }
    return found;
}

size_t occurrences(const std::string& text, const std::string& needle)
{
    size_t count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
        ++count;
    return count;
}

std::string attributeOf(const std::string& xml, const std::string& elementStart, const std::string& name)
{
    const size_t element = xml.find(elementStart);
    if (element == std::string::npos)
        return std::string();
    const size_t end = xml.find('>', element);
    const std::string tag = xml.substr(element, end - element);
    const std::string key = " " + name + "=\"";
    const size_t at = tag.find(key);
    if (at == std::string::npos)
        return std::string();
    const size_t start = at + key.size();
    return tag.substr(start, tag.find('"', start) - start);
}

bool XlsxContents::read(const std::string& file)
{
    path = file;
    bool ok = false;
    std::istringstream listing(commandOutput("unzip -Z1 " + shellQuoted(path) + " 2>/dev/null", ok));
    if (!ok)
        return false;
    for (std::string line; std::getline(listing, line);)
        partNames.push_back(line);
    sheet = part("xl/worksheets/sheet1.xml");
    styles = part("xl/styles.xml");
    chart = part("xl/charts/chart1.xml");
    drawing = part("xl/drawings/drawing1.xml");
    if (sheet.empty())
        return false;
    const std::vector<std::string> strings = sharedStrings(part("xl/sharedStrings.xml"));
    size_t at = 0;
    while ((at = sheet.find("<c r=\"", at)) != std::string::npos) {
        const size_t nameStart = at + 6;
        const size_t nameEnd = sheet.find('"', nameStart);
        const size_t tagEnd = sheet.find('>', nameEnd);
        const size_t cellEnd = sheet.find("</c>", tagEnd);
        if (nameEnd == std::string::npos || tagEnd == std::string::npos || cellEnd == std::string::npos)
            break;
        const std::string tag = sheet.substr(at, tagEnd - at);
        XlsxCell cell;
        cell.isText = tag.find(" t=\"s\"") != std::string::npos;
        const std::string style = attributeOf(tag + ">", "<c", "s");
        cell.style = style.empty() ? 0 : std::stoi(style);
        const std::vector<std::string> value = between(sheet.substr(tagEnd, cellEnd - tagEnd), "<v>", "</v>");
        cell.value = value.empty() ? std::string() : value.front();
        if (cell.isText) {
            const size_t index = std::stoul(cell.value);
            cell.value = index < strings.size() ? strings[index] : std::string();
        }
        cells[sheet.substr(nameStart, nameEnd - nameStart)] = cell;
        at = cellEnd;
    }
    return true;
}

std::string XlsxContents::part(const std::string& name) const
{
    bool ok = false;
    const std::string contents
        = commandOutput("unzip -p " + shellQuoted(path) + " " + shellQuoted(name) + " 2>/dev/null", ok);
    return ok ? contents : std::string();
}
