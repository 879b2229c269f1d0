// The phone, web and camera formats: HEIF, AVIF, WebP and JPEG XL files made by their own
// tools, and camera RAW files written here as small DNGs, decode to their sources'
// pixels, upright, with their camera data; damaged files are refused with the loader's
// message; a HEIF named .jpg loads; the frames keep only a screen-sized copy.
#include "exif/core/exif.h"
#include "imaging/codecs/codecs.h"
#include "imaging/codecs/registry.h"
#include "imaging/kernels/orientation.h"
#include "page/core/loading.h"
#include "page/core/page.h"
#include "tests/support/dng_writer.h"
#include "tests/support/files.h"
#include "tests/support/process.h"
#include "tests/support/bitmaps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include <libheif/heif.h>

namespace fs = std::filesystem;
using imaging::Bitmap;

namespace {

using support::readBytes;
using support::writeBytes;

// A picture no turn or mirror maps onto itself: four coloured quarters and a gradient.
Bitmap testCard(int width, int height)
{
    return support::paintedBitmap(width, height, [=](int x, int y) {
        const bool right = x >= width / 2;
        const bool bottom = y >= height / 2;
        return std::array{right && bottom ? 220 : 50, bottom ? 200 : 40 + y, right ? 230 : 30 + x};
    });
}

void savePpm(const Bitmap& b, const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << b.width() << " " << b.height() << "\n255\n";
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const std::uint8_t* p = b.row(y) + x * 3;
            const char rgb[3] = {char(p[2]), char(p[1]), char(p[0])};
            out.write(rgb, 3);
        }
}

// The largest difference of any sample; INT_MAX for pictures of other sizes.
int maxDifference(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return INT_MAX;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 3; ++x)
            worst = std::max(worst, std::abs(int(a.row(y)[x]) - int(b.row(y)[x])));
    return worst;
}

std::string itemValue(const exif::ReadResult& r, std::int32_t tag)
{
    for (const exif::ExifItem& i : r.items)
        if (i.tag == tag)
            return i.value;
    return {};
}

// Red, green, blue averaged over a rectangle.
std::array<int, 3> average(const Bitmap& b, int x0, int y0, int x1, int y1)
{
    long sum[3] = {};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += b.row(y)[x * 3 + 2 - c];
    const long n = long(x1 - x0) * (y1 - y0);
    return {int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)};
}

// A HEIC file of the stored pixels whose transforms (irot, imir) stand it upright by
// orientation, written with libheif's own encoder, carrying an EXIF block whose
// orientation tag says exifTag. Empty when libheif has no HEVC encoder or the tag is not
// in the file.
std::vector<std::uint8_t> heicWithTransforms(const Bitmap& stored, int orientation, int exifTag)
{
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    heif_image_handle* handle = nullptr;
    heif_encoding_options* options = heif_encoding_options_alloc();
    std::vector<std::uint8_t> file;
    if (heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code == heif_error_Ok &&
        heif_image_create(stored.width(), stored.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image).code ==
            heif_error_Ok &&
        heif_image_add_plane(image, heif_channel_interleaved, stored.width(), stored.height(), 8).code == heif_error_Ok) {
        int stride = 0;
        std::uint8_t* rows = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        for (int y = 0; y < stored.height(); ++y)
            for (int x = 0; x < stored.width(); ++x)
                for (int c = 0; c < 3; ++c)
                    rows[y * stride + x * 3 + c] = stored.row(y)[x * 3 + 2 - c];
        heif_encoder_set_lossy_quality(encoder, 100);
        options->image_orientation = static_cast<heif_orientation>(orientation);
        // A TIFF-laid-out EXIF block with the one orientation entry.
        const std::uint8_t exif[] = {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0,
                                     static_cast<std::uint8_t>(exifTag), 0, 0, 0, 0, 0, 0, 0};
        if (heif_context_encode_image(context, image, encoder, options, &handle).code == heif_error_Ok &&
            heif_context_add_exif_metadata(context, handle, exif, sizeof exif).code == heif_error_Ok) {
            const support::TempFolder folder;
            const std::string path = folder.file("turned.heic");
            if (heif_context_write_to_file(context, path.c_str()).code == heif_error_Ok)
                file = readBytes(path);
        }
    }
    heif_image_handle_release(handle);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_encoding_options_free(options);
    heif_context_free(context);
    // libheif may reset the tag to 1 as it writes the block: it is put back to exifTag.
    const std::uint8_t entry[] = {0x12, 0x01, 3, 0, 1, 0, 0, 0};
    const auto at = std::search(file.begin(), file.end(), std::begin(entry), std::end(entry));
    if (at == file.end())
        return {};
    at[8] = static_cast<std::uint8_t>(exifTag);
    return file;
}

// libheif's own decode of a file's primary picture, turned as the file says, as BGR.
Bitmap libheifDecode(const std::string& path)
{
    heif_context* context = heif_context_alloc();
    heif_image_handle* handle = nullptr;
    heif_image* image = nullptr;
    Bitmap out;
    if (heif_context_read_from_file(context, path.c_str(), nullptr).code == heif_error_Ok &&
        heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok &&
        heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code == heif_error_Ok) {
        int stride = 0;
        const std::uint8_t* rows = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
        out = Bitmap(heif_image_get_width(image, heif_channel_interleaved), heif_image_get_height(image, heif_channel_interleaved));
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x)
                for (int c = 0; c < 3; ++c)
                    out.row(y)[x * 3 + c] = rows[y * stride + x * 3 + 2 - c];
    }
    heif_image_release(image);
    heif_image_handle_release(handle);
    heif_context_free(context);
    return out;
}

const char* kTools = "command -v heif-enc && command -v cwebp && command -v cjxl && command -v exiftool && command -v convert";

} // namespace

TEST(ModernFormats, EachDecodesToItsSourcesPixelsAndByContentWhateverItsName)
{
    if (!support::quietly(kTools))
        GTEST_SKIP() << "needs heif-enc, cwebp, cjxl, exiftool and ImageMagick";
    const support::TempFolder folder;
    const std::string dir = folder.dir();
    const Bitmap card = testCard(96, 64);
    savePpm(card, dir + "card.ppm");
    ASSERT_TRUE(support::quietly("cd " + dir + " && convert card.ppm -define png:exclude-chunks=gAMA,cHRM,sRGB card.png && heif-enc -L -o card.heic card.png && "
                    "heif-enc -A -L -o card.avif card.png && cwebp -lossless -quiet card.png -o card.webp && "
                    "cjxl -d 0 card.png card.jxl && cp card.heic heic-really.jpg && cp card.webp webp-really.heic"));
    // Lossless coding still goes through YCbCr in HEVC and AV1; WebP and JPEG XL keep RGB.
    const std::pair<std::string, int> files[] = {{"card.heic", 4}, {"card.avif", 4}, {"card.webp", 0},
                                                 {"card.jxl", 0},  {"heic-really.jpg", 4}, {"webp-really.heic", 0}};
    for (const auto& [name, tolerance] : files) {
        SCOPED_TRACE(name);
        const Bitmap decoded = imaging::loadBitmap(dir + name);
        EXPECT_LE(maxDifference(decoded, card), tolerance);
        // Loaded as a frame loads it: only the file's data and a screen-sized copy are kept,
        // and the full pixels decoded from the data when asked for are the same.
        const page::LoadedPicture loaded = page::loadImageFile(dir + name, 24, 16);
        ASSERT_TRUE(loaded.picture && loaded.screen.pixels);
        EXPECT_FALSE(loaded.picture->encodedData().empty());
        EXPECT_FALSE(loaded.picture->isJpeg()); // so it is written out encoded, never as its data
        EXPECT_LT(loaded.screen.pixels->width(), card.width());
        EXPECT_GE(loaded.screen.pixels->width(), 24);
        EXPECT_EQ(maxDifference(loaded.picture->bitmap(), decoded), 0);
        EXPECT_EQ(maxDifference(imaging::loadPicture(dir + name).bitmap(), decoded), 0);
    }
}

// The codec table tells each format by its own files' first bytes and by no other
// format's (whatever the file's name), and names the extensions the loader accepts.
TEST(ModernFormats, TheCodecTableTellsEachFormatByItsFirstBytes)
{
    if (!support::quietly(kTools))
        GTEST_SKIP() << "needs heif-enc, cwebp, cjxl, exiftool and ImageMagick";
    const support::TempFolder folder;
    const std::string dir = folder.dir();
    const Bitmap card = testCard(48, 32);
    savePpm(card, dir + "card.ppm");
    imaging::saveJpeg(card.view(), dir + "card.jpg", 90);
    ASSERT_TRUE(support::quietly("cd " + dir + " && convert card.ppm card.png && heif-enc -o card.heic card.png && "
                    "heif-enc -A -o card.avif card.png && cwebp -quiet card.png -o card.webp && "
                    "cjxl card.png card.jxl && cjxl --container=1 card.png boxed.jxl && cp card.webp webp-named.jpg"));
    const std::pair<std::string, std::string_view> files[] = {
        {"card.jpg", "JPEG"},  {"card.heic", "HEIF"}, {"card.avif", "HEIF"},    {"card.webp", "WebP"},
        {"card.jxl", "JPEG XL"}, {"boxed.jxl", "JPEG XL"}, {"webp-named.jpg", "WebP"}, {"card.png", ""},
        {"card.ppm", ""}};
    for (const auto& [name, expected] : files) {
        SCOPED_TRACE(name);
        const imaging::Codec* found = imaging::sniffFile(dir + name);
        EXPECT_EQ(found != nullptr ? found->name : std::string_view(), expected);
        const auto bytes = readBytes(dir + name);
        const std::span<const std::uint8_t> head(bytes.data(), std::min(bytes.size(), imaging::kSniffBytes));
        for (const imaging::Codec& codec : imaging::codecTable())
            EXPECT_EQ(codec.recognises(head), codec.name == expected) << codec.name;
    }
    for (const imaging::Codec& codec : imaging::codecTable())
        for (std::string_view extension : codec.extensions) {
            EXPECT_TRUE(imaging::isAcceptedExtension(extension)) << extension;
            EXPECT_EQ(imaging::codecNamedBy("a" + imaging::lowerExtensionOf(std::string(extension))), &codec);
        }
}

TEST(ModernFormats, PhotosComeUprightWithTheirCameraData)
{
    if (!support::quietly(kTools))
        GTEST_SKIP() << "needs heif-enc, cwebp, cjxl, exiftool and ImageMagick";
    const support::TempFolder folder;
    const std::string dir = folder.dir();
    // A camera's photo held upright: stored on its side, the EXIF orientation 6 says to
    // turn it a quarter clockwise.
    const Bitmap upright = testCard(64, 96);
    const Bitmap stored = imaging::orientUpright(imaging::orientUpright(imaging::orientUpright(Bitmap(upright), 6), 6), 6);
    savePpm(stored, dir + "stored.ppm");
    ASSERT_TRUE(support::quietly("cd " + dir + " && convert stored.ppm -quality 100 -sampling-factor 1x1 stored.jpg && "
                    "exiftool -q -overwrite_original -Orientation#=6 -Make=Paginor -Model='Phone 1' "
                    "'-DateTimeOriginal=2023:04:05 06:07:08' stored.jpg && "
                    "cwebp -quiet -q 100 -metadata exif stored.jpg -o photo.webp && "
                    "cjxl stored.jpg photo.jxl && heif-enc -q 100 -o photo.heic stored.jpg"));
    // heif-enc copies the EXIF block but writes no turn of its own (irot): in a HEIF file
    // only those transforms turn the picture, never the EXIF tag, so it stays as stored.
    const Bitmap heic = imaging::loadBitmap(dir + "photo.heic");
    EXPECT_EQ(heic.width(), upright.height());
    EXPECT_EQ(heic.height(), upright.width());
    for (const std::string name : {"photo.webp", "photo.jxl", "photo.heic"}) {
        SCOPED_TRACE(name);
        const Bitmap b = name == "photo.heic" ? imaging::orientUpright(Bitmap(heic), 6) : imaging::loadBitmap(dir + name);
        ASSERT_EQ(b.width(), upright.width());
        ASSERT_EQ(b.height(), upright.height());
        // Lossy coding: each quarter's colour within a few levels of the upright source.
        for (int qy = 0; qy < 2; ++qy)
            for (int qx = 0; qx < 2; ++qx) {
                const int x0 = qx * 32 + 8, y0 = qy * 48 + 8;
                const auto got = average(b, x0, y0, x0 + 16, y0 + 32);
                const auto want = average(upright, x0, y0, x0 + 16, y0 + 32);
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(got[c], want[c], 10) << "quarter " << qx << "," << qy << " channel " << c;
            }
        const exif::ReadResult r = exif::readCameraData(dir + name, exif::ReadOptions{}, false);
        EXPECT_GE(r.result, exif::kIntelOrder);
        EXPECT_EQ(itemValue(r, 0x010F), "Paginor");
        EXPECT_EQ(itemValue(r, 0x0110), "Phone 1");
    }

    // A HEIF file whose transforms stand it upright: they turn it, and its EXIF tag (3,
    // half a turn) is never applied on top of them.
    const std::vector<std::uint8_t> turned = heicWithTransforms(stored, 6, 3);
    ASSERT_FALSE(turned.empty()) << "libheif wrote no HEIC with transforms and the EXIF tag";
    writeBytes(dir + "turned.heic", turned);
    const Bitmap fromTransforms = imaging::loadBitmap(dir + "turned.heic");
    EXPECT_LE(maxDifference(fromTransforms, upright), 12);

    // Pictures loaded turned are decoded again as they were laid out, by the options they
    // were loaded with; loads that do not honour orientations give the stored pixels.
    std::vector<page::LoadedPicture> loaded;
    for (const std::string name : {"photo.webp", "photo.jxl", "turned.heic"})
        loaded.push_back(page::loadImageFile(dir + name, 16, 16));
    for (const page::LoadedPicture& l : loaded) {
        EXPECT_EQ(l.picture->bitmap().width(), upright.width());
        EXPECT_EQ(l.picture->bitmap().height(), upright.height());
    }
    const imaging::DecodeOptions notHonoured{.honourOrientation = false};
    const Bitmap asStored[] = {imaging::loadBitmap(dir + "photo.webp", {}, notHonoured),
                               imaging::loadBitmap(dir + "turned.heic", {}, notHonoured)};
    for (const Bitmap& b : asStored)
        EXPECT_EQ(b.width(), upright.height());
}

// A frame's copy of a HEIF is made from the decoder's planes a band at a time (a phone's
// grid of tiles a row of tiles at a time, turned by its irot), never from a whole RGB
// picture; it must be the whole decode (the printed pixels) reduced, in every form: one
// picture or a grid, AVIF, 10 bits, alpha, and 4:4:4, which libheif still converts. A
// grid's whole decode is made from its tiles too, and must be libheif's to the bit.
TEST(ModernFormats, AHeifsScreenCopyIsItsWholeDecodeReduced)
{
    if (!support::quietly("command -v heif-enc && command -v convert && command -v python3"))
        GTEST_SKIP() << "needs heif-enc, ImageMagick and python3";
    const support::TempFolder folder;
    const std::string dir = folder.dir();
    const std::string grid = "python3 " PAGINOR_SOURCE_DIR "/bench/make_grid_heic.py";
    savePpm(testCard(200, 150), dir + "card.ppm");
    ASSERT_TRUE(support::quietly("cd " + dir + " && convert card.ppm -define png:exclude-chunks=gAMA,cHRM,sRGB card.png && "
                    "heif-enc -q 90 -o single.heic card.png && heif-enc -A -q 90 -o single.avif card.png && "
                    "heif-enc -q 90 -p chroma=444 -o full-chroma.heic card.png && "
                    "convert card.png -depth 16 card16.png && heif-enc -b 10 -q 90 -o deep.heic card16.png && "
                    "convert card.png -alpha set -channel A -fx 'i/w' +channel alpha.png && heif-enc -q 90 -o alpha.heic alpha.png && " +
                    grid + " --tile 64 --quality 90 card.png grid.heic && " + grid +
                    " --tile 64 --quality 90 --irot 1 card.png turned-grid.heic && " + grid +
                    " --tile 64 --quality 90 --irot 3 card.png other-way.heic && " + grid +
                    " --tile 64 --quality 90 --limited-range card.png limited-grid.heic"));
    for (const std::string name : {"single.heic", "single.avif", "full-chroma.heic", "deep.heic", "alpha.heic", "grid.heic",
                                   "turned-grid.heic", "other-way.heic", "limited-grid.heic"}) {
        SCOPED_TRACE(name);
        const Bitmap whole = imaging::loadPicture(dir + name).bitmap();
        ASSERT_EQ(whole.width() * whole.height(), 200 * 150);
        // A grid's tiles are decoded here too for the whole picture: it must be libheif's.
        if (name.find("grid") != std::string::npos || name == "other-way.heic")
            EXPECT_EQ(maxDifference(whole, libheifDecode(dir + name)), 0);
        // Reduced four times, and at full size, where every pixel's conversion shows.
        // libheif blends the chroma of neighbouring samples at sharp colour edges of a
        // single picture where the copy takes each pixel's own sample: a few levels there.
        for (const auto [least, tolerance] : {std::pair{32, 1}, std::pair{1000, 4}}) {
            const page::LoadedPicture loaded = page::loadImageFile(dir + name, least, least);
            ASSERT_TRUE(loaded.screen.pixels);
            EXPECT_LE(maxDifference(*loaded.screen.pixels, page::reduceForScreen(whole, least, least)), tolerance) << least;
        }
    }
}

TEST(ModernFormats, DamagedFilesAreRefusedWithTheLoadersMessage)
{
    if (!support::quietly(kTools))
        GTEST_SKIP() << "needs heif-enc, cwebp, cjxl, exiftool and ImageMagick";
    const support::TempFolder folder;
    const std::string dir = folder.dir();
    savePpm(testCard(96, 64), dir + "card.ppm");
    ASSERT_TRUE(support::quietly("cd " + dir + " && convert card.ppm -define png:exclude-chunks=gAMA,cHRM,sRGB card.png && heif-enc -q 80 -o card.heic card.png && "
                    "heif-enc -A -q 80 -o card.avif card.png && cwebp -quiet card.png -o card.webp && "
                    "cjxl card.png card.jxl"));
    writeBytes(dir + "card.dng", dng::makeDng(64, 48, 1));
    for (const std::string name : {"card.heic", "card.avif", "card.webp", "card.jxl", "card.dng"}) {
        const std::vector<std::uint8_t> whole = readBytes(dir + name);
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2));
        std::vector<std::uint8_t> scrambled = whole;
        for (std::size_t i = 8; i < std::min<std::size_t>(scrambled.size(), 200); ++i)
            scrambled[i] ^= 0x5A;
        for (const auto& [label, bytes] : {std::pair{"truncated", cut}, std::pair{"corrupt", scrambled}}) {
            SCOPED_TRACE(name + " " + label);
            const std::string path = dir + label + "-" + name;
            writeBytes(path, bytes);
            try {
                (void)page::loadImageFile(path, 32, 32);
                ADD_FAILURE() << "loaded";
            } catch (const imaging::ImagingError& e) {
                EXPECT_EQ(std::string(e.what()).rfind("Not a valid image file '" + path + "'", 0), 0u) << e.what();
            }
        }
    }
}

TEST(CameraRaw, DevelopedOrFromItsPreviewUprightWithTheCameraData)
{
    const support::TempFolder folder;
    const std::string dir = folder.dir();
    // No preview: LibRaw develops the sensor data, the left half red and the right blue,
    // and the orientation 6 turns it upright (the left half then at the top).
    writeBytes(dir + "plain.dng", dng::makeDng(64, 48, 6));
    const Bitmap developed = imaging::loadBitmap(dir + "plain.dng");
    ASSERT_EQ(developed.width(), 48);
    ASSERT_EQ(developed.height(), 64);
    const auto top = average(developed, 8, 8, 40, 24);
    const auto bottom = average(developed, 8, 40, 40, 56);
    EXPECT_GT(top[0], top[2] + 60);
    EXPECT_GT(bottom[2], bottom[0] + 60);
    const exif::ReadResult r = exif::readCameraData(dir + "plain.dng", exif::ReadOptions{}, false);
    EXPECT_EQ(itemValue(r, 0x010F), "Paginor");
    EXPECT_EQ(itemValue(r, 0x0110), "Test Camera");
    EXPECT_EQ(itemValue(r, 0x9003), "2024:05:06 07:08:09");

    // A full-size JPEG preview is the picture, turned by the RAW file's orientation.
    const Bitmap card = testCard(64, 48);
    const std::vector<std::uint8_t> jpeg = imaging::encodeJpeg(card.view(), 95);
    writeBytes(dir + "preview.dng", dng::makeDng(64, 48, 6, jpeg, 64, 48));
    const Bitmap fromPreview = imaging::loadBitmap(dir + "preview.dng");
    EXPECT_EQ(maxDifference(fromPreview, imaging::orientUpright(imaging::decodeJpeg(jpeg), 6)), 0);
    // A frame keeps it as a JPEG picture, shown from a DCT-scaled rendition.
    const page::LoadedPicture loaded = page::loadImageFile(dir + "preview.dng", 12, 16);
    ASSERT_TRUE(loaded.picture && loaded.screen.pixels);
    EXPECT_TRUE(loaded.picture->isJpegData());
    EXPECT_LT(loaded.screen.scaleEighths, 8);
    EXPECT_EQ(maxDifference(loaded.picture->bitmap(), fromPreview), 0);
    // A half-size preview does when the frame takes no more pixels on paper, else the
    // sensor data is developed; not knowing the frame, only a near full-size one does.
    const std::vector<std::uint8_t> half = imaging::encodeJpeg(testCard(32, 24).view(), 95);
    writeBytes(dir + "half.dng", dng::makeDng(64, 48, 1, half, 32, 24));
    page::OnLoadOptions frame;
    for (const auto& [printFrame, fromJpeg] : {std::pair{page::Size{32, 30}, true}, std::pair{page::Size{40, 30}, false},
                                              std::pair{page::Size{}, false}}) {
        SCOPED_TRACE(printFrame.width);
        frame.printFrame = printFrame;
        const page::LoadedPicture l = page::loadImageFile(dir + "half.dng", 8, 6, {}, frame);
        EXPECT_EQ(l.picture->isJpegData(), fromJpeg);
        EXPECT_EQ(l.picture->width(), fromJpeg ? 32 : 64);
    }
    // One too small to print from is passed over for the develop.
    const Bitmap thumb = testCard(16, 12);
    writeBytes(dir + "thumb.dng", dng::makeDng(64, 48, 1, imaging::encodeJpeg(thumb.view(), 95), 16, 12));
    const Bitmap fromSensor = imaging::loadBitmap(dir + "thumb.dng");
    EXPECT_EQ(fromSensor.width(), 64);
    EXPECT_GT(average(fromSensor, 4, 4, 28, 44)[0], average(fromSensor, 36, 4, 60, 44)[0] + 60);
}
