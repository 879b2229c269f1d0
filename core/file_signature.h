// What a file's first bytes say it is, where layers that cannot reach the image codecs'
// table (the EXIF reader, the orientation reader) must know. Plain C++.
#pragma once

#include <cstdint>
#include <span>

namespace core {

// True for data that starts as a JPEG file does (its start-of-image marker, FF D8).
inline bool startsAsJpeg(std::span<const std::uint8_t> head)
{
    return head.size() >= 2 && head[0] == 0xFF && head[1] == 0xD8;
}

} // namespace core
