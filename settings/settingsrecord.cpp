#include "settingsrecord.h"

#include <cmath>
#include <optional>

#include "inifile.h"
#include "numbertext.h"
#include "profilekeys.h"
#include "profilestorage.h"
#include "settingspath.h"

namespace {

constexpr int32_t kColumnCount = 5;
// The key number of the file list width among the Width keys.
constexpr int32_t kListWidthKey = -1;
// The file list width when the file does not hold one, in pixels.
constexpr int32_t kDefaultListWidth = 170;
// MX when the file does not hold it: hertz per megahertz.
constexpr double kDefaultMX = 1000000.0;

void readInt(const IniFile& ini, std::string_view key, int32_t& field)
{
    field = readIntKey(ini, kGeneralSection, key, field);
}

void readDouble(const IniFile& ini, std::string_view key, double& field)
{
    field = readDoubleKey(ini, key, field);
}

void writeInt(IniFile& ini, std::string_view section, std::string_view key, int32_t value)
{
    ini.setValue(section, key, printLong(value));
}

void writeDouble(IniFile& ini, std::string_view key, double value)
{
    ini.setValue(kGeneralSection, key, printDouble(value));
}

// The section of the markers.
constexpr std::string_view kMarkersSection = "Markers";

// The key of marker n: "M1" ... "M16".
std::string markerKey(int32_t n)
{
    return "M" + printLong(n);
}

// The section, when there is one, sets every marker: writing leaves out the keys of the
// markers not set. Without it the markers stay as they are, like any missing key.
void readMarkers(const IniFile& ini, SettingsRecord& record)
{
    if (!ini.hasSection(kMarkersSection))
        return;
    for (int32_t n = 1; n <= markerSlots; ++n) {
        double& slot = record.Markers[static_cast<size_t>(n - 1)];
        slot = std::numeric_limits<double>::quiet_NaN();
        if (const std::optional<std::string> text = ini.value(kMarkersSection, markerKey(n)))
            if (const std::optional<double> hertz = scanExactDouble(*text); hertz && *hertz >= 0)
                slot = *hertz;
    }
    const int32_t reference = readIntKey(ini, kMarkersSection, "DeltaRef", 0);
    const bool named = reference >= 1 && reference <= markerSlots;
    record.DeltaRef = named && std::isfinite(record.Markers[static_cast<size_t>(reference - 1)]) ? reference : 0;
}

void writeMarkers(const SettingsRecord& record, IniFile& ini)
{
    // A file that never held markers gets no section for none.
    bool any = ini.hasSection(kMarkersSection);
    for (const double hertz : record.Markers)
        any = any || std::isfinite(hertz);
    if (!any)
        return;
    for (int32_t n = 1; n <= markerSlots; ++n) {
        const double hertz = record.Markers[static_cast<size_t>(n - 1)];
        if (std::isfinite(hertz))
            ini.setValue(kMarkersSection, markerKey(n), printHertz(hertz));
        else
            ini.removeKey(kMarkersSection, markerKey(n));
    }
    writeInt(ini, kMarkersSection, "DeltaRef", record.DeltaRef);
}

} // namespace

SettingsRecord& processSettings()
{
    static SettingsRecord record;
    return record;
}

std::string widthKey(int32_t n)
{
    return "Width<" + printLong(n) + ">";
}

void resolveSettingsPath(SettingsRecord& record)
{
    if (record.settingsPath.empty())
        record.settingsPath = defaultSettingsPath();
}

void readSettings(SettingsRecord& record)
{
    resolveSettingsPath(record);
    readSettings(record, record.settingsPath);
}

void readSettings(SettingsRecord& record, const std::string& path)
{
    const IniFile ini = loadProfile(path);
    readInt(ini, "Topmost", record.Topmost);
    readInt(ini, "Filter", record.Filter);
    for (int32_t n = 0; n < kColumnCount; ++n)
        record.columnWidth[n] = readIntKey(ini, kListSection, widthKey(n), 0);
    record.Left = readIntKey(ini, kGeneralSection, "Left", 0);
    record.Right = readIntKey(ini, kGeneralSection, "Right", 0);
    record.Top = readIntKey(ini, kGeneralSection, "Top", 0);
    record.Bottom = readIntKey(ini, kGeneralSection, "Bottom", 0);
    record.listWidth = readIntKey(ini, kListSection, widthKey(kListWidthKey), kDefaultListWidth);
    record.MX = readDoubleKey(ini, "MX", kDefaultMX);
    readInt(ini, "AutoX", record.AutoX);
    readInt(ini, "AutoY", record.AutoY);
    readDouble(ini, "MinX", record.MinX);
    readDouble(ini, "MaxX", record.MaxX);
    readDouble(ini, "dX", record.dX);
    readDouble(ini, "MinY", record.MinY);
    readDouble(ini, "MaxY", record.MaxY);
    readDouble(ini, "dY", record.dY);
    readInt(ini, "Units", record.Units);
    readInt(ini, "S11m", record.S11m);
    readInt(ini, "S12m", record.S12m);
    readInt(ini, "S21m", record.S21m);
    readInt(ini, "S22m", record.S22m);
    readInt(ini, "S11a", record.S11a);
    readInt(ini, "S12a", record.S12a);
    readInt(ini, "S21a", record.S21a);
    readInt(ini, "S22a", record.S22a);
    readInt(ini, "Language", record.Language);
    readInt(ini, "ChartKind", record.ChartKind);
    readInt(ini, "AdmittanceGrid", record.AdmittanceGrid);
    readInt(ini, "PhaseMode", record.PhaseMode);
    readInt(ini, "DelayAperture", record.DelayAperture);
    if (const std::optional<std::string> folder = ini.value(kGeneralSection, "OpenFolder"))
        record.OpenFolder = *folder;
    if (const std::optional<std::string> limits = ini.value(kGeneralSection, "LimitsPath"))
        record.LimitsPath = *limits;
    readMarkers(ini, record);
}

bool writeSettings(SettingsRecord& record)
{
    resolveSettingsPath(record);
    return writeSettings(record, record.settingsPath);
}

bool writeSettings(const SettingsRecord& record, const std::string& path)
{
    if (path.empty())
        return false;
    IniFile ini = loadProfile(path);
    writeInt(ini, kGeneralSection, "Topmost", record.Topmost);
    writeInt(ini, kGeneralSection, "Filter", record.Filter);
    for (int32_t n = 0; n < kColumnCount; ++n)
        writeInt(ini, kListSection, widthKey(n), record.columnWidth[n]);
    writeInt(ini, kListSection, widthKey(kListWidthKey), record.listWidth);
    writeInt(ini, kGeneralSection, "Left", record.Left);
    writeInt(ini, kGeneralSection, "Right", record.Right);
    writeInt(ini, kGeneralSection, "Top", record.Top);
    writeInt(ini, kGeneralSection, "Bottom", record.Bottom);
    writeDouble(ini, "MX", record.MX);
    writeInt(ini, kGeneralSection, "AutoX", record.AutoX);
    writeInt(ini, kGeneralSection, "AutoY", record.AutoY);
    writeDouble(ini, "MinX", record.MinX);
    writeDouble(ini, "MaxX", record.MaxX);
    writeDouble(ini, "dX", record.dX);
    writeDouble(ini, "MinY", record.MinY);
    writeDouble(ini, "MaxY", record.MaxY);
    writeDouble(ini, "dY", record.dY);
    writeInt(ini, kGeneralSection, "Units", record.Units);
    writeInt(ini, kGeneralSection, "S11m", record.S11m);
    writeInt(ini, kGeneralSection, "S12m", record.S12m);
    writeInt(ini, kGeneralSection, "S21m", record.S21m);
    writeInt(ini, kGeneralSection, "S22m", record.S22m);
    writeInt(ini, kGeneralSection, "S11a", record.S11a);
    writeInt(ini, kGeneralSection, "S12a", record.S12a);
    writeInt(ini, kGeneralSection, "S21a", record.S21a);
    writeInt(ini, kGeneralSection, "S22a", record.S22a);
    writeInt(ini, kGeneralSection, "Language", record.Language);
    writeInt(ini, kGeneralSection, "ChartKind", record.ChartKind);
    writeInt(ini, kGeneralSection, "AdmittanceGrid", record.AdmittanceGrid);
    writeInt(ini, kGeneralSection, "PhaseMode", record.PhaseMode);
    writeInt(ini, kGeneralSection, "DelayAperture", record.DelayAperture);
    // Quoted, so that blanks at its ends stay; a folder whose name breaks the line is not kept.
    if (!record.OpenFolder.empty() && record.OpenFolder.find_first_of("\r\n") == std::string::npos)
        ini.setValue(kGeneralSection, "OpenFolder", "\"" + record.OpenFolder + "\"");
    // Written empty over a stored one, so that closing the limits is kept; a path that breaks
    // the line is not kept.
    const bool limitsStored = ini.value(kGeneralSection, "LimitsPath").has_value();
    if ((limitsStored || !record.LimitsPath.empty())
        && record.LimitsPath.find_first_of("\r\n") == std::string::npos)
        ini.setValue(kGeneralSection, "LimitsPath", "\"" + record.LimitsPath + "\"");
    writeMarkers(record, ini);
    return saveProfile(path, ini);
}
