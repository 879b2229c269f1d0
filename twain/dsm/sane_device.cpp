#include "twain/dsm/sane_device.h"

#include "core/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace twain::dsm {
namespace {

bool parseBool(const std::string& text, SANE_Bool& out)
{
    const std::string t = core::lower(text);
    if (t == "yes" || t == "true" || t == "1" || t == "on") {
        out = SANE_TRUE;
        return true;
    }
    if (t == "no" || t == "false" || t == "0" || t == "off") {
        out = SANE_FALSE;
        return true;
    }
    return false;
}

bool parseNumber(const std::string& text, double& out)
{
    // scanimage accepts units after the number ("300dpi", "50mm").
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end != text.c_str() && std::isfinite(out);
}

void put(std::vector<std::uint8_t>& px, std::size_t at, std::uint8_t v)
{
    px[at] = v;
}

// One sample of a line: depth 1 (1 = black), 8 or 16 (native order, high byte kept).
std::uint8_t sample(const std::uint8_t* line, int index, int depth)
{
    if (depth == 1)
        return (line[index / 8] >> (7 - index % 8)) & 1 ? 0 : 255;
    if (depth == 16) {
        std::uint16_t v;
        std::memcpy(&v, line + index * 2, 2);
        return static_cast<std::uint8_t>(v >> 8);
    }
    return line[index];
}

} // namespace

std::vector<DeviceInfo> listDevices()
{
    std::vector<DeviceInfo> out;
    const SANE_Device** list = nullptr;
    const SANE_Status st = sane_get_devices(&list, SANE_FALSE);
    if (st != SANE_STATUS_GOOD)
        throw SaneError(std::string("Cannot list the scanners: ") + sane_strstatus(st));
    if (!list)
        return out;
    for (; *list; ++list) {
        const SANE_Device* d = *list;
        out.push_back({d->name ? d->name : "",
                       std::string(d->vendor ? d->vendor : "") + " " + (d->model ? d->model : "") + " (" +
                           (d->type ? d->type : "") + ")"});
    }
    return out;
}

void* packedDib(const ScannedPage& page)
{
    const int bpp = page.grey ? 1 : 3;
    const std::size_t stride = (static_cast<std::size_t>(page.width) * bpp + 3) & ~std::size_t(3);
    const std::size_t table = page.grey ? 256 * 4 : 0;
    const std::size_t size = 40 + table + stride * static_cast<std::size_t>(page.height);
    auto* d = static_cast<std::uint8_t*>(std::calloc(1, size));
    if (!d)
        return nullptr;
    auto put32 = [d](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            d[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, static_cast<std::uint32_t>(page.width));
    put32(8, static_cast<std::uint32_t>(page.height)); // positive: bottom row first
    d[12] = 1;
    d[14] = static_cast<std::uint8_t>(bpp * 8);
    put32(20, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(page.height)));
    put32(24, 3780); // 96 dpi in dots per metre; the program ignores it
    put32(28, 3780);
    put32(32, page.grey ? 256 : 0);
    for (std::size_t i = 0; i < table / 4; ++i)
        d[40 + i * 4] = d[41 + i * 4] = d[42 + i * 4] = static_cast<std::uint8_t>(i);
    std::uint8_t* rows = d + 40 + table;
    const std::size_t lineBytes = static_cast<std::size_t>(page.width) * bpp;
    for (int y = 0; y < page.height; ++y) {
        const std::uint8_t* src = page.pixels.data() + static_cast<std::size_t>(y) * lineBytes;
        std::uint8_t* dst = rows + static_cast<std::size_t>(page.height - 1 - y) * stride;
        if (page.grey) {
            std::memcpy(dst, src, lineBytes);
        } else {
            for (int x = 0; x < page.width; ++x) {
                dst[x * 3] = src[x * 3 + 2];
                dst[x * 3 + 1] = src[x * 3 + 1];
                dst[x * 3 + 2] = src[x * 3];
            }
        }
    }
    return d;
}

SaneDevice::SaneDevice(const std::string& name) : m_name(name)
{
    const SANE_Status st = sane_open(name.c_str(), &m_handle);
    if (st != SANE_STATUS_GOOD)
        throw SaneError("Cannot open the scanner " + name + ": " + sane_strstatus(st));
}

SaneDevice::~SaneDevice()
{
    sane_cancel(m_handle);
    sane_close(m_handle);
}

int SaneDevice::optionIndex(const std::string& name) const
{
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, i);
        if (!d)
            return -1;
        if (d->name && name == d->name)
            return i;
    }
}

bool SaneDevice::hasOption(const std::string& name) const
{
    return optionIndex(name) > 0;
}

void SaneDevice::setOption(const std::string& name, const std::string& value)
{
    const int i = optionIndex(name);
    if (i <= 0)
        throw SaneError("The scanner " + m_name + " has no option " + name);
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, i);
    if (!SANE_OPTION_IS_ACTIVE(d->cap) || !SANE_OPTION_IS_SETTABLE(d->cap))
        throw SaneError("The option " + name + " of " + m_name + " cannot be set now");
    const std::string bad = "The option " + name + " does not take the value '" + value + "'";
    std::vector<SANE_Word> words(std::max<std::size_t>(1, static_cast<std::size_t>(d->size) / sizeof(SANE_Word)));
    std::vector<char> text;
    void* data = words.data();
    double number = 0;
    switch (d->type) {
    case SANE_TYPE_BOOL: {
        SANE_Bool b;
        if (!parseBool(value, b))
            throw SaneError(bad);
        words[0] = b;
        break;
    }
    case SANE_TYPE_INT:
        if (!parseNumber(value, number) || number < std::numeric_limits<SANE_Int>::min() ||
            number > std::numeric_limits<SANE_Int>::max())
            throw SaneError(bad);
        std::fill(words.begin(), words.end(), static_cast<SANE_Word>(std::lround(number)));
        break;
    case SANE_TYPE_FIXED:
        if (!parseNumber(value, number) || std::fabs(number) > 32767)
            throw SaneError(bad);
        std::fill(words.begin(), words.end(), SANE_FIX(number));
        break;
    case SANE_TYPE_STRING:
        if (value.size() + 1 > static_cast<std::size_t>(d->size))
            throw SaneError(bad);
        text.assign(static_cast<std::size_t>(d->size), '\0');
        std::memcpy(text.data(), value.data(), value.size());
        data = text.data();
        break;
    case SANE_TYPE_BUTTON:
        data = nullptr;
        break;
    default:
        throw SaneError("The option " + name + " cannot be set from text");
    }
    SANE_Int info = 0;
    const SANE_Status st = sane_control_option(m_handle, i, SANE_ACTION_SET_VALUE, data, &info);
    if (st != SANE_STATUS_GOOD)
        throw SaneError(bad + ": " + sane_strstatus(st));
}

std::string SaneDevice::optionText(const std::string& name) const
{
    const int i = optionIndex(name);
    if (i <= 0)
        return {};
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, i);
    if (!SANE_OPTION_IS_ACTIVE(d->cap) || d->size <= 0)
        return {};
    std::vector<char> buf(static_cast<std::size_t>(d->size) + sizeof(SANE_Word), '\0');
    if (sane_control_option(m_handle, i, SANE_ACTION_GET_VALUE, buf.data(), nullptr) != SANE_STATUS_GOOD)
        return {};
    SANE_Word w;
    std::memcpy(&w, buf.data(), sizeof w);
    switch (d->type) {
    case SANE_TYPE_STRING: return std::string(buf.data());
    case SANE_TYPE_INT: return std::to_string(w);
    case SANE_TYPE_FIXED: return std::to_string(std::lround(SANE_UNFIX(w)));
    case SANE_TYPE_BOOL: return w ? "yes" : "no";
    default: return {};
    }
}

std::vector<std::string> SaneDevice::optionChoices(const std::string& name) const
{
    std::vector<std::string> out;
    const int i = optionIndex(name);
    if (i <= 0)
        return out;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, i);
    auto numberText = [d](SANE_Word w) {
        return std::to_string(d->type == SANE_TYPE_FIXED ? std::lround(SANE_UNFIX(w)) : w);
    };
    if (d->constraint_type == SANE_CONSTRAINT_STRING_LIST) {
        for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s)
            out.emplace_back(*s);
    } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        for (SANE_Int k = 1; k <= d->constraint.word_list[0]; ++k)
            out.push_back(numberText(d->constraint.word_list[k]));
    } else if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
        const SANE_Range* r = d->constraint.range;
        const double lo = d->type == SANE_TYPE_FIXED ? SANE_UNFIX(r->min) : r->min;
        const double hi = d->type == SANE_TYPE_FIXED ? SANE_UNFIX(r->max) : r->max;
        for (int dpi : {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400})
            if (dpi >= lo && dpi <= hi)
                out.push_back(std::to_string(dpi));
    }
    return out;
}

bool SaneDevice::feeder() const
{
    const std::string source = core::lower(optionText("source"));
    return source.find("feeder") != std::string::npos || source.find("adf") != std::string::npos ||
           source.find("duplex") != std::string::npos;
}

SANE_Status SaneDevice::start()
{
    return sane_start(m_handle);
}

void SaneDevice::cancel()
{
    sane_cancel(m_handle);
}

SANE_Status SaneDevice::readPage(ScannedPage& page, const std::function<void(int)>& progress)
{
    page = {};
    for (bool first = true;; first = false) {
        if (!first) {
            const SANE_Status st = sane_start(m_handle);
            if (st != SANE_STATUS_GOOD)
                return st;
        }
        SANE_Parameters p{};
        if (sane_get_parameters(m_handle, &p) != SANE_STATUS_GOOD || p.bytes_per_line <= 0 ||
            p.pixels_per_line <= 0 || (p.depth != 1 && p.depth != 8 && p.depth != 16))
            return SANE_STATUS_UNSUPPORTED;
        std::vector<std::uint8_t> raw;
        const std::size_t expected = p.lines > 0 ? static_cast<std::size_t>(p.lines) * p.bytes_per_line : 0;
        raw.reserve(expected);
        std::vector<std::uint8_t> buf(64 * 1024);
        for (;;) {
            SANE_Int len = 0;
            const SANE_Status st = sane_read(m_handle, buf.data(), static_cast<SANE_Int>(buf.size()), &len);
            if (st == SANE_STATUS_EOF)
                break;
            if (st != SANE_STATUS_GOOD)
                return st;
            raw.insert(raw.end(), buf.begin(), buf.begin() + len);
            if (progress && expected > 0)
                progress(static_cast<int>(std::min<std::size_t>(100, raw.size() * 100 / expected)));
        }
        const int lines = static_cast<int>(raw.size() / static_cast<std::size_t>(p.bytes_per_line));
        const bool channel = p.format == SANE_FRAME_RED || p.format == SANE_FRAME_GREEN || p.format == SANE_FRAME_BLUE;
        if (first) {
            page.width = p.pixels_per_line;
            page.height = lines;
            page.grey = p.format == SANE_FRAME_GRAY;
            page.pixels.assign(static_cast<std::size_t>(page.width) * page.height * (page.grey ? 1 : 3), 0);
        } else if (!channel || page.grey || page.width != p.pixels_per_line) {
            return SANE_STATUS_UNSUPPORTED;
        }
        const int rows = std::min(lines, page.height);
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* line = raw.data() + static_cast<std::size_t>(y) * p.bytes_per_line;
            const std::size_t rowAt = static_cast<std::size_t>(y) * page.width * (page.grey ? 1 : 3);
            for (int x = 0; x < page.width; ++x) {
                if (page.grey) {
                    put(page.pixels, rowAt + x, sample(line, x, p.depth));
                } else if (p.format == SANE_FRAME_RGB) {
                    for (int c = 0; c < 3; ++c)
                        put(page.pixels, rowAt + x * 3 + c, sample(line, x * 3 + c, p.depth));
                } else if (channel) {
                    const int c = p.format == SANE_FRAME_RED ? 0 : p.format == SANE_FRAME_GREEN ? 1 : 2;
                    put(page.pixels, rowAt + x * 3 + c, sample(line, x, p.depth));
                }
            }
        }
        if (p.last_frame)
            return page.height > 0 ? SANE_STATUS_GOOD : SANE_STATUS_UNSUPPORTED;
    }
}

} // namespace twain::dsm
