#pragma once

#include <cstddef>
#include <string>

#include "loadresult.h"
#include "rubbers2p.h"

// Reads a ZetLabs column file (.dtu, .nrm) held in buffer: length bytes with room for one more,
// changed in place. The first column is the frequency in hertz, every further column the
// magnitude of S21 in dB; each becomes one measurement appended to list and named
// "<file name>-01", "<file name>-02", ... Header and comment lines are dropped by the text
// preparation. A line whose first token or any column value is not a number rejects the file:
// its measurements stay in the list without points. A frequency that is not finite ends the
// points before it. A first line of more than maxListMeasurements data columns is refused
// with LoadTooManyMeasurements before anything is made; one whose measurements cannot be had
// in memory gives LoadOutOfMemory and leaves them without points; every other file gives
// LoadSuccess.
//
// Takes loadLock() itself, only while it appends its measurements; the caller must not hold it.
LoadResult readZetLabs(const std::string& path, char* buffer, size_t length, RubberS2P& list);
