#include "tempdir.h"

#include <stdlib.h>

#include "filetext.h"

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sprelin-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr)
        path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path, ignored);
}

std::string TempDir::file(const std::string& name) const
{
    return (path / name).string();
}

std::string TempDir::write(const std::string& name, const std::string& text) const
{
    const std::string target = file(name);
    writeAll(target, text);
    return target;
}

std::vector<std::string> TempDir::entries() const
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path))
        names.push_back(e.path().filename().string());
    return names;
}
