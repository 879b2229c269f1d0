// The steps settings may ask for when a picture is loaded (turn portrait pictures, fit
// them to the frames' shape, resample them, apply a tone curve), fitting selected frames
// afterwards, and applying a curve file to frames. Plain C++ on the page model.
//
// A JPEG picture that is only shown never needs its full-size pixels: its steps are
// recorded on the picture and done on the screen rendition at once, and on the full
// decode when something first asks for the pixels (printing, editing, saving). Both give
// the same pixels as doing the steps at load, since the same functions run on the same
// decoded picture.
#pragma once

#include "core/translatable.h"

#include "page/core/page.h"

#include "imaging/kernels/imaging.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace page {

// Fixed status and message texts, shared by the code and its tests.
inline constexpr std::string_view kImageBeingProcessed = QT_TRANSLATE_NOOP("Paginor", "Image being processed");
inline constexpr std::string_view kRotatingImage = "Rotating Image";                    // + file
inline constexpr std::string_view kNoResourcesForCurve = QT_TRANSLATE_NOOP("Paginor", "Not enough resources available to apply curve ");
inline constexpr std::string_view kApplyingCurve = QT_TRANSLATE_NOOP("Paginor", "Applying image correction curve ");
inline constexpr std::string_view kCantLoadCurve = "Can't load ";                       // + path
inline constexpr std::string_view kCantOpenCurve = "Error - Can't open ";               // + path
inline constexpr std::string_view kCurvesLeftOut = " more curve files were left out of \"Apply Curves\"";
inline constexpr std::size_t kMaxCurveEntries = 256;
core::Message rotatingStatus(int frame);  // "Rotating image in frame " + n
core::Message adjustingStatus(int frame); // "Adjusting image in frame " + n
core::Message resamplingStatus(int frame, int percent);

// One step done to a picture, in the order the steps run.
struct PictureStep {
    enum class Kind {
        Turn,     // a quarter turn clockwise
        Fit,      // same height, width round(height x aspectRatio), centred on white
        Resample, // to width x height with filter filterIndex
        Curve,    // lut on blue, green and red
    };
    Kind kind = Kind::Turn;
    float aspectRatio = 0.0f;
    int width = 0;
    int height = 0;
    int filterIndex = 0;
    imaging::ToneLUT lut{};
};

// What the settings ask of each picture on load, read when a load step starts.
struct OnLoadOptions {
    bool rotate = false;          // autorotate
    bool centre = false;          // autocentre
    float aspectRatio = 1.0f;     // Global_AspectRatio
    int resamplePercent = 100;    // resample_on_load_Size
    int resampleFilter = 0;       // resample_on_load
    Size printFrame;              // a frame's picture area on paper, in printer dots; 0 x 0: unknown
    imaging::DecodeOptions decode; // Honour_Orientation, Use_Colour_Profiles
};
OnLoadOptions onLoadOptions(const Page& page);
// The decode choices a run's settings make (Honour_Orientation, Use_Colour_Profiles).
imaging::DecodeOptions decodeOptionsOf(const settings::Settings& s);

// The steps for a picture of width x height, with the size and the frame's AspectRatio
// they leave. Throws imaging::ImagingError when a step would give no usable picture (a
// resampled size under the kernel's minimum, a fitted one over the pixel limit).
struct LoadPlan {
    std::vector<PictureStep> steps;
    int width = 0;
    int height = 0;
    float aspectRatio = 0.0f;
};
LoadPlan planOnLoad(const OnLoadOptions& options, int width, int height);

// The steps on full-size pixels, and their look on a smaller rendition, which must be at
// least renditionMinimum (0: any size on that side) for the look to be minWidth x minHeight.
imaging::ImageSize renditionMinimum(const std::vector<PictureStep>& steps, int minWidth, int minHeight);
imaging::Bitmap applySteps(const std::vector<PictureStep>& steps, imaging::Bitmap bmp);
imaging::Bitmap applyStepsToRendition(const std::vector<PictureStep>& steps, imaging::Bitmap bmp);

// Puts steps (whose result is width x height) on a picture: recorded on a JPEG picture not
// yet decoded and done on its screen rendition (when screen is given), done at once on
// any other. Safe on a picture no other thread uses.
void putSteps(imaging::Picture& picture, ScreenRendition* screen, const std::vector<PictureStep>& steps, int width,
              int height);

// The on-load steps of frame n as the window shows them: the status texts and progress of
// each step the plan holds (the work itself was done when the file was decoded).
void showOnLoadSteps(Page& page, int frame, const std::string& path, const std::vector<PictureStep>& steps,
                     int resamplePercent);

// Apply_Curve_On_Load: with En_CurveOnLoad, the curve file ApplyCurve on frames (those just
// loaded) that show a picture of their own. When the file cannot be read the user is told
// kCantLoadCurve + path and no frame changes.
void Apply_Curve_On_Load(Page& page, const std::vector<int>& frames);

// The tone table lut on frame n's own picture (the frame must own one). The one way frames
// get a curve: from a curve file, on load, or from the adjustment window.
void applyCurveToFrame(Page& page, int n, const imaging::ToneLUT& lut);
// The tone table on each of frames (frames that own their picture), in order, with the
// progress bar at round(n / FrameCount x 100) after frame n. When a frame cannot take it
// the user is told kNoResourcesForCurve and the later frames are left alone (false).
bool applyCurveToFrames(Page& page, const std::vector<int>& frames, const imaging::ToneLUT& lut,
                        const std::function<void()>& keepAlive = {});
// The curve file at path on every selected, loaded frame that is not a copy (the "Apply
// Curves" entries). Throws PageError ("Error - Can't open" + path) when the file cannot be
// read; no frame changes then.
void applyCurveFileToSelected(Page& page, const std::string& path, const std::function<void()>& keepAlive = {});

// cropToFrame: every selected, loaded frame that is not a copy fitted to the frames'
// shape, with "Image being processed" and progress. Frames fitted already stay as they
// are. The selection is cleared afterwards.
void cropToFrame(Page& page, const std::function<void()>& keepAlive = {});

// The curve files of folder (*.tcv, any case, regular files, not hidden), by name, at most
// kMaxCurveEntries; leftOut gets how many more there were.
std::vector<std::string> curveFilesIn(const std::string& folder, std::size_t& leftOut);

} // namespace page
