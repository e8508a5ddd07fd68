#pragma once

// Result codes of the readers and of the averaged-file writer: this folder's one way of
// reporting a failure. Layers above report by false with a message (see the README).
enum LoadResult : int {
    LoadSuccess = 0,
    LoadCannotOpen = 1,
    LoadCannotRead = 2,
    LoadNoData = 3,
    LoadNotSParameters = 4,
    LoadCannotWrite = 5,
    LoadTooManyMeasurements = 6, // a column or CSV file of more than maxListMeasurements
    LoadTooManyPorts = 7,
    LoadBadKeywords = 8,
    LoadFrequencyCountDiffers = 9,
    LoadEmptyFile = 10,
    LoadNotText = 11, // a NUL byte: binary data, not a text of numbers
    LoadNoDataLine = 12, // a text without a single line of data
    LoadSinglePoint = 13, // one frequency point, where a chart needs two
    LoadOutOfMemory = 14, // the memory the file's measurements need could not be had
};

// The message kept for a result code (Russian, as the program has always held them); empty
// for success and for unknown codes.
const char* loadResultMessage(int code);
// The same reason in English, for the batch tool's error lines.
const char* loadResultReason(int code);
// The highest code that has a message.
constexpr int lastLoadResult = LoadOutOfMemory;
