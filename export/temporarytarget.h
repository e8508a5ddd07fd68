#pragma once

#include <string>

// A file that appears under its target's name whole or not at all: it is written under a
// temporary name beside the target, which commit moves into place. Until then, and after a
// failed commit, the temporary file is removed when the object goes, and whatever file had
// the target's name stays untouched.
class TemporaryTarget {
public:
    TemporaryTarget() = default;
    TemporaryTarget(const TemporaryTarget&) = delete;
    TemporaryTarget& operator=(const TemporaryTarget&) = delete;
    ~TemporaryTarget();

    // Creates an empty temporary file beside target, with the permissions of the file it
    // will replace; false with the system's reason in error when it cannot be created.
    bool create(const std::string& target, std::string& error);
    // The temporary file's name, for the writer; empty before create.
    const std::string& path() const { return temporary; }
    // Flushes the written file to the disk and renames it to the target; false with the
    // reason in error on failure, after which the temporary file is gone.
    bool commit(std::string& error);

private:
    void discard();

    std::string target;
    std::string temporary;
};
