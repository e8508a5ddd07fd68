#pragma once

#include <QString>

#include <array>
#include <cstdint>

#include "language.h"

// Every text of the main window that changes with the language, one record per language.
struct UiTexts {
    QString windowTitle;
    QString autoY;
    QString yMin;
    QString yMax;
    QString yStep;
    QString autoX;
    QString xMin;
    QString xMax;
    QString xStep;
    QString apply;
    QString db;
    QString vswr;
    QString relativeTo;
    std::array<QString, 4> unitNames; // Hz, kHz, MHz, GHz
    std::array<QString, 5> listColumns; // S, Current, Min, Max, Flatness
    QString chartHint; // shown in the chart's place while nothing is loaded
    QString closeLink; // the link in a measurement's group header that closes its file
    // The menu bar; '&' marks a command's access key.
    QString fileMenu;
    QString openCommand;
    QString closeCommand;
    QString rereadCommand;
    QString exportCommand;
    QString averagedCommand;
    QString saveImageCommand;
    QString copyImageCommand;
    QString copyTableCommand;
    QString exitCommand;
    QString viewMenu;
    QString normalCommand;
    QString largeGraphCommand;
    QString topmostCommand;
    QString smoothingCommand;
    QString frequencyChartCommand;
    QString smithChartCommand;
    QString polarChartCommand;
    QString admittanceGridCommand;
    // In the readout strip of a Smith or polar chart while a reference is chosen.
    QString relativeNotApplied;
    // View: how the phase traces show the phase, and the group delay aperture dialog.
    QString wrappedPhaseCommand;
    QString unwrappedPhaseCommand;
    QString groupDelayCommand;
    QString delayApertureCommand;
    QString languageMenu;
    QString russianCommand;
    QString englishCommand;
    QString helpMenu;
    QString aboutCommand;
    // Limit masks: the File menu's commands, the file list's verdict column, the open dialog's
    // filter and the message of a refused file (%1: the path, line and reason).
    QString openLimitsCommand;
    QString closeLimitsCommand;
    QString limitsColumn;
    QString limitsFilter;
    QString limitsFailed;
    // The chart's context menu: each trace entry is followed by "measurement->trace'", the
    // close entry by "measurement'".
    QString menuOpenFile;
    QString menuHideTrace;
    QString menuTraceColour;
    QString menuCloseFile;
    // Markers: View > Markers..., and the context menu's entries that place markers (the
    // bandwidth entry with %1 for the level).
    QString markersCommand;
    QString menuAddMarker;
    QString menuMarkerMaximum;
    QString menuMarkerMinimum;
    QString menuMarkerBandwidth;
    QString openDialogTitle;
    QString openFilter; // the open-file dialog's filter list, entries separated by ";;"
    QString colourDialogTitle;
    QString saveDialogTitle;
    QString averagedFilter; // the save dialog's filter of the averaged two-port file
    QString imageFilter; // the save dialog's filters of the chart image, PNG first
    // Message box texts: %1 is the file's path, or for exportFailed the reason.
    QString averagedFailed;
    QString imageFailed;
    QString exportFailed;
    QString exportOpenFailed;
    // After an average whose range some measurements do not cover: the heading (%1 to %2 the
    // first measurement's range in GHz), and a line per uncovered end (%1 the measurement, %2
    // its first or last frequency in GHz).
    QString averagedUncovered;
    QString averagedStartsLate;
    QString averagedEndsEarly;
    // After a load that left files out: the heading, the reason of each LoadFailure in its
    // order up to the reader's own reasons, which come by result code, and the line that counts
    // the files not listed (%1).
    QString failedFilesHeading;
    std::array<QString, 6> loadFailures;
    const char* (*readerReason)(int code) = nullptr;
    QString failedFilesMore;
    // The window's status line: a settings file at %1 that is not a regular file, and a chart
    // that could not be recomputed for lack of memory.
    QString settingsNotAFile;
    QString chartOutOfMemory;
};

// The texts of a language.
const UiTexts& uiTexts(Language language);
