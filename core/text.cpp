#include "core/text.h"

#include <cstdio>

namespace core {

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string fillIn(std::string_view form, const std::vector<std::string>& parts)
{
    std::string out;
    out.reserve(form.size());
    for (std::size_t i = 0; i < form.size(); ++i) {
        const char c = i + 1 < form.size() && form[i] == '%' ? form[i + 1] : '\0';
        const std::size_t n = c >= '1' && c <= '9' ? static_cast<std::size_t>(c - '0') : 0;
        if (n >= 1 && n <= parts.size()) {
            out += parts[n - 1];
            ++i;
        } else {
            out += form[i];
        }
    }
    return out;
}

} // namespace core
