#pragma once

#include <QString>

#include <array>
#include <cstdint>

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
    QString closeLink; // the link in a measurement's group header that closes its file
    QString fileMenu;
    QString openCommand;
    QString rereadCommand;
    QString exitCommand;
    QString openDialogTitle;
    QString openFilter; // the open-file dialog's filter list, entries separated by ";;"
    QString colourDialogTitle;
};

// The texts of a language: 0 is Russian, every other value English.
const UiTexts& uiTexts(int32_t language);
