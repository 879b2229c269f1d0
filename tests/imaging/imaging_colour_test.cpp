// An embedded ICC profile is turned into sRGB by every decoder the loader uses; no
// profile, an sRGB or damaged one, or the setting off keep the numbers exactly.
#include "imaging/codecs/codecs.h"
#include "imaging/codecs/jpeg_scaled.h"
#include "tests/support/process.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;
using imaging::Bitmap;

namespace {

const std::string kProfiles = "/usr/share/color/icc/colord/"; // colord-data

// Red, green, blue of the middle pixel.
std::array<int, 3> middle(const Bitmap& b)
{
    const std::uint8_t* p = b.row(b.height() / 2) + (b.width() / 2) * b.bytesPerPixel();
    return {p[2], p[1], p[0]};
}

// Adobe RGB (1998) to sRGB from the two standards' primaries and curves.
void expectSrgbOf(const std::array<int, 3>& adobe, const std::array<int, 3>& got, const std::string& what)
{
    constexpr double m[3][3] = {{1.3982832, -0.3982831, 0.0}, {0.0, 1.0, 0.0}, {0.0, -0.0429383, 1.0429383}};
    for (int i = 0; i < 3; ++i) {
        double v = 0;
        for (int j = 0; j < 3; ++j)
            v += m[i][j] * std::pow(adobe[j] / 255.0, 563.0 / 256.0);
        v = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
        EXPECT_NEAR(got[i], 255 * v, 2.0) << what << " channel " << i;
    }
}

} // namespace

TEST(ColourProfiles, AdobeRgbComesOutAsTheProfileSaysAndOnlyThen)
{
    if (!fs::exists(kProfiles + "AdobeRGB1998.icc") || !support::quietly("command -v exiftool && command -v convert"))
        GTEST_SKIP() << "needs colord-data's profiles, exiftool and ImageMagick";
    const support::TempFolder folder;
    const std::string dir = folder.dir();
    // A green an Adobe RGB camera records and sRGB can show, in three formats, each bare
    // and with the Adobe RGB and the sRGB profile.
    ASSERT_TRUE(support::quietly("cd " + dir + " && for e in jpg png tif; do convert -size 48x32 'xc:rgb(110,190,90)' -quality 100"
                    " plain.$e && for p in AdobeRGB1998 sRGB; do exiftool -q '-icc_profile<=" + kProfiles +
                    "'$p.icc -o $p.$e plain.$e; done; done"));
    for (const std::string e : {".jpg", ".png", ".tif"}) {
        const Bitmap plain = imaging::loadBitmap(dir + "plain" + e);
        const auto same = [&](const Bitmap& b) {
            return std::equal(plain.data(), plain.data() + plain.stride() * plain.height(), b.data());
        };
        expectSrgbOf(middle(plain), middle(imaging::loadBitmap(dir + "AdobeRGB1998" + e)), e);
        EXPECT_TRUE(same(imaging::loadBitmap(dir + "sRGB" + e))) << e;
        EXPECT_TRUE(same(imaging::loadBitmap(dir + "AdobeRGB1998" + e, {}, {.useColourProfiles = false}))) << e;
    }
    // The screen's scaled JPEG decodes and the frame's picture take the same colours.
    auto data = imaging::readWholeFile(dir + "AdobeRGB1998.jpg");
    const std::array<int, 3> raw = middle(imaging::loadBitmap(dir + "plain.jpg"));
    expectSrgbOf(raw, middle(imaging::decodeJpegScaled(data, 3)), "scaled 3/8");
    expectSrgbOf(raw, middle(imaging::loadPicture(dir + "AdobeRGB1998.jpg").bitmap()), "picture");
    // A damaged profile (its "acsp" signature gone) leaves the picture as its numbers say.
    const std::string marker = "ICC_PROFILE";
    const auto at = std::search(data.begin(), data.end(), marker.begin(), marker.end());
    ASSERT_NE(at, data.end());
    std::fill(at + 14 + 36, at + 14 + 40, std::uint8_t(0));
    EXPECT_EQ(middle(imaging::decodeJpeg(data)), raw);
}
