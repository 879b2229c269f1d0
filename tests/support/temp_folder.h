// A fresh folder in the system's temporary folder, removed with all it holds afterwards.
// Its name has no dot, since side files are named from the first dot of the whole path.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace support {

class TempFolder {
public:
    // prefix starts the folder's name, so a folder left by a killed run tells whose it is.
    explicit TempFolder(const std::string& prefix = "paginor-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path / name; }
    std::string file(const std::string& name) const { return (path / name).string(); }
    // The path and a slash, for names written after it.
    std::string dir() const { return path.string() + "/"; }
    // The names of what the folder holds, sorted.
    std::vector<std::string> names() const;

    const std::filesystem::path path;
};

} // namespace support
