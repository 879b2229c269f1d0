// libjpeg's error and progress managers and the reading steps both JPEG decoders share
// (the full one and the scaled one). Not part of the module's public header.
//
// libjpeg reports a failure by longjmp. Every call into it goes through callJpeg, the
// one function that sets the jump point; the steps it runs hold no object with a
// destructor, and the C++ code around them turns a failure into a throw.
#pragma once

#include "imaging/codecs/codecs.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <exception>
#include <span>
#include <string>
#include <string_view>

#include <jpeglib.h>

namespace imaging::detail {

// Progressive files may hold any number of scans, each costing a pass over the whole
// picture; a crafted file with thousands would hang the program. libjpeg-turbo's own
// tools stop at this many.
inline constexpr int kMaxJpegScans = 500;

struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
    std::exception_ptr progressError; // thrown by the caller's progress callback
};

struct JpegProgress {
    jpeg_progress_mgr pub;
    const ProgressFn* callback;
    int lastPercent;
};

// Gives cinfo the managers: libjpeg's failures and the warnings that lose pixels jump
// back to callJpeg with their text in err.text, too many progressive scans too, and
// callback (kept by address) hears the progress.
void attachJpegManagers(j_common_ptr cinfo, JpegErrors& err, JpegProgress& prog, const ProgressFn& callback);

// Runs step, which calls into libjpeg and returns false when it could not finish; false
// too when libjpeg failed inside it. step must hold no object with a destructor.
template <typename Step>
bool callJpeg(JpegErrors& err, const Step& step)
{
    if (setjmp(err.jump))
        return false;
    return step();
}

// Throws what made a call fail: the progress callback's own exception, or ImagingError
// with fixed, name and libjpeg's text.
[[noreturn]] void throwJpegFailure(const JpegErrors& err, std::string_view fixed, const std::string& name);

// ---- decoding ----

struct JpegReader {
    jpeg_decompress_struct cinfo;
    JpegErrors err;
    JpegProgress prog;
    bool created = false;
    bool wantProfile = false; // keep the ICC profile's markers and read the profile
    JOCTET* icc = nullptr;    // the embedded ICC profile (malloc'd by libjpeg), or null
    unsigned int iccLength = 0;
};

// Destroys the decompressor and frees the profile however the decode ends.
struct JpegReaderGuard {
    JpegReader& d;
    ~JpegReaderGuard();
};

// Attaches the managers and reads the header (and the profile, when wanted); throws
// ImagingError (kCorruptJpeg) for empty data or a header libjpeg refuses.
void startJpegReader(JpegReader& d, std::span<const std::uint8_t> data, const ProgressFn& progress,
                     const std::string& name);

// The calls after the header; false when libjpeg failed (see throwJpegFailure).
bool startJpegRows(JpegReader& d);
// The next rows of the picture into a strip whose first row is pixels; cmykRow holds
// one row of CMYK samples when the output is CMYK.
bool readJpegRows(JpegReader& d, std::uint8_t* pixels, std::ptrdiff_t stride, int rows, JSAMPLE* cmykRow);
bool finishJpegRows(JpegReader& d);
// The whole output picture into pixels, row after row.
bool readAllJpegRows(JpegReader& d, std::uint8_t* pixels, std::ptrdiff_t stride, JSAMPLE* cmykRow);

} // namespace imaging::detail
