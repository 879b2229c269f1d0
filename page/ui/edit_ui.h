// "Edit Image" from the frames' commands: the checks on the selection, then the
// adjustment window on the chosen frame.
#pragma once

#include "imaging/ui/bright_adjust.h"
#include "page/core/page.h"

class QWidget;

namespace page {

// The checks, the window shown modally, and true when it closed with OK (the caller then
// rebuilds the page display).
bool Properties1Click(Page& page, QWidget* parent, const imaging::AdjustHooks& hooks = {});

} // namespace page
