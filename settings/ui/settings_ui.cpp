#include "settings/ui/settings_ui.h"

#include "settings/ui/setup_form.h"

#include "core/messages.h"

#include <algorithm>
#include <cctype>

namespace settings {

namespace {

// The extensions the loader reads, as one text: a drop filter's extension is valid when it is a
// part of it, so "*.JP" passes (it is a part of ".JPG") and "*.*" passes through ".*".
constexpr std::string_view kImageExtensions =
    ".JPG.JPEG.BMP.TIF.TIFF.WMF.EMF.FAX.GIF.ICO.PSD.PDD.PSP.PNG.BW.RGB.RGBA.SGI.CEL.PIC.TGA.VST.ICB.VDA.WIN."
    "PCX.PCC.PCD.PPM.PGM.PBM.CUT.PAL.GIF.RLA.RPF.RLE.DIB .*";

constexpr std::string_view kDefaultDropFilter = "*.*";

} // namespace

QColor colourFromTcol(std::int32_t tcol)
{
    const auto v = static_cast<std::uint32_t>(tcol);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

std::int32_t tcolFromColour(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(rgb.red()) | static_cast<std::uint32_t>(rgb.green()) << 8 |
                                     static_cast<std::uint32_t>(rgb.blue()) << 16);
}

std::string dropFilterExtension(std::string_view mask)
{
    const auto dot = mask.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(mask.substr(dot));
}

bool isValidDropFilter(std::string_view mask)
{
    std::string ext = dropFilterExtension(mask);
    if (ext.empty())
        return false;
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return kImageExtensions.find(ext) != std::string_view::npos;
}

core::Message dropFilterMessage(std::string_view mask)
{
    return {QT_TRANSLATE_NOOP("Paginor", "Drag && Drop\nFile extension '%1' is not a valid image format"),
            dropFilterExtension(mask)};
}

// OK applies the settings before the drop filter is checked, so the dialog shown again opens on
// them. Cancelling that second dialog keeps what the first OK applied (it is marked changed and
// shown) but not the refused filter: folder drops would otherwise search for nothing.
bool setUpSettings(QWidget* parent, Settings& s, const SetupHooks& hooks)
{
    const std::string previousFilter =
        isValidDropFilter(s.DroppedSearchString) ? s.DroppedSearchString : std::string(kDefaultDropFilter);
    bool applied = false;
    bool filterValid = false;
    while (!filterValid) {
        SettingsDialog form(s, hooks, parent);
        if (form.exec() != SettingsDialog::kOkResult)
            break;
        applied = true;
        filterValid = isValidDropFilter(s.DroppedSearchString);
        if (!filterValid)
            core::messages().information(dropFilterMessage(s.DroppedSearchString));
    }
    if (!applied)
        return false;
    if (!filterValid)
        s.DroppedSearchString = previousFilter;
    s.Settings_Changed = true;
    if (hooks.redisplayImages)
        hooks.redisplayImages();
    return true;
}

} // namespace settings
