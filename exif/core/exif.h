// The EXIF reader: the camera data in a JPEG file's APP1 segment turned into labelled text
// items, and the image details text built from them. Plain C++; no Qt.
#pragma once

#include "core/files.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core { class Messages; }

namespace exif {

// Shown when the TIFF header's magic number is not 42 in the block's byte order; reading
// goes on all the same, since a camera that gets the magic wrong may get the rest right.
inline constexpr std::string_view kWrongTiffMagic = "002a <--> 2a00";

// What readExif found.
inline constexpr int kNotJpeg = -1;    // not a JPEG file, or it cannot be opened
inline constexpr int kNoExif = 0;      // a JPEG file without an EXIF block right after its start
inline constexpr int kIntelOrder = 1;  // EXIF data in Intel byte order (II)
inline constexpr int kMotorolaOrder = 2; // EXIF data in Motorola byte order (MM)

// One result item: the tag it came from (never 0), its label and its value as text.
// Values are the file's bytes: no character set conversion is made.
struct ExifItem {
    std::int32_t tag = 0;
    std::string label;
    std::string value;

    friend bool operator==(const ExifItem&, const ExifItem&) = default;
};

struct ReadResult {
    int result = kNotJpeg;
    std::vector<ExifItem> items; // at most one per tag, in the order the entries were met
};

// Random access to the bytes of one file. The reader checks every offset and length
// against size() before it asks for bytes, so a source never sees a read past its end.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills out from offset; false when fewer bytes could be read (the file shrank, an I/O error).
    virtual bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

// A regular file read with pread; never loads the whole file.
class FileSource final : public ByteSource {
public:
    // Opens path for reading. Anything but a regular file (a folder, a FIFO, a device)
    // is refused, so a reader never blocks on it; isOpen() then says false.
    explicit FileSource(const std::filesystem::path& path);

    bool isOpen() const { return m_fd.isOpen(); }
    std::uint64_t size() const override { return m_size; }
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    core::FileDescriptor m_fd;
    std::uint64_t m_size = 0;
};

// Bytes already in memory (tests, the fuzzer). The bytes must outlive the source.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t size() const override { return m_bytes.size(); }
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

struct ReadOptions {
    // The decimal separator of numbers written in the general format. Unset: the C
    // locale's decimal point (localeconv), which is the user's own once the program has
    // called setlocale(LC_ALL, "") at start-up; "." when the program never did.
    std::optional<std::string> decimalSeparator;
    // Where the wrong-magic notice goes; null: core::messages().
    core::Messages* messages = nullptr;
};

// Reads the EXIF block of a JPEG file into labelled items. A file that cannot be opened
// or read gives kNotJpeg; damaged or hostile data never throws, it only loses items.
ReadResult readExif(const std::filesystem::path& path, const ReadOptions& options = {});
ReadResult readExif(ByteSource& source, const ReadOptions& options = {});

// readExif, and with anyJpeg the items it does not find taken from wherever libexiv2
// finds them in a JPEG file (an EXIF block after a JFIF header, directories in another
// order), made by the same rules and listed after readExif's own. The result code is then
// that of the block libexiv2 read when readExif found none. Damaged files lose items only.
ReadResult readCameraData(const std::filesystem::path& path, const ReadOptions& options, bool anyJpeg);

// The decimal separator that ReadOptions uses when it names none.
std::string localeDecimalSeparator();

// The settings that shape a frame's details text, under their setting names' meaning.
struct DetailsOptions {
    bool incFilename = true;       // Inc_Filename
    bool incTime = false;          // Inc_Time
    bool incDMY = false;           // Inc_DMY: dd/mm/yy
    bool incMDY = false;           // Inc_MDY: mm/dd/yy, wins when both are on
    bool incExposure = false;      // Inc_Exposure
    bool incThisText = true;       // Inc_This_Text
    bool incFlash = false;         // Inc_Flash
    bool getCameraDetails = false; // Get_Camera_Details: read the EXIF block at all
    bool anyJpeg = false;          // Any_Jpeg_Camera_Data: see readCameraData
    std::string incText;           // Inc_Text
};

// The details text without camera data: the file name (without its folder) when
// incFilename, then one blank and incText when incThisText.
std::string plainDetails(const DetailsOptions& options, std::string_view fileName);

// The details text rebuilt from a file's EXIF items: file name, date, time, exposure,
// flash and incText, each chosen part ending in one blank (incText excepted). A missing
// item reads as empty text, so the date part is then "// " and the exposure part two blanks.
std::string exifDetails(const DetailsOptions& options, std::string_view fileName,
                        const std::vector<ExifItem>& items);

// What a frame gets from its image file when no side file speaks for it.
struct ImageDetails {
    std::string details;
    bool hasExif = false;
    std::vector<ExifItem> exifTags; // empty unless hasExif
};

// Chooses between the two texts as a load does: the EXIF text when getCameraDetails is on
// and exif holds a result of 1 or 2, the plain text otherwise. Pure: exif is what
// readExif returned for the file (ignored when getCameraDetails is off).
ImageDetails buildDetails(const DetailsOptions& options, std::string_view fileName, const ReadResult& exif);

// Reads the file's EXIF block when getCameraDetails is on, then builds as above.
ImageDetails imageDetails(const DetailsOptions& options, const std::filesystem::path& file,
                          const ReadOptions& readOptions = {});

// The side file that holds an image's details text: the image's path with the extension
// of its file name (from the last "." of the name) replaced by ".vdt", or ".vdt" appended
// to a name without one. Dots in folder names do not count.
inline constexpr std::string_view kSideFileExtension = ".vdt";
std::string sideFileName(const std::string& imagePath);
// The first line of the image's side file; nullopt when there is none or it cannot be
// read (anything but a regular file counts as none).
std::optional<std::string> readSideFile(const std::string& imagePath);

// The details a load gives the file: the side file's first line when there is one
// (no EXIF items then), else imageDetails.
ImageDetails loadDetails(const DetailsOptions& options, const std::filesystem::path& file,
                         const ReadOptions& readOptions = {});

} // namespace exif
