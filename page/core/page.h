// The page model: the table of frames, the page state and the printer metrics it is
// laid out against. Plain C++; the on-screen page (page_view.h) and printing read it.
#pragma once

#include "core/message.h"

#include "page/core/geometry.h"

#include "exif/core/exif.h"
#include "imaging/kernels/bitmap.h"
#include "imaging/codecs/codecs.h"
#include "settings/core/settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace page {

// Fixed message texts, shared by the code and its tests.
inline constexpr std::string_view kFrameInitFailed = "Sorry - This applcation failed whilst initalising frame number ";
inline constexpr std::string_view kNotEnoughResourcesTryLess = QT_TRANSLATE_NOOP("Paginor", " Not enough system resources available - try less frames");
inline constexpr std::string_view kNotEnoughResources = QT_TRANSLATE_NOOP("Paginor", " Not enough system resources available");
inline constexpr std::string_view kRebuildFailed = QT_TRANSLATE_NOOP("Paginor", "ODEAR");
inline constexpr std::string_view kNegativeAspectRatio = QT_TRANSLATE_NOOP("Paginor", "Aspect ratio is < 0, try rotating the image");
inline constexpr std::string_view kUnusableFrameCount = QT_TRANSLATE_NOOP("Paginor", "The stored number of frames is not 1, 2, 4, 8 or 16; using 4");
inline constexpr std::string_view kUnusableAspectRatio = QT_TRANSLATE_NOOP("Paginor", "The stored frame aspect ratio is not usable; using 1.333333");

// The program's version text (also in the about window). UTF-8 guillemets; the old
// single-byte text had a control code (0x9D) between them, which is left out.
inline constexpr std::string_view kVersionLabel = " Ver 1.81 \xC2\xBB\xC2\xAB 02:10:2001";

// The on-screen page's top edge in the page area.
inline constexpr int kBackgroundTop = 60;
inline constexpr int kBackgroundStartLeft = 30;

// Carries its message with its form, so the window can translate it.
class PageError : public core::MessageError {
public:
    using core::MessageError::MessageError;
};

// The selected printer as the page needs it: resolution (LOGPIXELSX/Y) and the
// printable page in dots, portrait.
struct PrinterMetrics {
    std::string name;
    int dpiX = 0;
    int dpiY = 0;
    int pageWidthPx = 0;
    int pageHeightPx = 0;

    // Every number positive (the layout divides by all of them) and within what a printer
    // has: 1..10000 dpi and at most 5 metres of paper a side.
    bool usable() const
    {
        constexpr long long kMaxDpi = 10000;
        constexpr long long kMaxPaperMm = 5000;
        const auto fits = [](long long dots, long long dpi) { return dots * 254 <= kMaxPaperMm * 10 * dpi; };
        return dpiX > 0 && dpiY > 0 && dpiX <= kMaxDpi && dpiY <= kMaxDpi && pageWidthPx > 0 && pageHeightPx > 0 &&
               fits(pageWidthPx, dpiX) && fits(pageHeightPx, dpiY);
    }
};

// Where the page reports to the user: the printer line of the status bar, the status
// label and the progress bar of the bottom panel. The main window implements it;
// every method does nothing by default. The page reports through showPrinterLine and
// showStatus, whose messages keep their form for the window to translate; by default they
// pass the English text on to setPrinterLine and setStatus.
class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual void setPrinterLine(const std::string& /*line*/) {}
    virtual void setStatus(const std::string& /*text*/) {}
    virtual void showPrinterLine(const core::Message& line) { setPrinterLine(line.english()); }
    virtual void showStatus(const core::Message& text) { setStatus(text.english()); }
    virtual void setProgress(int /*percent*/) {}
    virtual void setProgressVisible(bool /*visible*/) {}
};

// A smaller copy of a JPEG picture for the screen, decoded with libjpeg's DCT scaling so
// a frame shows without the full decode. It belongs to the picture it was made from:
// `source` shares that picture's compressed data (so the data cannot be freed and its
// address reused), and the rendition is used only while the frame's picture still holds
// that same data. An edited picture is a bitmap and never matches.
struct ScreenRendition {
    imaging::Picture source;
    std::shared_ptr<const imaging::Bitmap> pixels;
    int scaleEighths = 0; // the DCT scale it was decoded at, 1..8 (8 = full size); it may be reduced further
};

// A decoded picture reduced by whole factors (averaging f x f blocks) while it stays at
// least minWidth x minHeight; a side of 0 asks for nothing on that side.
imaging::Bitmap reduceForScreen(imaging::Bitmap bmp, int minWidth, int minHeight);

// The same reduction made as the rows arrive, so the whole picture is never held. The
// least size is asked of minimumFor once the picture's size is known.
class ScreenReducer : public imaging::RowSink {
public:
    explicit ScreenReducer(std::function<imaging::ImageSize(int width, int height)> minimumFor);
    void begin(int width, int height, int orientation) override;
    void rows(imaging::ConstBitmapView band, int firstRow) override;
    bool takeWhole(imaging::Bitmap& picture) override;
    // The reduced picture, upright, once every row has arrived.
    imaging::Bitmap take();

private:
    std::function<imaging::ImageSize(int, int)> m_minimumFor;
    imaging::Bitmap m_out;
    std::vector<unsigned> m_sums; // of the output row being made
    int m_factor = 1;
    int m_orientation = 1;
    int m_skipColumns = 0; // the stored rows' pixels that fall past the upright picture's
    int m_skipRows = 0;    // last whole block, where they lie first
};

// One frame. The visible control lives in the page view (PageView::FrameImage(n)).
struct FrameRecord {
    // The picture; set only on a frame that owns its picture (PictureOwner == its own
    // number). Read it through Page::pictureShownIn, which follows PictureOwner. A JPEG
    // picture stays compressed until something asks for its full-size pixels.
    std::shared_ptr<imaging::Picture> PictureHolder;
    ScreenRendition ScreenPicture; // only on the owner, like PictureHolder
    std::string FileName;       // a path, or a marker text beginning with "*"
    bool Loaded = false;
    std::int32_t CloneOf = 0;   // 0, or the frame whose picture this one shows
    bool NotFromFile = false;   // clipboard or scanner: nothing to reload
    bool Selected = false;
    std::string Details;        // printed in the margin next to the frame
    float AspectRatio = 0.0f;   // picture width / height
    std::int32_t PictureOwner = 0;
    std::vector<exif::ExifItem> ExifTags;
    bool HasExif = false;
};

// Entries 1..16; entry 0 is never used so frame numbers index it directly.
using FrameTable = std::array<FrameRecord, kMaxFrames + 1>;

struct PageState {
    // Mirrors of the settings NumberOfFrames and Global_AspectRatio, always in step:
    // Page writes both whenever it changes one.
    std::uint8_t FrameCount = 4;
    float Global_AspectRatio = settings::kDefaultAspectRatio;
    bool PortraitPage = false;
    int PrinterDpiX = 0;
    int PrinterDpiY = 0;
    int PageWidthPx = 0;       // printable page, portrait, in printer dots
    int PageHeightPx = 0;
    float PageWidthIn = 0.0f;
    float PageHeightIn = 0.0f;
    int LaidOutWidthPx = 0;    // the printed page as laid out (turned unless PortraitPage)
    int LaidOutHeightPx = 0;
    int GapPx = 0;
    int PageMarginPx = 0;
    int ScreenGap = 0;
    int ScreenLeftOffset = 0;
    bool PrinterReady = false;
    bool PageSized = false;
    std::uint8_t HotFrame = 0; // frame under the mouse pointer, 0 over the page
    // The frame recorded by Frame Copy, 0 = none. Kept here rather than with the commands:
    // every way of emptying a frame (a load into it too) must forget it.
    std::uint8_t CopiedFrame = 0;
    std::string PrinterName;
    // The on-screen page (the panel the frames sit on); kept when the window fit is skipped.
    Rect Background{kBackgroundStartLeft, kBackgroundTop, 0, 0};
};

// Where the on-screen page puts everything after a resize.
struct ScreenLayout {
    Rect background;
    std::vector<Rect> frames; // frames[0] is frame 1
    Rect label1;              // the empty label under the page
};

// What the aspect-ratio command found among the selected frames, in frame order.
struct AspectChoice {
    std::optional<float> ratio; // the last usable ratio before a stop (or of all)
    bool rejected = false;      // a frame with an unusable ratio stopped the search
};

class Page {
public:
    // readPrinter gives the current printer's metrics; status may be null (headless).
    // Unusable stored values (a frame count other than 1, 2, 4, 8, 16, an aspect ratio
    // that is not a positive finite number) are replaced by their defaults, with a warning.
    Page(settings::Settings& settings, std::function<PrinterMetrics()> readPrinter,
         StatusDisplay* status = nullptr);

    settings::Settings& settings() { return m_settings; }
    const settings::Settings& settings() const { return m_settings; }
    PageState& state() { return m_state; }
    const PageState& state() const { return m_state; }
    FrameTable& Frames() { return m_frames; }
    const FrameTable& Frames() const { return m_frames; }
    // Frame n, 1..16; throws PageError for any other number.
    FrameRecord& frame(int n);
    const FrameRecord& frame(int n) const;
    StatusDisplay& status() { return m_status ? *m_status : m_nullStatus; }
    void setStatusDisplay(StatusDisplay* status) { m_status = status; }
    void setPrinterReader(std::function<PrinterMetrics()> readPrinter) { m_readPrinter = std::move(readPrinter); }
    // The image rectangle a frame gets on paper, in printer dots, as the printed layout
    // computes it (that lives with the printing, above this model); 0 x 0 when unknown.
    using PrintFrameReader = std::function<Size(const Page&)>;
    void setPrintFrameReader(PrintFrameReader reader) { m_printFrame = std::move(reader); }
    Size printFrameSize() const { return m_printFrame ? m_printFrame(*this) : Size{}; }

    // Reads the printer and writes the printer line. Unusable metrics leave the previous
    // ones in place with PrinterReady false, so the layout never divides by zero.
    void updatePrinterMetrics();
    // Reads the printer, then derives the gaps and the page margin from margin (mm),
    // which becomes margin_mm.
    void setPageMargin(float margin);
    // With centre_output on, sets Page_Margin_mm and PageMarginPx so that the printed
    // frame grid is centred across the page.
    void centreOnPage();
    // The arithmetic of a resize: margins, orientation, window fit, printer line,
    // frame sizes and positions. The caller applies the result to its widgets.
    ScreenLayout sizeVisualPage(int windowWidth, int windowHeight);

    // Frame count and aspect ratio, written to the settings as well.
    void setFrameCount(int count); // throws PageError unless 1, 2, 4, 8 or 16
    void setGlobalAspectRatio(float ratio);
    static bool usableAspectRatio(float ratio);

    // The picture drawn in frame n (its owner's picture), or null.
    const imaging::Picture* pictureShownIn(int n) const;
    // What the screen shows of frame n's picture, at least minWidth x minHeight where the
    // picture is that large: a JPEG picture's screen rendition (decoded, or decoded again
    // larger, when the one held is too small), any other picture's own pixels. Null when
    // the frame shows no picture. Throws imaging::ImagingError when the data cannot be decoded.
    const imaging::Bitmap* screenBitmap(int n, int minWidth, int minHeight);
    // The record side of emptying frame n: the picture is dropped when n owns it.
    void emptyFrame(int n);
    // Every frame 1..16 emptied, every picture freed: a frame-count change starts afresh.
    void dropAllPictures();
    bool anySelected() const;
    void clearSelection();
    AspectChoice aspectRatioFromSelection() const;

private:
    void sanitiseSettings();

    settings::Settings& m_settings;
    std::function<PrinterMetrics()> m_readPrinter;
    PrintFrameReader m_printFrame;
    StatusDisplay* m_status;
    StatusDisplay m_nullStatus;
    PageState m_state;
    FrameTable m_frames;
};

} // namespace page
