// Feeds arbitrary bytes to the EXIF reader and the details builder, and checks what
// must hold for any file: known result codes, at most one item per tag, no tag 0, text
// values within the read buffer, and the details choice following the result. The same
// bytes go to the orientation reader, as a whole file and as a bare EXIF block.
#include "core/messages.h"
#include "exif/core/exif.h"
#include "imaging/kernels/orientation.h"

#include <cstdint>
#include <cstdlib>
#include <set>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

exif::DetailsOptions optionsFromByte(std::uint8_t b)
{
    exif::DetailsOptions o;
    o.incFilename = b & 1;
    o.incTime = b & 2;
    o.incDMY = b & 4;
    o.incMDY = b & 8;
    o.incExposure = b & 16;
    o.incThisText = b & 32;
    o.incFlash = b & 64;
    o.getCameraDetails = b & 128;
    o.incText = "text";
    return o;
}

void checkItems(const exif::ReadResult& r, const core::ScriptedMessages& sink)
{
    require(r.result >= exif::kNotJpeg && r.result <= exif::kMotorolaOrder);
    require(r.result >= exif::kIntelOrder || r.items.empty());
    require(sink.entries().size() <= 1);
    std::set<std::int32_t> tags;
    for (const exif::ExifItem& item : r.items) {
        require(item.tag != 0);
        require(tags.insert(item.tag).second);
        require(!item.label.empty());
        require(item.value.size() <= 255 || item.tag == 282 || item.tag == 283);
    }
}

// Any orientation read is one of the eight, and turns a picture to the size it promises.
void checkOrientation(std::span<const std::uint8_t> bytes)
{
    for (const int orientation : {imaging::fileOrientation(bytes), imaging::exifOrientation(bytes),
                                  imaging::exifOrientation(bytes.size() > 12 ? bytes.subspan(12) : bytes)}) {
        require(orientation >= 1 && orientation <= 8);
        const imaging::Bitmap turned = imaging::orientUpright(imaging::Bitmap(3, 2), orientation);
        require(turned.width() == (imaging::orientationSwapsSides(orientation) ? 2 : 3));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    exif::MemorySource source({data, size});
    core::ScriptedMessages sink;
    exif::ReadOptions options;
    options.messages = &sink;
    options.decimalSeparator = size % 2 ? "," : ".";
    const exif::ReadResult r = exif::readExif(source, options);
    checkItems(r, sink);
    checkOrientation({data, size});

    const exif::DetailsOptions d = optionsFromByte(size > 0 ? data[size - 1] : 0);
    const exif::ImageDetails details = exif::buildDetails(d, "folder/a.jpg", r);
    require(details.hasExif == (d.getCameraDetails && r.result >= exif::kIntelOrder));
    require(details.hasExif || details.exifTags.empty());
    return 0;
}
