#include "settings/core/settings.h"

#include "core/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

namespace settings {
namespace {

using S = Settings;

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && core::lower(a) == core::lower(b);
}

} // namespace

const std::vector<Field>& fields()
{
    static const std::vector<Field> table = {
        {"Inc_Filename", "Inc_FileName", Kind::Bool, &S::Inc_Filename},
        {"Inc_Time", "Inc_Time", Kind::Bool, &S::Inc_Time},
        {"Inc_DMY", "Inc_DMY", Kind::Bool, &S::Inc_DMY},
        {"Inc_MDY", "Inc_MDY", Kind::Bool, &S::Inc_MDY},
        {"Inc_Exposure", "Inc_Exposure", Kind::Bool, &S::Inc_Exposure},
        {"Inc_This_Text", "Inc_This_TExt", Kind::Bool, &S::Inc_This_Text},
        {"Inc_Text", "Inc_Text", Kind::String, &S::Inc_Text},
        {"Inc_Flash", "Inc_Flash", Kind::Bool, &S::Inc_Flash},
        {"Printer", "Printer", Kind::Int, &S::Printer},
        {"tsz", "tsz", Kind::Int, &S::tsz},
        {"tcol", "tcol", Kind::Int, &S::tcol},
        {"NumberOfFrames", "NumberOfFrames", Kind::Int, &S::NumberOfFrames},
        {"Global_AspectRatio", "Global_AspectRatio", Kind::Float, &S::Global_AspectRatio},
        {"Form_Mag_Factor", "Form_Mag_Factor", Kind::Float, &S::Form_Mag_Factor},
        {"PrintProps", "PrintProps", Kind::Bool, &S::PrintProps},
        {"PrintMarks", "PrintMarks", Kind::Bool, &S::PrintMarks},
        {"margin_mm", "margin_mm", Kind::Float, &S::margin_mm},
        {"start_dir", "start_dir", Kind::String, &S::start_dir},
        {"Image_Editor_App", "Image_Editor_App", Kind::String, &S::Image_Editor_App},
        {"Curve_Dir", "Curve_Dir", Kind::String, &S::Curve_Dir},
        {"ApplyCurve", "ApplyCurve", Kind::String, &S::ApplyCurve},
        {"En_CurveOnLoad", "En_CurveOnLoad", Kind::Bool, &S::En_CurveOnLoad},
        {"autocentre", "autocentre", Kind::Bool, &S::autocentre},
        {"app_assos", "app_assos", Kind::Bool, &S::app_assos},
        {"autorotate", "autorotate", Kind::Bool, &S::autorotate},
        {"bp", "bp", Kind::Bool, &S::bp},
        {"Save_Props_File", "Save_Props_File", Kind::Bool, &S::Save_Props_File},
        {"Quality", "Quality", Kind::Int, &S::Quality},
        {"RuleWeight", "RuleWeight", Kind::Int, &S::RuleWeight},
        {"Use_Metric", "Use_Metric", Kind::Bool, &S::Use_Metric},
        {"Filter", "Filter", Kind::Int, &S::Filter},
        {"CZ", "CZ", Kind::Bool, &S::CZ},
        {"resample_for_printer", "resample_for_printer", Kind::Int, &S::resample_for_printer},
        {"resample_on_load", "resample_on_load", Kind::Int, &S::resample_on_load},
        {"resample_on_load_Size", "resample_on_load_Size", Kind::Int, &S::resample_on_load_Size},
        {"Manual_Resamp_Size", "Manual_Resamp_Size", Kind::Int, &S::Manual_Resamp_Size},
        {"OLW", "OLW", Kind::Bool, &S::OLW},
        {"store_as_Jpg", "store_as_Jpg", Kind::Bool, &S::store_as_Jpg},
        {"Print_Image_As_Jpeg", "Print_Image_As_Jpeg", Kind::Bool, &S::Print_Image_As_Jpeg},
        {"Print_Image_Use_Printers_Res", "Print_Image_Use_Printers_Res", Kind::Bool, &S::Print_Image_Use_Printers_Res},
        {"Print_Image_Resolution", "Print_Image_Resolution", Kind::Int, &S::Print_Image_Resolution},
        {"Print_Image_Resample_USing", "Print_Image_Resample_USing", Kind::Int, &S::Print_Image_Resample_USing},
        {"Manual_Resamp_Filter", "Manual_Resamp_Filter", Kind::Int, &S::Manual_Resamp_Filter},
        {"Get_Camera_Details", "Get_Camera_Details", Kind::Bool, &S::Get_Camera_Details},
        {"Wait_For_Empty_Q", "Wait_For_Empty_Q", Kind::Bool, &S::Wait_For_Empty_Q},
        {"DroppedSearchString", "DroppedSearchString", Kind::String, &S::DroppedSearchString},
        {"searchSubFolders", "searchSubFolders", Kind::Bool, &S::searchSubFolders},
        {"Page_Margin_mm", "Page_Margin_mm", Kind::Float, &S::Page_Margin_mm},
        {"centre_output", "centre_output", Kind::Bool, &S::centre_output},
        {"Printer_Name", "Printer_Name", Kind::String, &S::Printer_Name},
        {"Printer_Paper", "Printer_Paper", Kind::String, &S::Printer_Paper},
        {"Printer_Duplex", "Printer_Duplex", Kind::Int, &S::Printer_Duplex},
        {"Printer_Page", "Printer_Page", Kind::String, &S::Printer_Page},
        {"Min_Print_Resolution", "Min_Print_Resolution", Kind::Int, &S::Min_Print_Resolution},
        {"Confirm_Low_Resolution", "Confirm_Low_Resolution", Kind::Bool, &S::Confirm_Low_Resolution},
        {"Batch_Skip_Unreadable", "Batch_Skip_Unreadable", Kind::Bool, &S::Batch_Skip_Unreadable},
        {"Use_Colour_Profiles", "Use_Colour_Profiles", Kind::Bool, &S::Use_Colour_Profiles},
        {"Any_Jpeg_Camera_Data", "Any_Jpeg_Camera_Data", Kind::Bool, &S::Any_Jpeg_Camera_Data},
        {"Honour_Orientation", "Honour_Orientation", Kind::Bool, &S::Honour_Orientation},
    };
    return table;
}

const Field* findField(std::string_view name)
{
    for (const auto& f : fields())
        if (sameName(f.readName, name))
            return &f;
    return nullptr;
}

std::vector<std::uint8_t> encodeFloat(float value)
{
    const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(value));
    std::vector<std::uint8_t> out(8);
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return out;
}

std::optional<float> decodeFloat(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() != 8)
        return std::nullopt;
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(bytes[i]) << (8 * i);
    return static_cast<float>(std::bit_cast<double>(bits));
}

// ---- the in-memory key -------------------------------------------------------

std::optional<StoredValue> MemoryStore::read(std::string_view name) const
{
    auto it = m_values.find(core::lower(name));
    if (!m_exists || it == m_values.end())
        return std::nullopt;
    return it->second.second;
}

void MemoryStore::beginWrite()
{
    if (m_failWrites)
        throw SettingsError(kCantSaveSettings);
    m_exists = true;
}

void MemoryStore::write(std::string_view name, const StoredValue& value)
{
    if (m_failWrites)
        throw SettingsError(kCantSaveSettings);
    m_exists = true;
    m_values[core::lower(name)] = {std::string(name), value};
}

std::vector<std::string> MemoryStore::names() const
{
    std::vector<std::string> out;
    for (const auto& [key, entry] : m_values)
        out.push_back(entry.first);
    return out;
}

} // namespace settings
