#include "page/ui/edit_ui.h"

#include "core/messages.h"
#include "page/core/edit_frames.h"

namespace page {

bool Properties1Click(Page& page, QWidget* parent, const imaging::AdjustHooks& hooks)
{
    const EditTarget target = editTarget(page);
    if (target.frame == 0) {
        core::messages().information(target.message);
        return false;
    }
    FrameEdit subject(page, target.frame);
    imaging::EditImageWindow window(subject, page.settings(), hooks, parent);
    if (window.failed()) {
        core::messages().error(imaging::kNoResourcesToAdjust);
        return false;
    }
    return window.exec() == QDialog::Accepted;
}

} // namespace page
