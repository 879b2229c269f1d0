// Files for the tests: a temporary folder of their own, and whole files read and written in
// one call, byte for byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace support {

// A fresh folder in the system's temporary folder, removed with all it holds afterwards.
// Its name has no dot, since side files are named from the first dot of the whole path.
class TempFolder {
public:
    TempFolder();
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

using Bytes = std::vector<std::uint8_t>;

// A missing file reads as nothing.
Bytes readBytes(const std::filesystem::path& file);
std::string readText(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const Bytes& bytes);
void writeText(const std::filesystem::path& file, const std::string& text);

} // namespace support
