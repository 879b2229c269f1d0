// The details options as the settings of this run choose them.
#pragma once

#include "exif/core/exif.h"

namespace settings { struct Settings; }

namespace exif {

DetailsOptions detailsOptionsFrom(const settings::Settings& s);

} // namespace exif
