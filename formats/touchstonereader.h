#pragma once

#include <cstddef>
#include <string>

#include "loadresult.h"
#include "rubbers2pdata.h"
#include "touchstonescan.h"

// The Touchstone reader: prepares a file's text and hands its data to the scan for its version
// and port count (pointlinereader, threeportlines, networkdata).

// Reads the option line ("# GHz S MA R 50") of prepared text into options. Returns the index of
// the NUL that ends the option line, or a value not below length when there is none.
size_t parseOptionLine(const char* text, size_t length, TouchstoneOptions& options);

// Prepares the file held in buffer (length bytes and room for one more) in place. ports is the
// count that the extension names (.s4p: 4), or -1 when it names none (.ts); a version 2 file
// must agree with it. Gives back LoadSuccess or the reason the file cannot be read.
LoadResult prepareTouchstone(char* buffer, size_t length, int ports, TouchstoneText& text);

// Reads the points of a prepared file into its touchstoneViewCount(text.ports) measurements: a
// three-port's views 1-2, 2-3, 1-3 and reduced view (label receives the reduction's name), or
// the views of the pairs (1,2), (1,3) ... (1,N), (2,3) ... of a larger file. Stops at the first
// frequency that does not increase. Every scan ends by finishViews: a read that succeeds leaves
// each view valid, with its frequency summary.
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
