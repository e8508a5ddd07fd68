#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

// A fuzzer input held as the loader holds a file: its bytes in a block of exactly their size
// plus one byte, which the reader may use for its closing NUL.
inline std::unique_ptr<char[]> fileBuffer(const uint8_t* data, size_t size)
{
    std::unique_ptr<char[]> buffer(new char[size + 1]);
    if (size != 0)
        std::memcpy(buffer.get(), data, size);
    buffer[size] = 0;
    return buffer;
}
