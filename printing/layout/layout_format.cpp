// The page description "layout.vdt": its text written and read back.
#include "printing/layout/layout_format.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace printing {
namespace {

// The ranges the settings store keeps the frame aspect ratio and the image margin (mm)
// to. Anything larger drives the page's geometry past its integers, and a margin that
// became infinity is written back as "inf", which no load takes.
constexpr double kMaxAspectRatio = 1000.0;
constexpr double kMaxMarginMm = 1000.0;

std::string_view trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<int> parseInt(std::string_view s)
{
    s = trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

// Pages written where the decimal separator is a comma hold "1,33333337306976"; both
// separators are read so pages move between locales. Only values from low to high are
// taken, checked before the narrowing, so 1e39 is refused rather than read as infinity.
std::optional<float> parseFloat(std::string_view s, double low, double high)
{
    std::string t(trim(s));
    std::replace(t.begin(), t.end(), ',', '.');
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !(v >= low && v <= high))
        return std::nullopt;
    return static_cast<float>(v);
}

// The text after the first "=" (the whole line when there is none), at most 255 bytes.
std::string_view valueOf(std::string_view line)
{
    const std::size_t eq = line.find('=');
    if (eq != std::string_view::npos)
        line.remove_prefix(eq + 1);
    return utf8Prefix(line, kMaxLayoutField);
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos)
            break;
        text.remove_prefix(nl + 1);
    }
    return lines;
}

std::string_view requiredLine(const std::vector<std::string_view>& lines, std::size_t i, const char* what)
{
    if (i >= lines.size())
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file ends before its %1 line"), core::Message(what)});
    return lines[i];
}

LayoutLine parseFrameLine(std::string_view line)
{
    LayoutLine out;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        out.error = {QT_TRANSLATE_NOOP("Paginor", "A frame line of the layout file has no \"=\": %1"), std::string(utf8Prefix(line, kMaxLayoutField))};
        return out;
    }
    out.member = std::string(line.substr(0, eq));
    const std::string_view rest = utf8Prefix(line.substr(eq + 1), kMaxLayoutField);
    out.caption = std::string(rest.substr(0, rest.find(kClonedFrom)));
    out.frame = parseInt(std::string_view(out.member).substr(0, out.member.find('.')));
    if (!out.frame)
        out.error = {QT_TRANSLATE_NOOP("Paginor", "The frame number of the layout file's line \"%1\" is not a number"), out.member};
    // The writer puts the mark last; a caption may hold the text of its own, so the
    // number is the one after the last mark.
    const std::size_t mark = line.rfind(kClonedFrom);
    if (mark != std::string_view::npos) {
        out.hasCloneMark = true;
        out.cloneOf = parseInt(line.substr(mark + kClonedFrom.size()));
    }
    return out;
}

bool isFrameCount(int n)
{
    return n == 1 || n == 2 || n == 4 || n == 8 || n == 16;
}

} // namespace

std::string layoutNumber(float value)
{
    std::array<char, 64> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<double>(value),
                                 std::chars_format::general, 15);
    return std::string(buf.data(), r.ptr);
}

std::string writeLayoutText(int frameCount, float aspectRatio, float margin, std::string_view ext,
                            const std::vector<SavedFrame>& frames)
{
    std::string t;
    t += std::string(kLayoutHeader) + "\r\n";
    t += "Frames=" + std::to_string(frameCount) + "\r\n";
    t += "AR=" + layoutNumber(aspectRatio) + "\r\n";
    t += "margin=" + layoutNumber(margin) + "\r\n";
    for (const SavedFrame& f : frames) {
        // A line break in a caption would end the frame's line early and make the rest
        // of the caption a line of its own.
        std::string caption = f.caption;
        std::replace_if(caption.begin(), caption.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        t += std::to_string(f.frame) + "." + std::string(ext) + "=" + caption + std::string(kClonedFrom) +
             std::to_string(f.cloneOf) + "\r\n";
    }
    t += std::string(kLayoutEnd) + "\r\n";
    return t;
}

PageDescription parseLayoutText(std::string_view text)
{
    const std::vector<std::string_view> lines = splitLines(text);
    if (lines.empty() || lines[0] != kLayoutHeader)
        throw LayoutError(kNotALayoutFile);
    PageDescription d;
    const std::string_view count = valueOf(requiredLine(lines, 1, QT_TRANSLATE_NOOP("Paginor", "frame count")));
    const std::optional<int> n = parseInt(count);
    if (!n)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The frame count of the layout file is not a number: %1"), count});
    d.frameCountReplaced = !isFrameCount(*n);
    d.frameCount = d.frameCountReplaced ? 4 : *n;

    const std::string_view ar = valueOf(requiredLine(lines, 2, QT_TRANSLATE_NOOP("Paginor", "aspect ratio")));
    const std::optional<float> ratio = parseFloat(ar, 0.0, kMaxAspectRatio);
    if (!ratio || !(*ratio > 0.0f))
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The aspect ratio of the layout file is not a number above 0 and up to %1: %2"),
                           layoutNumber(static_cast<float>(kMaxAspectRatio)), ar});
    d.aspectRatio = *ratio;
    const std::string_view mm = valueOf(requiredLine(lines, 3, QT_TRANSLATE_NOOP("Paginor", "margin")));
    const std::optional<float> margin = parseFloat(mm, 0.0, kMaxMarginMm);
    if (!margin)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The margin of the layout file is not a number of millimetres from 0 to %1: %2"),
                           layoutNumber(static_cast<float>(kMaxMarginMm)), mm});
    d.margin = *margin;

    for (std::size_t i = 4; i < lines.size(); ++i) {
        if (lines[i] == kLayoutEnd || d.lines.size() == static_cast<std::size_t>(d.frameCount))
            break;
        d.lines.push_back(parseFrameLine(lines[i]));
        if (lines[i].find(kLayoutEnd) != std::string_view::npos)
            break; // the description ends with the first line that holds the mark
    }
    return d;
}

std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    // Back over continuation bytes (10xxxxxx) to the start of the character that does not fit.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace printing
