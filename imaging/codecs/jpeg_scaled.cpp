// Scaled JPEG decoding. The error handling mirrors the full decoder's: libjpeg reports
// failures by longjmp, so the calls into it sit in small functions that set the jump
// point and hold no object with a destructor, and the caller throws after they return.
#include "imaging/codecs/jpeg_scaled.h"

#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace imaging {
namespace {

// As in the full decoder: a crafted progressive file with thousands of scans would
// otherwise hang the load.
constexpr int kMaxScans = 500;

struct ScaledReader {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    jpeg_progress_mgr prog;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
    bool created = false;
    bool wantProfile = false; // as in the full decoder: the ICC profile, malloc'd by libjpeg
    JOCTET* icc = nullptr;
    unsigned int iccLength = 0;
};

ScaledReader& readerOf(j_common_ptr cinfo)
{
    // cinfo is the first member, so the reader starts at the same address.
    return *reinterpret_cast<ScaledReader*>(cinfo);
}

[[noreturn]] void onError(j_common_ptr cinfo)
{
    ScaledReader& r = readerOf(cinfo);
    (*cinfo->err->format_message)(cinfo, r.text);
    std::longjmp(r.jump, 1);
}

// Lost pixels fail the load, as they do in the full decoder; other warnings are common
// in cameras' files and the picture still decodes.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && detail::jpegWarningLosesPixels(cinfo->err->msg_code))
        onError(cinfo);
    if (level < 0)
        cinfo->err->num_warnings++;
}

void onProgress(j_common_ptr cinfo)
{
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->progressive_mode && d->input_scan_number > kMaxScans) {
        ScaledReader& r = readerOf(cinfo);
        std::snprintf(r.text, JMSG_LENGTH_MAX, "more than %d progressive scans", kMaxScans);
        std::longjmp(r.jump, 1);
    }
}

// setjmp functions: no objects with destructors below this line until the next mark.
bool readHeader(ScaledReader& r, const std::uint8_t* data, std::size_t size, int eighths)
{
    if (setjmp(r.jump))
        return false;
    r.created = true; // jpeg_destroy_decompress copes with a half-created object
    jpeg_create_decompress(&r.cinfo);
    r.cinfo.progress = &r.prog;
    jpeg_mem_src(&r.cinfo, data, static_cast<unsigned long>(size));
    if (r.wantProfile)
        jpeg_save_markers(&r.cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&r.cinfo, TRUE);
    if (r.wantProfile && !jpeg_read_icc_profile(&r.cinfo, &r.icc, &r.iccLength))
        r.icc = nullptr;
    r.cinfo.scale_num = static_cast<unsigned>(eighths);
    r.cinfo.scale_denom = 8;
    const bool cmyk = r.cinfo.jpeg_color_space == JCS_CMYK || r.cinfo.jpeg_color_space == JCS_YCCK;
    r.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&r.cinfo);
    return true;
}

bool readRows(ScaledReader& r, std::uint8_t* pixels, std::ptrdiff_t stride, JSAMPLE* cmykRow)
{
    if (setjmp(r.jump))
        return false;
    jpeg_start_decompress(&r.cinfo);
    const bool cmyk = r.cinfo.out_color_space == JCS_CMYK;
    while (r.cinfo.output_scanline < r.cinfo.output_height) {
        std::uint8_t* target = pixels + static_cast<std::ptrdiff_t>(r.cinfo.output_scanline) * stride;
        JSAMPROW row = cmyk ? cmykRow : target;
        if (jpeg_read_scanlines(&r.cinfo, &row, 1) != 1)
            return false;
        if (cmyk)
            detail::cmykRowToBgr(cmykRow, target, static_cast<int>(r.cinfo.output_width), r.cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&r.cinfo);
    return true;
}
// ---- end of setjmp functions ----

struct ReaderGuard {
    ScaledReader& r;
    ~ReaderGuard()
    {
        if (r.created)
            jpeg_destroy_decompress(&r.cinfo);
        std::free(r.icc);
    }
};

} // namespace

int jpegScaledLength(int length, int eighths)
{
    return static_cast<int>((static_cast<long long>(length) * eighths + 7) / 8);
}

int jpegScaleFor(int width, int height, int minWidth, int minHeight)
{
    for (int eighths = 1; eighths < 8; ++eighths)
        if (jpegScaledLength(width, eighths) >= minWidth && jpegScaledLength(height, eighths) >= minHeight)
            return eighths;
    return 8;
}

Bitmap decodeJpegScaled(std::span<const std::uint8_t> data, int eighths, const std::string& name)
{
    eighths = std::clamp(eighths, 1, 8);
    ScaledReader r{};
    ReaderGuard guard{r};
    r.wantProfile = colourProfilesUsed();
    r.cinfo.err = jpeg_std_error(&r.err);
    r.err.error_exit = onError;
    r.err.emit_message = onMessage;
    r.prog.progress_monitor = onProgress;
    if (data.empty())
        throw ImagingError(msg::compose(msg::kCorruptJpeg, name, QT_TRANSLATE_NOOP("Paginor", "the file is empty")));
    if (!readHeader(r, data.data(), data.size(), eighths))
        throw ImagingError(msg::compose(msg::kCorruptJpeg, name, r.text));
    // The full size is checked, as the full decode will be asked for it later.
    detail::checkImageSize(r.cinfo.image_width, r.cinfo.image_height, name);
    detail::checkJpegDataCanHoldPicture(r.cinfo, data.size(), name);
    r.cinfo.mem->max_memory_to_use = static_cast<long>(detail::maxImageBytes());
    Bitmap bmp(static_cast<int>(r.cinfo.output_width), static_cast<int>(r.cinfo.output_height), 3);
    std::vector<JSAMPLE> cmykRow(r.cinfo.out_color_space == JCS_CMYK ? std::size_t(r.cinfo.output_width) * 4 : 0);
    if (!readRows(r, bmp.data(), bmp.stride(), cmykRow.data()))
        throw ImagingError(msg::compose(msg::kCorruptJpeg, name, r.text));
    // The screen's copy takes the colours the printed picture will have.
    if (r.icc != nullptr && r.cinfo.out_color_space != JCS_CMYK)
        detail::convertToSrgb({r.icc, r.iccLength}, bmp.view());
    return bmp;
}

} // namespace imaging
