// Image files in and out: every accepted format decoded into a Bitmap, JPEG and
// 24-bit BMP written, and the picture a frame holds (a JPEG that keeps its
// compressed file data, or a plain bitmap).
#pragma once

#include "core/files.h"
#include "imaging/kernels/bitmap.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace imaging {

// Receives 0..100 while a file is decoded or encoded. It may throw to abandon the
// work; the exception reaches the caller of the decoder or encoder unchanged.
using ProgressFn = std::function<void(int percent)>;

// A header may announce any size; a decoder refuses more than this many pixels (or
// more bytes than the machine has memory) before it allocates anything.
inline constexpr std::int64_t kMaxPixels = std::int64_t(1) << 30;

// Which library reads a format.
enum class Decoder {
    LibJpeg,  // libjpeg-turbo, in process
    Qt,       // Qt's image readers (with the image-formats plugins)
    Magick,   // ImageMagick's Magick++, in process
    GmHelper, // GraphicsMagick's gm, run as a helper process
    Own,      // this program's own reader (Autodesk Animator pictures)
    LibHeif,  // libheif: HEIF (HEVC) and AVIF, in process
    LibWebP,  // libwebp, in process
    LibJxl,   // libjxl, in process
    LibRaw,   // LibRaw: camera RAW files, in process
    None,     // accepted by name but not readable on this system
};

struct FormatInfo {
    std::string_view extension;  // upper case, with its dot: ".JPG"
    Decoder decoder;
    std::string_view formatName; // the name the decoder knows the format by ("SGI", "tga")
    std::string_view description;
};

// The extensions a file may have to be loaded, in the order the loader lists them.
const std::vector<FormatInfo>& acceptedFormats();
// The format entry of an extension (".jpg" or "JPG", any case), or nullptr.
const FormatInfo* findFormat(std::string_view extension);
// True when the extension names one accepted format exactly (".tif" yes, ".t" no).
bool isAcceptedExtension(std::string_view extension);
// The extension of a path (from its last dot, after the last slash), or "".
std::string extensionOf(const std::string& path);
// The same in lower case (ASCII), for comparing with ".jpg" and the like.
std::string lowerExtensionOf(const std::string& path);
bool hasAcceptedExtension(const std::string& path);

// The choices a decode makes that the settings decide (Honour_Orientation,
// Use_Colour_Profiles; both on by default, as in the settings). A picture that keeps its
// file's data keeps the choices it was loaded with, and its data decodes by them again.
// Pictures without a profile are never touched by useColourProfiles.
struct DecodeOptions {
    bool honourOrientation = true; // turned upright by the orientation its file records
    bool useColourProfiles = true; // converted to sRGB by the ICC profile it carries
};

// Decodes a file into a 24-bit bitmap, the decoder chosen by its extension.
// Transparent pixels are laid over white, as they will be printed. The picture is
// turned upright by the orientation the file records (see orientation.h) and its
// colours converted by its profile as options say.
Bitmap loadBitmap(const std::string& path, const ProgressFn& progress = {},
                  const DecodeOptions& options = {});

// JPEG in memory. decodeJpeg accepts baseline and progressive, grey, colour and CMYK data.
// Its colours are converted by an embedded profile as options say (the orientation is
// not applied).
Bitmap decodeJpeg(std::span<const std::uint8_t> data, const ProgressFn& progress = {}, const DecodeOptions& options = {});
// The same into reuse, whose memory is kept when it already has the picture's size: a
// printer decoding photo after photo of one camera then allocates (and the system
// zeroes) a few tens of megabytes once, not once per photo. On failure reuse holds
// whatever was decoded.
void decodeJpegInto(std::span<const std::uint8_t> data, Bitmap& reuse, const ProgressFn& progress = {},
                    const DecodeOptions& options = {});
// The same decode handed over a strip of at most stripRows rows at a time, top to bottom,
// so the whole picture never has to exist: size gets the width and height before the
// first strip, strip each strip in turn (its rows are not kept after the call). False,
// with nothing decoded, for a picture whose colours its embedded profile converts under
// options (that is done on the whole picture: decodeJpegInto).
bool decodeJpegStrips(std::span<const std::uint8_t> data, const DecodeOptions& options, int stripRows,
                      const std::function<void(int, int)>& size, const std::function<void(ConstBitmapView)>& strip);
// dpi > 0 is written as the file's density in dots per inch (JFIF) or pixels per metre (BMP).
std::vector<std::uint8_t> encodeJpeg(ConstBitmapView bmp, int quality, const ProgressFn& progress = {}, int dpi = 0);
struct ImageSize {
    int width = 0;
    int height = 0;
};
ImageSize readJpegSize(std::span<const std::uint8_t> data);

// A JPEG file's data as a document may hold it unchanged: 8-bit, grey or colour, not
// arithmetic-coded. profile is the embedded ICC profile when decoding converts the
// colours by it (options.useColourProfiles), else empty.
struct JpegStream {
    int width = 0;
    int height = 0;
    int components = 0; // 1 grey, 3 colour
    std::vector<std::uint8_t> profile;
};
// Nothing for data that is not such a JPEG (or is no JPEG at all).
std::optional<JpegStream> describeJpegStream(std::span<const std::uint8_t> data, const DecodeOptions& options);

// Writers. Each writes beside the target and renames over it only when every byte is
// on disk, so a failed save leaves any previous file as it was.
void saveJpeg(ConstBitmapView bmp, const std::string& path, int quality, const ProgressFn& progress = {},
              int dpi = 0);
void saveBmp(ConstBitmapView bmp, const std::string& path, int dpi = 0); // 24-bit, bottom-up rows
std::vector<std::uint8_t> encodeBmp(ConstBitmapView bmp);
// The same files made a band of rows at a time, top to bottom, so the whole picture never
// has to exist: nextBand gives the rows that come next (at least one, all width wide,
// each band with the pixel layout of the first) and is called until height rows are
// given. The rows one call gave are not read after the next call. Byte for byte the file
// saveJpeg or saveBmp makes of the whole picture.
using NextBand = std::function<ConstBitmapView()>;
void saveJpegBands(const std::string& path, int width, int height, int quality, const NextBand& nextBand,
                   const ProgressFn& progress = {}, int dpi = 0);
void saveBmpBands(const std::string& path, int width, int height, const NextBand& nextBand, int dpi = 0);
void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> readWholeFile(const std::string& path);

// The temporary file a writer fills (see core/files.h).
using OutputFile = core::OutputFile;

// core::writeFileWith, its own failures as ImagingError (kCannotWrite). writeBody reports
// failed writes as std::system_error; any other exception it throws reaches the caller
// unchanged, with the temporary removed.
void writeFileWith(const std::string& path, const std::function<void(OutputFile&)>& writeBody);

// A frame's picture: either a JPEG that keeps the file's compressed data (so it can be
// written back unchanged) and is decoded when pixels are needed, perhaps with deferred
// steps done after the decode, or a bitmap. Copies share the data. Not for use from several threads at once (the decoding is lazy).
// Work on a JPEG picture's pixels put off until they are first needed, so a picture that
// is only shown never has to be decoded at full size. The steps must give the same
// pixels whenever they run; a smaller rendition of the decoded picture gets their look.
class DeferredSteps {
public:
    virtual ~DeferredSteps() = default;
    // The steps on the full-size decoded picture.
    virtual Bitmap apply(Bitmap decoded) const = 0;
    // The steps' look on a smaller rendition of the decoded picture (for the screen).
    virtual Bitmap applyToRendition(Bitmap rendition) const = 0;
    // How large a rendition of the decoded picture must be for applyToRendition to give
    // at least minWidth x minHeight (0: any size on that side).
    virtual ImageSize renditionMinimum(int minWidth, int minHeight) const = 0;
    // When the steps do no more than turn the picture: the orientation (1..8) that stands
    // data stored as orientation says upright and does the steps too, so a reader may take
    // the decoded data as it lies (see ResampleUpright). Otherwise none.
    virtual std::optional<int> asOrientation(int /*orientation*/) const { return std::nullopt; }
};

struct EncodedLoad;
struct Codec;

// Takes a decoded picture in bands of 24-bit rows, top to bottom, so that a caller who
// keeps only what it makes of them (a screen rendition) never holds the whole picture.
// begin comes first, with the size of the rows and the orientation (1..8) that stands
// them upright; it may come again, and the rows then start over.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void begin(int width, int height, int orientation) = 0;
    virtual void rows(ConstBitmapView band, int firstRow) = 0;
    // A decoder that has the whole picture offers it after begin; a sink that can keep
    // it as it is takes it (and gets no rows), sparing a copy.
    virtual bool takeWhole(Bitmap& /*picture*/) { return false; }

    // Hands a whole picture to sink: as it is, when the sink takes it, or as one band.
    static void handOver(RowSink& sink, Bitmap picture)
    {
        sink.begin(picture.width(), picture.height(), 1);
        if (!sink.takeWhole(picture))
            sink.rows(std::as_const(picture).view(), 0);
    }
};

class Picture {
public:
    // Decodes another format's compressed data whole; name only goes into messages.
    using DataDecoder = Bitmap (*)(std::span<const std::uint8_t> data, const DecodeOptions& options,
                                   const ProgressFn& progress, const std::string& name);

    Picture() = default;
    static Picture fromBitmap(Bitmap bmp);
    // Checks the header (and its size) now; decodes later. The orientation the data
    // records is honoured (see orientation.h) when options say so, else 1.
    static Picture fromJpegData(std::vector<std::uint8_t> data, const DecodeOptions& options = {});
    // The same for JPEG data inside another file that says how to turn it (a camera RAW
    // file's preview): orientation (1..8, already as honoured) replaces the data's own tag.
    // When that differs from the data's own tag, the data no longer stands for the
    // picture as a file (keepsJpegFile is false) and is never saved as it is.
    static Picture fromJpegData(std::vector<std::uint8_t> data, int orientation,
                                const DecodeOptions& options = {});
    // A picture that keeps the compressed data of another format (HEIF, AVIF, WebP,
    // JPEG XL) rather than its pixels, which take ten times the memory; the codec's decode
    // gives the width x height pixels whenever they are asked for (see registry.h). Like a JPEG picture it can defer
    // steps, but it is never written out as its data. options are those it was decoded
    // with: it is turned as it was then whenever it is decoded again, whatever the
    // setting says by then.
    static Picture fromEncodedData(std::vector<std::uint8_t> data, const Codec& codec, int width, int height,
                                   const DecodeOptions& options);

    bool empty() const { return m_width == 0 || m_height == 0; }
    // The JPEG data's pixels are the picture as it stands: no steps are waiting on it and
    // it needs no turn to stand upright. Such data can go into a document as it is.
    bool isJpeg() const { return keepsJpegFile() && m_orientation == 1; }
    // The JPEG data is a file that loads as this picture again: decoded and turned
    // upright by its orientation, with no steps waiting on it. Such data is saved as it is.
    bool keepsJpegFile() const
    {
        return m_jpeg != nullptr && m_codec == nullptr && !m_steps && m_fileOrientation == m_orientation;
    }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // The compressed file data of a JPEG picture (before any deferred steps); empty for a
    // bitmap or another format's data.
    std::span<const std::uint8_t> jpegData() const;
    // The compressed data kept, JPEG or another format's; empty for a bitmap.
    std::span<const std::uint8_t> encodedData() const;
    bool isJpegData() const { return m_jpeg != nullptr && m_codec == nullptr; }
    // The orientation (1..8) a JPEG picture's data is turned upright by when it is
    // decoded, before any deferred steps; 1 for a bitmap (and for other formats' data,
    // which their decoders turn themselves).
    int orientation() const { return m_orientation; }
    // The choices the kept data was decoded with at load; every later decode of it
    // (for print, for the screen) makes them again, whatever the settings say by then.
    const DecodeOptions& decodeOptions() const { return m_options; }
    // The size of the kept data decoded and turned upright, before any deferred steps.
    ImageSize uprightSize() const;
    // The kept data decoded afresh and upright, without the deferred steps; nothing is kept.
    Bitmap decodeData(const ProgressFn& progress = {}) const;
    // The same handed to sink in bands: from a HEIF's decoded planes a band at a time,
    // from other data whole, as one band.
    void decodeDataInto(RowSink& sink) const;
    // True for a JPEG picture whose pixels have not been decoded yet: steps may still be
    // deferred on it.
    bool canDefer() const { return m_jpeg != nullptr && !m_bitmap; }
    // Records steps (replacing any recorded before, so steps holds all of them) whose
    // result is width x height; they run when the pixels are first asked for. Only when
    // canDefer(). Throws ImagingError for a result larger than kMaxPixels.
    void deferSteps(std::shared_ptr<const DeferredSteps> steps, int width, int height);
    const DeferredSteps* deferredSteps() const { return m_steps.get(); }
    // The pixels, decoding a JPEG picture the first time they are asked for.
    const Bitmap& bitmap(const ProgressFn& progress = {}) const;
    // An edited picture is a bitmap from then on: its old JPEG data no longer shows it.
    void setBitmap(Bitmap bmp);

private:
    Bitmap decodeWithSteps(const ProgressFn& progress) const;
    friend Picture loadPicture(const std::string& path, const ProgressFn& progress, const DecodeOptions& options);
    friend std::optional<EncodedLoad> loadEncodedPicture(const std::string& path, const ProgressFn& progress,
                                                         const DecodeOptions& options);

    std::shared_ptr<const std::vector<std::uint8_t>> m_jpeg; // JPEG data, or m_codec's
    const Codec* m_codec = nullptr;                          // null: the data is JPEG
    std::shared_ptr<const DeferredSteps> m_steps;
    mutable std::shared_ptr<const Bitmap> m_bitmap;
    int m_width = 0;
    int m_height = 0;
    int m_orientation = 1;
    int m_fileOrientation = 1; // the one a load of the data as a file would give
    DecodeOptions m_options; // the data decoded with these at load, and again later
    ImageSize m_upright; // of the JPEG data, turned upright
};

// A JPEG picture's data decoded at eighths/8 of its size and turned upright by the
// picture's orientation, without its deferred steps: the start of a screen rendition.
// Its colours are those of the picture's decodeOptions.
Bitmap decodeRendition(const Picture& picture, int eighths, const std::string& name = {});

// Loads a file as a picture. JPEG files keep their data and are decoded at once, so a
// corrupt file is refused here rather than when the picture is first drawn. So are
// HEIF, AVIF, WebP and JPEG XL files, recognised by their content.
Picture loadPicture(const std::string& path, const ProgressFn& progress = {},
                    const DecodeOptions& options = {});

// A HEIF, AVIF, WebP or JPEG XL file (known by its content, whatever its name) as a
// picture that keeps only the file's data, with its pixels decoded once now (so a damaged
// file is refused here) for the caller to take what it needs from. Nothing for any
// other file.
struct EncodedLoad {
    Picture picture;
    Bitmap pixels;
};
std::optional<EncodedLoad> loadEncodedPicture(const std::string& path, const ProgressFn& progress = {},
                                              const DecodeOptions& options = {});
// The same with the pixels handed to sink (see Picture::decodeDataInto) rather than kept.
std::optional<Picture> loadEncodedPictureInto(const std::string& path, RowSink& sink,
                                              const DecodeOptions& options = {});

// Writes a picture as JPEG: a JPEG picture's own file data unchanged when it keeps it
// (quality is not applied; its orientation tag still stands it upright), anything else
// encoded upright at quality 1..100, with no orientation tag.
void savePictureAsJpeg(const Picture& picture, const std::string& path, int quality,
                       const ProgressFn& progress = {});

} // namespace imaging
