#pragma once

#include <string>

#include "filebuffer.h"
#include "loadresult.h"
#include "rubbers2pdata.h"
#include "touchstonekeywords.h"

// The Touchstone text types and the helpers that every data scan shares: what the option line
// says, the prepared text, the conversion of a file's number pairs into points and the one rule
// by which a scan's measurements are finished.

// Data formats of a Touchstone option line.
enum TouchstoneFormat : int { FormatDB = 0, FormatMA = 1, FormatRI = 2 };
// Parameter types of a Touchstone option line; only S-parameters are read.
enum TouchstoneParam : int { ParamS = 0, ParamY = 1, ParamZ = 2, ParamH = 3, ParamG = 4 };

// What the option line says, each value with the default that holds when the line omits it.
struct TouchstoneOptions {
    double freqMultiplier = 1e9;
    TouchstoneParam paramType = ParamS;
    TouchstoneFormat dataFormat = FormatMA;
    double refResistance = 50.0;
};

// A Touchstone file's prepared text and what its option and keyword lines say.
struct TouchstoneText {
    int ports = 0;
    bool version2 = false;
    TouchstoneOptions options;
    // Of a version 2 file, with one reference per port also when the option line gives them.
    TouchstoneKeywords keywords;
    const char* dataStart = nullptr;
    const char* dataEnd = nullptr;
    // The whole-file buffer that the text lies in, when nothing reads the text after the data
    // scan: the scans then give the memory behind them back as they go, so that a large file
    // and its points are not held whole at the same time.
    FileBytes* file = nullptr;
};

// How many measurements a file of this many ports becomes: one for one or two ports, the three
// views and the reduced view for three, one view per port pair for more.
int touchstoneViewCount(int ports);

// The linear complex value of a pair of numbers written in the given format.
Complex touchstoneValue(double a, double b, TouchstoneFormat dataFormat);

// Sets the point's frequency in hertz and its linear complex S-parameters from the pairs of
// numbers a11 b11 a12 b12 a21 b21 a22 b22 written in the given format.
void storePoint(S2PPoint& point, double rawFreq, TouchstoneFormat dataFormat, double freqMultiplier,
    const double numbers[8]);

// Appends a point behind the last one to each of count measurements, into points; false when
// no memory is left for one.
bool appendViewPoints(RubberS2PData* const* views, int count, S2PPoint** points);

// Ends a data scan of count measurements, the rule of every Touchstone scan: when memory lasted
// and each has more than one point, marks them all valid, sets their frequency summary and trims
// their memory, and gives back LoadSuccess; otherwise releases the points of all of them and
// gives back LoadOutOfMemory, LoadSinglePoint (one point was read) or LoadNoDataLine (none
// was).
LoadResult finishViews(RubberS2PData* const* views, int count, bool outOfMemory);

// Ends the scan of a three-port's views 1-2, 2-3, 1-3 and their joined two-port by
// finishViews; the joined two-port is given up (left without points) when no frequency had a
// strictly weakest transmission to join at, which label tells by staying empty.
LoadResult finishThreePortViews(RubberS2PData* const* views, bool outOfMemory, const std::string& label);
