// Feeds arbitrary bytes to the layout-file reader, as the description's text and as a whole
// archive, and checks what must hold for any file: a frame count of 1, 2, 4, 8 or 16, no
// more frame lines than frames, captions within 255 characters and free of the clone mark,
// members extracted only under their bare names into the private folder, and a JPEG member
// read into memory the same as extracted.
#include "printing/layout/layout_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkDescription(const printing::PageDescription& d)
{
    const int n = d.frameCount;
    require(n == 1 || n == 2 || n == 4 || n == 8 || n == 16);
    require(d.lines.size() <= static_cast<std::size_t>(n));
    require(d.aspectRatio > 0.0f);
    for (const printing::LayoutLine& line : d.lines) {
        require(line.caption.size() <= printing::kMaxLayoutField);
        require(line.caption.find(printing::kClonedFrom) == std::string::npos);
        require(line.error.empty() == line.frame.has_value());
    }
}

void readArchive(std::span<const std::uint8_t> bytes)
{
    static const core::TemporaryFolder folder = printing::makeExtractFolder();
    try {
        printing::LayoutArchive archive(bytes);
        const printing::PageDescription d = printing::parseLayoutText(archive.readDescription());
        checkDescription(d);
        for (const printing::LayoutLine& line : d.lines) {
            // A JPEG member read whole into memory (through a handle of its own, as the
            // decoding threads read) is what extracting it gives, byte for byte.
            std::optional<std::vector<std::uint8_t>> whole;
            try {
                whole = archive.reopen()->readJpeg(line.member, 1 << 20);
            } catch (const printing::LayoutError&) {
            }
            std::error_code ec;
            if (printing::isBareMemberName(line.member))
                std::filesystem::remove(folder.path() / line.member, ec); // named by an earlier line too
            bool extracted = false;
            try {
                extracted = archive.extract(line.member, folder.path(), 1 << 20);
            } catch (const printing::LayoutError&) {
            }
            if (whole) {
                require(extracted);
                std::ifstream in(folder.path() / line.member, std::ios::binary);
                const std::vector<char> file{std::istreambuf_iterator<char>(in), {}};
                require(file.size() == whole->size() && std::equal(file.begin(), file.end(), whole->begin(),
                                                                   [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
                std::filesystem::remove(folder.path() / line.member);
            }
        }
    } catch (const printing::LayoutError&) {
    }
    for (const auto& e : std::filesystem::directory_iterator(folder.path())) {
        require(printing::isBareMemberName(e.path().filename().string()));
        std::filesystem::remove(e.path());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An archive starts "PK"; anything else is taken as the description's text.
    if (size >= 2 && data[0] == 'P' && data[1] == 'K') {
        readArchive({data, size});
        return 0;
    }
    try {
        checkDescription(printing::parseLayoutText({reinterpret_cast<const char*>(data), size}));
    } catch (const printing::LayoutError&) {
    }
    return 0;
}
