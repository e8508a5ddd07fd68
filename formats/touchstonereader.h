#pragma once

#include <cstddef>
#include <string>

#include "filebuffer.h"
#include "loadresult.h"
#include "rubbers2pdata.h"
#include "touchstonekeywords.h"

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

// Reads the option line ("# GHz S MA R 50") of prepared text into options. Returns the index of
// the NUL that ends the option line, or a value not below length when there is none.
size_t parseOptionLine(const char* text, size_t length, TouchstoneOptions& options);

// The linear complex value of a pair of numbers written in the given format.
Complex touchstoneValue(double a, double b, TouchstoneFormat dataFormat);

// Sets the point's frequency in hertz and its linear complex S-parameters from the pairs of
// numbers a11 b11 a12 b12 a21 b21 a22 b22 written in the given format.
void storePoint(S2PPoint& point, double rawFreq, TouchstoneFormat dataFormat, double freqMultiplier,
    const double numbers[8]);

// Converts the point's two-port S-parameters from reference resistance oldR to newR.
void renormalize(S2PPoint& point, double oldR, double newR = 50.0);
// Converts S11 of a one-port point from oldR to 50 ohm on its own; the filler parameters stay.
void renormalizeReflection(S2PPoint& point, double oldR);
// Whether a reference resistance differs enough from 50 ohm to be converted.
bool needsRenormalize(double refResistance);

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
    // scan: the scan of one- and two-port lines then gives the memory behind it back as it goes,
    // so that a large file and its points are not held whole at the same time.
    FileBytes* file = nullptr;
};

// Prepares the file held in buffer (length bytes and room for one more) in place. ports is the
// count that the extension names (.s4p: 4), or -1 when it names none (.ts); a version 2 file
// must agree with it. Gives back LoadSuccess or the reason the file cannot be read.
LoadResult prepareTouchstone(char* buffer, size_t length, int ports, TouchstoneText& text);

// How many measurements a file of this many ports becomes: one for one or two ports, the three
// views and the reduced view for three, one view per port pair for more.
int touchstoneViewCount(int ports);

// Reads the points of a prepared file into its touchstoneViewCount(text.ports) measurements: a
// three-port's views 1-2, 2-3, 1-3 and reduced view (label receives the reduction's name), or
// the views of the pairs (1,2), (1,3) ... (1,N), (2,3) ... of a larger file. Stops at the first
// frequency that does not increase.
LoadResult readTouchstone(const TouchstoneText& text, RubberS2PData* const* views, std::string& label);

// Readers of a whole file of one, two or three ports held in buffer (length bytes and room for
// one more), by prepareTouchstone and readTouchstone.
LoadResult readS1P(RubberS2PData& measurement, char* buffer, size_t length);
LoadResult readS2P(RubberS2PData& measurement, char* buffer, size_t length);
// A three-port file becomes the views of ports 1-2, 2-3 and 1-3 and the reduced two-port of
// two joined copies; label receives the name of the reduction's joined ports.
LoadResult readS3P(RubberS2PData& view12, RubberS2PData& view23, RubberS2PData& view13,
    RubberS2PData& reduced, char* buffer, size_t length, std::string& label);

// Reads the two-port file at path into measurement and sets its sourcePath (empty when the
// file cannot be opened).
LoadResult loadS2PFile(RubberS2PData& measurement, const std::string& path);
