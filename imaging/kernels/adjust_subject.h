// What the "Edit Image" window edits, as the layer that owns the picture hands it over:
// the picture, the shape it is to take, its details line, and where the result goes.
// The window knows nothing of frames or pages; the page layer implements this.
#pragma once

#include "imaging/kernels/bitmap.h"

#include <string>

namespace imaging {

class AdjustSubject {
public:
    virtual ~AdjustSubject() = default;

    // The picture as it stands; may throw when it cannot be had (a picture decoded on
    // demand that no longer decodes, or no memory for it). The window asks for it on a
    // thread of its own while its own thread holds back user input; the bitmap must stay
    // as it is for the window's life.
    virtual const Bitmap& picture() = 0;
    // The shape the edited picture takes, width / height.
    virtual float aspectRatio() const = 0;
    // The details line printed in the margin above the picture.
    virtual std::string details() const = 0;
    // What the window's caption shows after "Edit Image ".
    virtual std::string caption() const = 0;
    // The window's OK: the working image and the details line replace the old ones and
    // the picture takes aspectRatio(). cutOut tells that a part was cut out of it, so
    // whatever else shows this picture takes the same shape. Nothing is written before:
    // Cancel leaves the subject exactly as it was.
    virtual void store(const std::string& details, Bitmap working, bool cutOut) = 0;
};

} // namespace imaging
