#include "tests/support/files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <stdlib.h>

namespace fs = std::filesystem;

namespace support {

namespace {

fs::path madeFolder()
{
    std::string pattern = (fs::temp_directory_path() / "paginor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("no temporary folder");
    return pattern;
}

} // namespace

TempFolder::TempFolder() : path(madeFolder()) {}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

std::vector<std::string> TempFolder::names() const
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(path))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

Bytes readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string readText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const Bytes& bytes)
{
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

} // namespace support
