#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "loadresult.h"

// Reads the whole file at path (UTF-8) with room for one byte more after its contents, as the
// readers prepare their text in place. length receives the file's size. Returns LoadSuccess,
// LoadCannotOpen when the path is not a readable regular file, LoadOutOfMemory when no buffer
// can be had for it, or LoadCannotRead when the contents cannot be read whole.
// The buffer is left uninitialised beyond what the read fills, except for the spare byte. A
// large file's buffer lies on huge pages where the kernel offers them.
struct FileBytesRelease {
    size_t bytes = 0;
    void operator()(char* block) const;
};
using FileBytes = std::unique_ptr<char[], FileBytesRelease>;
LoadResult readWholeFile(const std::string& path, FileBytes& buffer, size_t& length);

// Gives the memory of a large file's buffer between from and to back to the kernel, once nothing
// reads that part again: it reads as zeros afterwards. A small file's buffer keeps its memory.
void releaseFileBytes(FileBytes& buffer, const char* from, const char* to);

// Gives the text behind a scan of a large file's buffer back to the kernel in steps as the scan
// goes on, from where the scan started. Does nothing without a buffer, nor while allowed (when
// given) is false: another thread still reads that text then, and a later step releases it.
class ReleaseBehind {
public:
    ReleaseBehind(FileBytes* file, const char* begin, const std::atomic<bool>* allowed = nullptr);
    // The scan has reached p: nothing reads the text between begin and p again.
    void reached(const char* p)
    {
        if (file_ != nullptr && p >= next_
            && (allowed_ == nullptr || allowed_->load(std::memory_order_acquire)))
            release(p);
    }

private:
    void release(const char* p);

    FileBytes* file_;
    const char* begin_;
    const char* next_;
    const std::atomic<bool>* allowed_;
};
