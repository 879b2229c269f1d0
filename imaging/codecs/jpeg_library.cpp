// libjpeg's managers and the reading steps both JPEG decoders share; see jpeg_library.h.
#include "imaging/codecs/jpeg_library.h"

#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"

#include <cstdlib>

#include <jerror.h> // after jpeglib.h: its configuration decides which codes exist

namespace imaging::detail {
namespace {

[[noreturn]] void failJump(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegErrors*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

[[noreturn]] void onError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegErrors*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->text);
    failJump(cinfo);
}

// Lost pixels fail the load; other warnings are common in cameras' files and the
// picture still decodes.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && jpegWarningLosesPixels(cinfo->err->msg_code))
        onError(cinfo);
    if (level < 0)
        cinfo->err->num_warnings++;
}

void onProgress(j_common_ptr cinfo)
{
    auto* prog = reinterpret_cast<JpegProgress*>(cinfo->progress);
    if (cinfo->is_decompressor) {
        auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->progressive_mode && d->input_scan_number > kMaxJpegScans) {
            std::snprintf(reinterpret_cast<JpegErrors*>(cinfo->err)->text, JMSG_LENGTH_MAX,
                          "more than %d progressive scans", kMaxJpegScans);
            failJump(cinfo);
        }
    }
    const jpeg_progress_mgr& p = prog->pub;
    const int passes = p.total_passes > 0 ? p.total_passes : 1;
    const double within = p.pass_limit > 0 ? double(p.pass_counter) / double(p.pass_limit) : 0.0;
    int percent = static_cast<int>((p.completed_passes + within) * 100.0 / passes);
    percent = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    if (percent == prog->lastPercent || !*prog->callback)
        return;
    prog->lastPercent = percent;
    auto* err = reinterpret_cast<JpegErrors*>(cinfo->err);
    try {
        (*prog->callback)(percent);
    } catch (...) {
        err->progressError = std::current_exception();
    }
    if (err->progressError) // jump only once the catch block has ended
        failJump(cinfo);
}

} // namespace

void attachJpegManagers(j_common_ptr cinfo, JpegErrors& err, JpegProgress& prog, const ProgressFn& callback)
{
    cinfo->err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    err.text[0] = '\0';
    prog.pub.progress_monitor = onProgress;
    prog.callback = &callback;
    prog.lastPercent = -1;
}

void throwJpegFailure(const JpegErrors& err, std::string_view fixed, const std::string& name)
{
    if (err.progressError)
        std::rethrow_exception(err.progressError);
    throw ImagingError(msg::compose(fixed, name, err.text));
}

JpegReaderGuard::~JpegReaderGuard()
{
    if (d.created)
        jpeg_destroy_decompress(&d.cinfo);
    std::free(d.icc);
}

void startJpegReader(JpegReader& d, std::span<const std::uint8_t> data, const ProgressFn& progress,
                     const std::string& name)
{
    attachJpegManagers(reinterpret_cast<j_common_ptr>(&d.cinfo), d.err, d.prog, progress);
    if (data.empty())
        throw ImagingError(msg::compose(msg::kCorruptJpeg, name, QT_TRANSLATE_NOOP("Paginor", "the file is empty")));
    const bool read = callJpeg(d.err, [&] {
        d.created = true; // jpeg_destroy_* copes with a half-created object
        jpeg_create_decompress(&d.cinfo);
        d.cinfo.progress = &d.prog.pub;
        jpeg_mem_src(&d.cinfo, data.data(), static_cast<unsigned long>(data.size()));
        if (d.wantProfile)
            jpeg_save_markers(&d.cinfo, JPEG_APP0 + 2, 0xFFFF);
        jpeg_read_header(&d.cinfo, TRUE);
        // A missing or broken profile reads as none: the picture is shown as its numbers say.
        if (d.wantProfile && !jpeg_read_icc_profile(&d.cinfo, &d.icc, &d.iccLength))
            d.icc = nullptr;
        return true;
    });
    if (!read)
        throwJpegFailure(d.err, msg::kCorruptJpeg, name);
}

bool startJpegRows(JpegReader& d)
{
    return callJpeg(d.err, [&] {
        jpeg_start_decompress(&d.cinfo);
        return true;
    });
}

bool readJpegRows(JpegReader& d, std::uint8_t* pixels, std::ptrdiff_t stride, int rows, JSAMPLE* cmykRow)
{
    return callJpeg(d.err, [&] {
        const bool cmyk = d.cinfo.out_color_space == JCS_CMYK;
        const bool inverted = d.cinfo.saw_Adobe_marker;
        for (int r = 0; r < rows; ++r) {
            std::uint8_t* target = pixels + static_cast<std::ptrdiff_t>(r) * stride;
            JSAMPROW row = cmyk ? cmykRow : target;
            if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1)
                return false;
            if (cmyk)
                cmykRowToBgr(cmykRow, target, static_cast<int>(d.cinfo.output_width), inverted);
        }
        return true;
    });
}

bool finishJpegRows(JpegReader& d)
{
    return callJpeg(d.err, [&] {
        jpeg_finish_decompress(&d.cinfo);
        return true;
    });
}

bool readAllJpegRows(JpegReader& d, std::uint8_t* pixels, std::ptrdiff_t stride, JSAMPLE* cmykRow)
{
    return startJpegRows(d) && readJpegRows(d, pixels, stride, static_cast<int>(d.cinfo.output_height), cmykRow) &&
           finishJpegRows(d);
}

} // namespace imaging::detail
