#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder for one test, removed with everything in it afterwards, also when the test
// made parts of it unreadable.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The path of name inside the folder.
    std::string file(const std::string& name) const;

    // Writes text to the file name inside the folder and returns its path.
    std::string write(const std::string& name, const std::string& text) const;

    // The names of the folder's entries, in no particular order.
    std::vector<std::string> entries() const;

    std::filesystem::path path;
};
