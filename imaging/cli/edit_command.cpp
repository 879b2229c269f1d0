#include "imaging/cli/edit_command.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/kernels/adjust.h"
#include "imaging/kernels/crop.h"
#include "imaging/kernels/imaging.h"
#include "settings/core/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace imaging {

namespace {

constexpr std::string_view kUsage =
    "usage: paginor edit IN -o OUT [--rotate 90|180|270] [--flip v|h|vh] [--resample WxH:FILTER]\n"
    "         [--lut FILE.tcv] [--gamma G] [--brightness A] [--colour R,G,B] [--convolve STYLE]\n"
    "         [--grey] [--fit ASPECT] [--cut Z,LEFT,TOP,BASE,ITEM]   (OUT: .bmp or .jpg)";

// A mistake on the command line: reported with the usage, exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Operation = std::function<void(Bitmap&)>;

template <typename T>
T parseNumber(std::string_view text, std::string_view option)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw UsageError(std::string(option) + ": not a number: '" + std::string(text) + "'");
    return value;
}

// "a<sep>b<sep>c" split at each separator.
std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t begin = 0;
    for (std::size_t at; (at = text.find(separator, begin)) != std::string_view::npos; begin = at + 1)
        parts.push_back(text.substr(begin, at - begin));
    parts.push_back(text.substr(begin));
    return parts;
}

Operation rotateOperation(std::string_view value)
{
    const int angle = parseNumber<int>(value, "--rotate");
    if (angle < 0 || angle % 90 != 0)
        throw UsageError("--rotate: " + std::string(kRotateAngle));
    return [angle](Bitmap& bmp) { bmp = Rotate90(angle, bmp.view()); };
}

Operation flipOperation(std::string_view value)
{
    if (value != "v" && value != "h" && value != "vh" && value != "hv")
        throw UsageError("--flip: expected v, h or vh, not '" + std::string(value) + "'");
    const bool flip = value.find('v') != std::string_view::npos;
    const bool reverse = value.find('h') != std::string_view::npos;
    return [flip, reverse](Bitmap& bmp) { bmp = FlipReverse(flip, reverse, bmp.view()); };
}

Operation resampleOperation(std::string_view value)
{
    const auto sizeAndFilter = split(value, ':');
    const auto size = split(sizeAndFilter.front(), 'x');
    if (sizeAndFilter.size() != 2 || size.size() != 2)
        throw UsageError("--resample: expected WIDTHxHEIGHT:FILTER, not '" + std::string(value) + "'");
    const int width = parseNumber<int>(size[0], "--resample");
    const int height = parseNumber<int>(size[1], "--resample");
    const int filterIndex = parseNumber<int>(sizeAndFilter[1], "--resample");
    if (filterIndex < 0 || filterIndex >= kFilterCount)
        throw UsageError("--resample: the filter is a number from 0 to 6");
    if (width < 1 || height < 2)
        throw UsageError("--resample: " + std::string(kResampleTooSmall));
    if (static_cast<std::int64_t>(width) * height > kMaxResultPixels)
        throw UsageError("--resample: " + std::string(kResampleTooLarge));
    return [=](Bitmap& bmp) { ResampleBitmap(width, height, filterIndex, bmp, 0.0f); };
}

Operation toneOperation(const ToneLUT& lut)
{
    return [lut](Bitmap& bmp) { applyToneLUT(bmp.view(), bmp.view(), lut); };
}

Operation colourOperation(std::string_view value)
{
    const auto parts = split(value, ',');
    if (parts.size() != 3)
        throw UsageError("--colour: expected RED,GREEN,BLUE, not '" + std::string(value) + "'");
    const int red = parseNumber<int>(parts[0], "--colour");
    const int green = parseNumber<int>(parts[1], "--colour");
    const int blue = parseNumber<int>(parts[2], "--colour");
    return [=](Bitmap& bmp) { applyColourBalance(bmp.view(), bmp.view(), red, green, blue); };
}

Operation convolveOperation(std::string_view value)
{
    const int style = parseNumber<int>(value, "--convolve");
    if (style < 0 || style >= kConvolveStyleCount)
        throw UsageError("--convolve: the style is a number from 0 to 3");
    return [style](Bitmap& bmp) { Convolve3x3(style, bmp.view()); };
}

Operation fitOperation(std::string_view value)
{
    const auto ratio = parseNumber<float>(value, "--fit");
    if (!(ratio > 0.0f) || !std::isfinite(ratio))
        throw UsageError("--fit: the aspect ratio must be a number above 0");
    return [ratio](Bitmap& bmp) { bmp = fitToAspectRatio(bmp.view(), ratio); };
}

// --cut Z,LEFT,TOP,BASE,ITEM: the crop panel's commit on the picture taken as the working
// image, the zoomed preview at (LEFT, TOP) ("centre,centre": the centring rule) for a
// preview base height BASE, filter list item ITEM. A zoom of 0 or below fails (exit 1)
// when the operation runs, as it does in the window.
Operation cutOperation(std::string_view value, float aspectRatio)
{
    const auto parts = split(value, ',');
    if (parts.size() != 5)
        throw UsageError("--cut: expected Z,LEFT,TOP,BASE,ITEM, not '" + std::string(value) + "'");
    const double z = parseNumber<double>(parts[0], "--cut");
    const bool centred = parts[1] == "centre" && parts[2] == "centre";
    const double left = centred ? 0.0 : parseNumber<double>(parts[1], "--cut");
    const double top = centred ? 0.0 : parseNumber<double>(parts[2], "--cut");
    const int base = parseNumber<int>(parts[3], "--cut");
    const int item = parseNumber<int>(parts[4], "--cut");
    if (base < 1 || item < 0 || item >= kCropFilterItems)
        throw UsageError("--cut: BASE must be 1 or more and ITEM 0..7");
    return [=](Bitmap& bmp) {
        const PreviewPlacement shown = zoomPreview(z, base, aspectRatio, left, top, centred);
        if (z == 1.0)
            return;
        const Bitmap working = to32Bit(bmp.view());
        CutOut cut = cutOut(working.view(), z, shown, aspectRatio, item);
        if (cut.failure)
            throw ImagingError(*cut.failure);
        bmp = to24Bit(cut.image.view());
    };
}

// One operation from its option and value. Files and tables are read here, so a
// missing curve file is reported before the picture is loaded.
Operation makeOperation(std::string_view option, std::string_view value, float aspectRatio)
{
    if (option == "--cut")
        return cutOperation(value, aspectRatio);
    if (option == "--rotate")
        return rotateOperation(value);
    if (option == "--flip")
        return flipOperation(value);
    if (option == "--resample")
        return resampleOperation(value);
    if (option == "--lut")
        return toneOperation(readCurveFile(std::string(value)));
    if (option == "--gamma") {
        const auto gamma = parseNumber<double>(value, option);
        if (!(gamma > 0.0) || !std::isfinite(gamma))
            throw UsageError("--gamma: " + std::string(kBadGamma));
        return toneOperation(gammaLUT(gamma));
    }
    if (option == "--brightness") {
        const int amount = parseNumber<int>(value, option);
        return [amount](Bitmap& bmp) { applyBrightness(bmp.view(), bmp.view(), amount); };
    }
    if (option == "--colour" || option == "--color")
        return colourOperation(value);
    if (option == "--convolve")
        return convolveOperation(value);
    if (option == "--fit")
        return fitOperation(value);
    throw UsageError("unknown option '" + std::string(option) + "'");
}

enum class OutputKind { Bmp, Jpeg };

OutputKind outputKindOf(const std::string& path)
{
    const std::string ext = lowerExtensionOf(path);
    if (ext == ".bmp")
        return OutputKind::Bmp;
    if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe")
        return OutputKind::Jpeg;
    throw UsageError("the output must be a .bmp or .jpg file: '" + path + "'");
}

struct EditJob {
    std::string input;
    std::string output;
    std::vector<Operation> operations;
};

EditJob parseArguments(const core::CommandArgs& args, float aspectRatio)
{
    EditJob job;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg != "--grey" && arg != "--gray" && arg.size() > 1 && arg[0] == '-';
        if (takesValue && i + 1 >= args.size())
            throw UsageError(arg + " needs a value");
        if (arg == "-o")
            job.output = args[++i];
        else if (arg == "--grey" || arg == "--gray")
            job.operations.emplace_back([](Bitmap& bmp) { greyscale(bmp.view(), bmp.view()); });
        else if (takesValue)
            job.operations.push_back(makeOperation(arg, args[++i], aspectRatio));
        else if (job.input.empty())
            job.input = arg;
        else
            throw UsageError("unexpected argument '" + arg + "'");
    }
    if (job.input.empty() || job.output.empty())
        throw UsageError("an input file and -o OUTPUT are needed");
    return job;
}

} // namespace

int editCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    EditJob job;
    OutputKind kind;
    try {
        job = parseArguments(args, ctx.settings.Global_AspectRatio);
        kind = outputKindOf(job.output);
    } catch (const UsageError& e) {
        ctx.messages.error({"edit: %1\n%2", core::messageOf(e), core::Message(kUsage)});
        return 2;
    } catch (const std::exception& e) {
        ctx.messages.error({"edit: %1", core::messageOf(e)});
        return 2;
    }
    try {
        Bitmap bmp = loadBitmap(job.input, {}, {ctx.settings.Honour_Orientation, ctx.settings.Use_Colour_Profiles});
        if (bmp.bytesPerPixel() != 3)
            bmp = to24Bit(bmp.view());
        for (const Operation& op : job.operations)
            op(bmp);
        if (kind == OutputKind::Jpeg)
            saveJpeg(bmp.view(), job.output, ctx.settings.Quality);
        else
            saveBmp(bmp.view(), job.output);
    } catch (const std::exception& e) {
        ctx.messages.error({"edit: %1", core::messageOf(e)});
        return 1;
    }
    return 0;
}

} // namespace imaging
