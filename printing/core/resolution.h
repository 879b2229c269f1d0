// How finely each frame's picture prints: its pixels per printed inch on the current
// printer's page, and the frames that fall below the Min_Print_Resolution setting.
#pragma once

#include "core/message.h"

#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "page/core/geometry.h"

namespace page { class Page; }

namespace printing {

// Pixels per inch of frame n's picture as the printer prints it (the work bitmap
// stretched to the frame's rectangle, or with bp off the whole picture fitted into it);
// none when the frame is empty or the page can't be laid out.
std::optional<int> effectiveResolution(const page::Page& page, int frame);

// The picture area of the page's frames on the printer's paper, in printer dots; 0 x 0
// when the page has no printer or can't be laid out. For Page::setPrintFrameReader.
page::Size printFrameSize(const page::Page& page);

// The loaded frames whose picture prints below Min_Print_Resolution (none when it is 0).
std::vector<int> lowResolutionFrames(const page::Page& page);

// "Frame 3: 212 pixels per inch on PDF", with " (below 300)" under the threshold.
core::Message resolutionStatus(const page::Page& page, int frame, const std::string& printerName);

// "Frames 1 and 4 print below 150 pixels per inch" (one frame: "Frame 2 prints ...").
core::Message lowResolutionMessage(const std::vector<int>& frames, int threshold);

} // namespace printing
