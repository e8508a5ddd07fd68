#pragma once

#include <cstddef>
#include <string>

// The path that names standard output to a SaveFile.
constexpr const char* standardOutputPath = "-";

// The one way every output of the program is written.
//
// A regular file (or a missing one) appears whole or not at all: the text goes to a
// temporary file in the target's folder, which commit moves into place with the old file's
// permissions, and its owner and group where the user may give them (as the superuser may).
// The temporary has no name where the file system allows it, so a killed run leaves nothing;
// elsewhere it is named "<target name, shortened>.<pid>.<n>.tmp", and the next
// write to the same target removes such files whose writer is gone. A symbolic link is
// followed to the file it names, which is written in its place; the link stays. A target that
// exists and is not a regular file (a device, a FIFO, a terminal) and standard output are
// written directly, as they cannot be replaced. An existing file whose permissions deny the
// user writing is refused, even to a user whose rights would override them.
class SaveFile {
public:
    SaveFile() = default;
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;
    ~SaveFile();

    // Prepares the write of path; false when it cannot be written, with error holding
    // "not writable: " and the system's reason ("no such folder", "is a directory",
    // "permission denied", ...).
    bool open(const std::string& path, std::string& error);
    // Appends bytes; a failure is remembered and makes commit fail.
    void write(const char* data, size_t size);
    // Flushes the text to the disk and puts it in place; false with the reason in error as
    // open gives it, after which the temporary is gone and the old file untouched.
    bool commit(std::string& error);

private:
    enum class Mode { Closed, Direct, Unnamed, Named };

    bool fail(std::string& error, int code);
    bool linkIn(std::string& error);
    void discard();

    Mode mode = Mode::Closed;
    std::string target;
    std::string folder;
    std::string temporary; // the name of a named temporary, or the one an unnamed is linked at
    int fd = -1;
    bool ownsDescriptor = false;
    int writeError = 0;
};
