// Feeds arbitrary bytes to the layout-file reader, as the description's text and as a whole
// archive, and checks what must hold for any file: a frame count of 1, 2, 4, 8 or 16, no
// more frame lines than frames, captions within 255 characters and free of the clone mark,
// and members extracted only under their bare names into the private folder.
#include "printing/layout_file.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

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
    static printing::PrivateFolder folder;
    try {
        printing::LayoutArchive archive(bytes);
        const printing::PageDescription d = printing::parseLayoutText(archive.readDescription());
        checkDescription(d);
        for (const printing::LayoutLine& line : d.lines) {
            try {
                archive.extract(line.member, folder.path(), 1 << 20);
            } catch (const printing::LayoutError&) {
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
