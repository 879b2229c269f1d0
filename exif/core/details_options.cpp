#include "exif/core/details_options.h"

#include "settings/core/settings.h"

namespace exif {

DetailsOptions detailsOptionsFrom(const settings::Settings& s)
{
    DetailsOptions o;
    o.incFilename = s.Inc_Filename;
    o.incTime = s.Inc_Time;
    o.incDMY = s.Inc_DMY;
    o.incMDY = s.Inc_MDY;
    o.incExposure = s.Inc_Exposure;
    o.incThisText = s.Inc_This_Text;
    o.incFlash = s.Inc_Flash;
    o.getCameraDetails = s.Get_Camera_Details;
    o.anyJpeg = s.Any_Jpeg_Camera_Data;
    o.incText = s.Inc_Text;
    return o;
}

} // namespace exif
