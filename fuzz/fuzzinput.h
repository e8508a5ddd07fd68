#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>

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

// A folder of the fuzzer's own for the files it makes, in memory where /dev/shm is, since some
// targets write a file per input.
inline std::string fuzzFolder()
{
    struct stat st { };
    std::string pattern = ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
    pattern += "/sprelin-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    return pattern;
}

// Replaces the file at path with text; false when it cannot be written whole.
inline bool writeFuzzFile(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}
