// readExif: the header checks, the directory walk and the formatting of the known tags.
#include "exif/core/exif.h"
#include "exif/core/known_tags.h"
#include "exif/core/number_format.h"
#include "exif/core/tiff_directory.h"

#include "core/file_signature.h"
#include "core/messages.h"
#include "core/translatable.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <optional>

namespace exif {
namespace {

// Offsets inside the EXIF data count from the TIFF header, which starts after
// FF D8, FF E1, the segment length, "Exif" and two zero bytes.
constexpr std::uint64_t kTiffStart = 12;
// Where the header keeps the first directory's offset.
constexpr std::uint64_t kFirstDirectoryPointer = 4;
// Text values are read into a buffer of this size; a longer value is cut to its first bytes.
constexpr std::uint64_t kTextBufferSize = 255;
// A directory's last entry leads on to another directory only when its value lies in this
// range (with the usual layout: the EXIF and interoperability pointers), and at most
// twice, so no file can make the walk go round for ever.
constexpr std::uint32_t kMinNextDirectory = 15;
constexpr std::uint32_t kMaxNextDirectory = 0x700;
constexpr int kMaxDirectories = 3;

constexpr std::uint32_t kTypeAscii = 2;
constexpr std::uint32_t kTypeSRational = 10;

std::uint64_t unitSize(std::uint32_t type)
{
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
    }
}

enum class Placement { Inline, AtOffset };

// How a known tag's value becomes text.
enum class Format {
    Text,           // characters up to the first zero byte
    FixedText,      // every character of the value, zero bytes included
    Numerator,      // the rational's numerator as an integer
    ResolutionUnit, // the unit's name
    ExposureTime,   // "1/" and denominator / numerator
    FNumber,        // "f" and the quotient
    BitsPerPixel,   // "numerator / denominator"
    ShutterSpeed,   // "1/" and 2 to the power of the rounded APEX value
    Aperture,       // "f" and 1.412 to the power of the rounded APEX value, one digit
    Quotient,       // the quotient alone
    MeteringMode,
    LightSource,
    Flash,
};

struct KnownTag {
    std::uint16_t tag;
    std::string_view label;
    Placement placement;
    bool asciiOnly;
    Format format;
};

constexpr std::array<KnownTag, 24> kKnownTags{{
    {270, QT_TRANSLATE_NOOP("Paginor", "Image Description"), Placement::AtOffset, true, Format::Text},
    {271, QT_TRANSLATE_NOOP("Paginor", "Camera Manufacturer"), Placement::AtOffset, true, Format::Text},
    {272, QT_TRANSLATE_NOOP("Paginor", "Camera Model"), Placement::AtOffset, true, Format::Text},
    {282, QT_TRANSLATE_NOOP("Paginor", "Xres"), Placement::AtOffset, false, Format::Numerator},
    {283, QT_TRANSLATE_NOOP("Paginor", "Yres"), Placement::AtOffset, false, Format::Numerator},
    {296, QT_TRANSLATE_NOOP("Paginor", "Resolution Units"), Placement::Inline, false, Format::ResolutionUnit},
    {305, QT_TRANSLATE_NOOP("Paginor", "Camera Software version"), Placement::AtOffset, true, Format::Text},
    {306, QT_TRANSLATE_NOOP("Paginor", "Date/Time (modified)"), Placement::AtOffset, true, Format::Text},
    {4096, QT_TRANSLATE_NOOP("Paginor", "Thumbnail Type"), Placement::AtOffset, true, Format::FixedText},
    {33432, QT_TRANSLATE_NOOP("Paginor", "Copyright"), Placement::AtOffset, true, Format::Text},
    {33434, QT_TRANSLATE_NOOP("Paginor", "1 / Exposure"), Placement::AtOffset, false, Format::ExposureTime},
    {33437, QT_TRANSLATE_NOOP("Paginor", "Aperture (f number)"), Placement::AtOffset, false, Format::FNumber},
    {36864, QT_TRANSLATE_NOOP("Paginor", "Exif Version"), Placement::AtOffset, true, Format::FixedText},
    {36867, QT_TRANSLATE_NOOP("Paginor", "Date/Time (Orig)"), Placement::AtOffset, true, Format::Text},
    {36868, QT_TRANSLATE_NOOP("Paginor", "Date/Time (Digitized)"), Placement::AtOffset, true, Format::Text},
    {37122, QT_TRANSLATE_NOOP("Paginor", "Jpeg Compression (bits/pixel)"), Placement::AtOffset, false, Format::BitsPerPixel},
    {37377, QT_TRANSLATE_NOOP("Paginor", "Shutter Speed"), Placement::AtOffset, false, Format::ShutterSpeed},
    {37378, QT_TRANSLATE_NOOP("Paginor", "Aperture (Calculated)"), Placement::AtOffset, false, Format::Aperture},
    {37381, QT_TRANSLATE_NOOP("Paginor", "Aperture (Max)"), Placement::AtOffset, false, Format::Aperture},
    {37382, QT_TRANSLATE_NOOP("Paginor", "Subject distance (m) "), Placement::AtOffset, false, Format::Quotient},
    {37383, QT_TRANSLATE_NOOP("Paginor", "Metering Mode"), Placement::Inline, false, Format::MeteringMode},
    {37384, QT_TRANSLATE_NOOP("Paginor", "Light Source"), Placement::Inline, false, Format::LightSource},
    {37385, QT_TRANSLATE_NOOP("Paginor", "Flash Used"), Placement::Inline, false, Format::Flash},
    {37386, QT_TRANSLATE_NOOP("Paginor", "Focal Length (mm)"), Placement::AtOffset, false, Format::Quotient},
}};

const KnownTag* findKnownTag(std::uint32_t tag)
{
    const auto it = std::find_if(kKnownTags.begin(), kKnownTags.end(),
                                 [tag](const KnownTag& k) { return k.tag == tag; });
    return it == kKnownTags.end() ? nullptr : &*it;
}

struct Rational {
    std::int64_t numerator = 1;
    std::int64_t denominator = 1;
    double quotient() const { return static_cast<double>(numerator) / static_cast<double>(denominator); }
};

std::string_view meteringModeText(std::uint32_t v)
{
    switch (v) {
    case 1: return "Average";
    case 2: return "Center Weighted";
    case 3: return "Spot";
    case 4: return "Multi Spot";
    case 5: return "Multi Segment";
    case 6: return "Partial";
    default: return "Unknown";
    }
}

std::string lightSourceText(std::uint32_t v)
{
    switch (v) {
    case 0: return "Unknown";
    case 1: return "Daylight";
    case 2: return "Fluorescent";
    case 3: return "Tungsten";
    case 10: return "Flash";
    default: return std::to_string(v);
    }
}

std::string_view resolutionUnitText(std::uint32_t v)
{
    switch (v) {
    case 1: return " Unknown";
    case 2: return "Inch";
    case 3: return "CM";
    default: return "Unknown";
    }
}

// The number an inline value field holds.
std::uint32_t inlineValue(ByteOrder order, std::uint32_t type, const std::vector<std::uint8_t>& field)
{
    std::array<std::uint8_t, 4> bytes{};
    std::copy_n(field.begin(), std::min<std::size_t>(field.size(), 4), bytes.begin());
    const std::uint32_t value = read32(order, bytes.data());
    if (order == ByteOrder::Intel)
        return value;
    // In Motorola order a short value sits in the first bytes of the field, which the
    // 32-bit swap has moved to the top.
    switch (unitSize(type)) {
    case 1: return value >> 24;
    case 2: return value >> 16;
    default: return value;
    }
}

std::string textOf(const std::vector<std::uint8_t>& bytes, bool stopAtZero)
{
    std::string text(bytes.begin(), bytes.end());
    if (stopAtZero)
        text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

std::optional<Rational> rationalOf(ByteOrder order, std::uint32_t type, const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < 8)
        return std::nullopt;
    const std::uint32_t num = read32(order, bytes.data());
    const std::uint32_t den = read32(order, bytes.data() + 4);
    if (den == 0)
        return Rational{};
    if (type == kTypeSRational)
        return Rational{static_cast<std::int32_t>(num), static_cast<std::int32_t>(den)};
    return Rational{num, den};
}

std::optional<std::string> rationalText(Format format, const Rational& r, ByteOrder order, const std::string& separator)
{
    switch (format) {
    case Format::Numerator:
        return std::to_string(r.numerator);
    case Format::BitsPerPixel:
        return std::to_string(r.numerator) + " / " + std::to_string(r.denominator);
    case Format::ExposureTime: {
        if (r.numerator == 0)
            return std::nullopt; // no exposure time can be made of it
        double v = static_cast<double>(r.denominator) / static_cast<double>(r.numerator);
        if (order == ByteOrder::Intel)
            v = roundHalfEven(v);
        return "1/" + formatGeneral(v, separator);
    }
    case Format::FNumber:
        return "f" + formatGeneral(r.quotient(), separator);
    case Format::ShutterSpeed:
        return "1/" + formatGeneral(std::exp2(roundHalfEven(r.quotient())), separator);
    case Format::Aperture:
        return "f" + formatOneDigit(std::pow(1.412, roundHalfEven(r.quotient())), separator);
    case Format::Quotient:
        return formatGeneral(r.quotient(), separator);
    default:
        return std::nullopt;
    }
}

std::optional<std::string> valueText(const KnownTag& known, const detail::EntryValue& e, ByteOrder order,
                                     const std::string& separator)
{
    switch (known.format) {
    case Format::Text: return textOf(e.bytes, true);
    case Format::FixedText: return textOf(e.bytes, false);
    case Format::ResolutionUnit: return std::string(resolutionUnitText(inlineValue(order, e.type, e.bytes)));
    case Format::MeteringMode: return std::string(meteringModeText(inlineValue(order, e.type, e.bytes)));
    case Format::LightSource: return lightSourceText(inlineValue(order, e.type, e.bytes));
    case Format::Flash: return std::string(inlineValue(order, e.type, e.bytes) == 1 ? "Yes" : "No");
    default: break;
    }
    const std::optional<Rational> r = rationalOf(order, e.type, e.bytes);
    if (!r)
        return std::nullopt;
    return rationalText(known.format, *r, order, separator);
}

// Reads one file's block. Every read is checked against the source's size first.
class Reader {
public:
    Reader(ByteSource& source, ByteOrder order, std::string separator)
        : m_block(source, kTiffStart, order), m_separator(std::move(separator))
    {
    }

    std::vector<DirectoryEntry> readDirectories();
    std::vector<ExifItem> format(const std::vector<DirectoryEntry>& entries);

private:
    TiffBlock m_block;
    std::string m_separator;
};

std::vector<DirectoryEntry> Reader::readDirectories()
{
    std::vector<DirectoryEntry> entries;
    std::array<std::uint8_t, 4> pointer{};
    if (!m_block.read(kFirstDirectoryPointer, pointer))
        return entries;
    std::uint64_t offset = read32(m_block.order(), pointer.data());
    for (int directory = 0; directory < kMaxDirectories; ++directory) {
        // A directory that ended early or had none has no last entry of its own to lead on.
        if (!m_block.readDirectory(offset, entries))
            break;
        const std::uint32_t next = entries.back().value;
        if (next < kMinNextDirectory || next > kMaxNextDirectory)
            break;
        offset = next;
    }
    return entries;
}

std::vector<ExifItem> Reader::format(const std::vector<DirectoryEntry>& entries)
{
    std::vector<ExifItem> items;
    for (const DirectoryEntry& e : entries) {
        const std::uint64_t needed = detail::valueBytesNeeded(e.tag, e.type, e.count);
        if (needed == 0)
            continue;
        const auto sameTag = [&](const ExifItem& item) { return item.tag == static_cast<std::int32_t>(e.tag); };
        if (std::any_of(items.begin(), items.end(), sameTag))
            continue;
        detail::EntryValue value{e.tag, e.type, e.count, {}};
        if (unitSize(e.type) * e.count <= 4) {
            value.bytes.assign(e.field.begin(), e.field.end());
        } else {
            value.bytes.resize(needed);
            if (!m_block.read(e.value, value.bytes))
                continue;
        }
        if (std::optional<ExifItem> item = detail::formatEntry(value, m_block.order(), m_separator))
            items.push_back(std::move(*item));
    }
    return items;
}

// The result code for a file that is not worth walking, else that of its byte order.
int checkHeader(ByteSource& source, core::Messages& messages)
{
    std::array<std::uint8_t, 16> h{};
    const std::uint64_t size = source.size();
    const std::size_t have = static_cast<std::size_t>(std::min<std::uint64_t>(size, h.size()));
    if (!source.readAt(0, std::span(h).first(have)))
        return kNotJpeg;
    if (!core::startsAsJpeg(std::span(h).first(have)))
        return kNotJpeg;
    // A TIFF header cut short counts as no EXIF block at all.
    if (have < h.size() || h[2] != 0xFF || h[3] != 0xE1)
        return kNoExif;
    if (h[6] != 'E' || h[7] != 'x' || h[8] != 'i' || h[9] != 'f' || h[10] != 0 || h[11] != 0)
        return kNoExif;
    int order;
    std::uint16_t magic;
    if (h[12] == 'I' && h[13] == 'I') {
        order = kIntelOrder;
        magic = static_cast<std::uint16_t>(h[15] << 8 | h[14]);
    } else if (h[12] == 'M' && h[13] == 'M') {
        order = kMotorolaOrder;
        magic = static_cast<std::uint16_t>(h[14] << 8 | h[15]);
    } else {
        return kNoExif;
    }
    if (magic != 42)
        messages.warning(kWrongTiffMagic);
    return order;
}

} // namespace

namespace detail {

std::uint64_t valueBytesNeeded(std::uint32_t tag, std::uint32_t type, std::uint32_t count)
{
    const KnownTag* known = findKnownTag(tag);
    const std::uint64_t size = unitSize(type) * count;
    if (known == nullptr || unitSize(type) == 0)
        return 0;
    const Placement placement = size <= 4 ? Placement::Inline : Placement::AtOffset;
    if (placement != known->placement || (known->asciiOnly && type != kTypeAscii))
        return 0;
    if (placement == Placement::Inline)
        return 4;
    switch (known->format) {
    case Format::Text:
    case Format::FixedText:
        return std::min(size, kTextBufferSize);
    default:
        return 8; // the first rational
    }
}

std::optional<ExifItem> formatEntry(const EntryValue& entry, ByteOrder order, const std::string& separator)
{
    if (valueBytesNeeded(entry.tag, entry.type, entry.count) == 0)
        return std::nullopt;
    const KnownTag& known = *findKnownTag(entry.tag);
    std::optional<std::string> text = valueText(known, entry, order, separator);
    if (!text)
        return std::nullopt;
    return ExifItem{known.tag, std::string(known.label), std::move(*text)};
}

} // namespace detail

std::string localeDecimalSeparator()
{
    const std::lconv* conv = std::localeconv();
    if (conv == nullptr || conv->decimal_point == nullptr || conv->decimal_point[0] == '\0')
        return ".";
    return conv->decimal_point;
}

ReadResult readExif(ByteSource& source, const ReadOptions& options)
{
    core::Messages& messages = options.messages ? *options.messages : core::messages();
    ReadResult out;
    out.result = checkHeader(source, messages);
    if (out.result < kIntelOrder)
        return out;
    const ByteOrder order = out.result == kIntelOrder ? ByteOrder::Intel : ByteOrder::Motorola;
    Reader reader(source, order, options.decimalSeparator.value_or(localeDecimalSeparator()));
    out.items = reader.format(reader.readDirectories());
    return out;
}

ReadResult readExif(const std::filesystem::path& path, const ReadOptions& options)
{
    FileSource file(path);
    if (!file.isOpen())
        return {};
    return readExif(file, options);
}

} // namespace exif
