// Small text routines every module uses: ASCII case, prefixes, JSON strings and the
// filling of a message form's %1, %2, ... Plain C++.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// text with each byte through the C library's tolower, for comparing the setting and
// option words (all ASCII) without regard to case.
inline std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// True when bytes begin with prefix, byte for byte (a file's magic number).
inline bool startsWith(std::span<const std::uint8_t> bytes, std::string_view prefix)
{
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                      [](char p, std::uint8_t b) { return static_cast<std::uint8_t>(p) == b; });
}

// text as a JSON string, quotes included: '"' and '\' escaped, control characters as
// \u00XX, every other byte (UTF-8 included) as it is.
std::string jsonString(std::string_view text);

// form's %1, %2, ... replaced by parts in one pass, so a part that holds "%2" itself stays
// as it is; a placeholder without its part stays too.
std::string fillIn(std::string_view form, const std::vector<std::string>& parts);

} // namespace core
