// A load step that lets the window's own event loop turn while its files decode.
#pragma once

#include "page/core/decode_queue.h"
#include "page/core/loading.h"

#include <cstddef>
#include <string>
#include <vector>

namespace page {

// A load step in three parts, for a window whose own event loop turns while files decode:
// beginLoadStep and finishLoadStep on the window's thread, decodeLoadStep on any other in
// between. Between the two, the queue and the settings must not change; the page may be
// redrawn (finishLoadStep fills only frames the page still has). The sum of the three is
// loadFiles without keepAlive and fullDecode.
struct LoadStep {
    std::vector<int> frames;        // the frames that take files, in frame order
    int selectedFrames = 0;
    std::size_t first = 0;          // the queue's NextFileIndex when the step began
    std::vector<std::string> files; // the queue's list then, for the decoding thread
    int screenWidth = 0;
    int screenHeight = 0;
    int threads = 0;
    OnLoadOptions options;
    std::vector<DecodeQueue::Result> decoded; // files[first ..], in list order
};
LoadStep beginLoadStep(Page& page, FileQueue& queue, const LoadHooks& hooks);
// Decodes the files the step's frames take: until as many decoded well as it has frames,
// or the list ends. Touches nothing but step.
void decodeLoadStep(LoadStep& step);
LoadStepResult finishLoadStep(Page& page, FileQueue& queue, const LoadHooks& hooks, LoadStep& step);

// What nextBatch does before its step: with no frame selected, every frame is emptied
// and selected.
void selectForNextBatch(Page& page, const LoadHooks& hooks);

} // namespace page
