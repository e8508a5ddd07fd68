#pragma once

// Result codes of the readers and of the averaged-file writer.
enum LoadResult : int {
    LoadSuccess = 0,
    LoadCannotOpen = 1,
    LoadCannotRead = 2,
    LoadNoData = 3,
    LoadNotSParameters = 4,
    LoadCannotWrite = 5,
    LoadTooManyPorts = 6,
    LoadBadKeywords = 7,
    LoadFrequencyCountDiffers = 8,
};

// The message kept for a result code (Russian, as the program has always held them); empty
// for success and for unknown codes.
const char* loadResultMessage(int code);
// The same reason in English, for the batch tool's error lines.
const char* loadResultReason(int code);
