#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>

// Markers M1 to M16 that the settings file keeps, section Markers.
constexpr int32_t markerSlots = 16;

// The program's persistent settings, one field per key of the settings file, holding the
// values in force before the file is read. Fields carry the names of their keys; the five
// column widths are the keys Width<0> to Width<4> of section List, the list width Width<-1>.
struct SettingsRecord {
    // The settings file; found on the first read or write when empty.
    std::string settingsPath;
    int32_t Topmost = 0;
    int32_t Filter = 1;
    int32_t columnWidth[5] = { 0, 0, 0, 0, 0 };
    int32_t listWidth = 0;
    double MX = 1000000.0;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t AutoX = 1;
    int32_t AutoY = 1;
    double MinX = 0.0;
    double MaxX = 100.0;
    double dX = 10.0;
    double MinY = 0.0;
    double MaxY = 100.0;
    double dY = 10.0;
    int32_t Units = 1;
    int32_t S11m = 0;
    int32_t S12m = 0;
    int32_t S21m = 1;
    int32_t S22m = 0;
    int32_t S11a = 0;
    int32_t S12a = 0;
    int32_t S21a = 0;
    int32_t S22a = 0;
    int32_t Language = 1;
    int32_t ChartKind = 0; // 0 frequency, 1 Smith, 2 polar chart
    int32_t AdmittanceGrid = 0;
    // How the phase traces show the phase: 0 wrapped, 1 unwrapped, 2 group delay; and the
    // group delay aperture in points (odd, 3 or more).
    int32_t PhaseMode = 0;
    int32_t DelayAperture = 5;
    // The folder the open-file dialog starts in: that of the last file opened; empty for none.
    std::string OpenFolder;
    // The limits file in force, opened again at start; empty for none.
    std::string LimitsPath;
    // Section Markers: the frequency of marker Mn in hertz at Markers[n - 1] (key Mn), not a
    // number for a marker that is not set; DeltaRef the marker the others are read relative to
    // (1 to 16), 0 for none.
    std::array<double, markerSlots> Markers = filledMarkers();
    int32_t DeltaRef = 0;

private:
    static std::array<double, markerSlots> filledMarkers()
    {
        std::array<double, markerSlots> empty {};
        empty.fill(std::numeric_limits<double>::quiet_NaN());
        return empty;
    }
};

// The one record of the process, holding the values before reading until readSettings.
SettingsRecord& processSettings();

// The key of file list column n (0 to 4), or of the list width for -1: "Width<n>".
std::string widthKey(int32_t n);

// Sets settingsPath to the default settings file when it is empty.
void resolveSettingsPath(SettingsRecord& record);

// Fills every persistent field from the record's settings file (resolved first); missing
// keys keep the value before reading, except the list width (170), MX (1000000), the column
// widths and the window rectangle (0). A missing or unreadable file gives those defaults.
void readSettings(SettingsRecord& record);
void readSettings(SettingsRecord& record, const std::string& path);

// Writes every persistent field to the record's settings file (resolved first), integers in
// "%ld" and doubles in "%lg" form, the markers' frequencies in hertz exactly; the keys of
// markers not set are removed. Other sections and keys of the file stay. The file is
// replaced whole or not at all; false when nothing was written (no path, a folder that cannot
// be made or written, a failed write).
bool writeSettings(SettingsRecord& record);
bool writeSettings(const SettingsRecord& record, const std::string& path);
