#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A large file grown from a small fuzzer input, so that the paths only large files take (the
// reading in two halves, long Touchstone blocks, the measurement bound of column files) are
// fuzzed with inputs that stay small.
//
// The input: a byte that chooses the file's kind (see recipeExtension), a byte that chooses its
// size (1 to 8 MiB, in steps of half a MiB), then the header text up to the first 0x00, the
// line up to the next 0x00, and the edits, three bytes each. The file is the header, then the
// line repeated until the size is reached, each '#' of it standing for the repetition's number
// (so that frequencies rise). An edit (where, kind, byte) acts on the repetition where * 97:
// kind 0 puts the byte in place of one of the line's bytes, 1 adds a line of 64 KiB of the
// byte, 2 drops the line's end so that it runs into the next, 3 adds a line of a thousand
// copies of the line itself, 4 stops the repetition there.
struct InputRecipe {
    std::string extension;
    std::string text;
};

InputRecipe expandRecipe(const uint8_t* data, size_t size);
