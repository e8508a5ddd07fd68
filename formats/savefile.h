#pragma once

#include <cstddef>
#include <string>

// Writes a file so that it appears whole or not at all: the text goes to a temporary file
// beside the target, which commit moves into place. A failed or abandoned write removes the
// temporary file and leaves whatever file had the target's name untouched.
class SaveFile {
public:
    SaveFile() = default;
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;
    ~SaveFile();

    // Creates the temporary file for path; false when it cannot be created.
    bool open(const std::string& path);
    // Appends bytes; a failure is remembered and makes commit fail.
    void write(const char* data, size_t size);
    // Flushes the text to the disk and renames it to the target; false on any failure, after
    // which the temporary file is gone.
    bool commit();

private:
    void discard();

    std::string target;
    std::string temporary;
    int fd = -1;
    bool failed = false;
};
