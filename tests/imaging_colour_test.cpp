// Pictures with an embedded ICC profile come out in sRGB through every decoder the loader
// uses; pictures without one, or with the setting off, keep their numbers exactly.
#include "imaging/codecs.h"
#include "imaging/jpeg_scaled.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;
using imaging::Bitmap;

namespace {

const fs::path kProfiles = "/usr/share/color/icc/colord"; // colord-data
// A green an Adobe RGB camera records that sRGB can show (red, green, blue).
constexpr std::array<int, 3> kAdobeGreen{110, 190, 90};

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "colour-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(m_path); }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

// Adobe RGB (1998) to sRGB from the two standards' primaries and curves, in 0..255.
std::array<double, 3> adobeToSrgb(std::array<int, 3> rgb)
{
    constexpr double toXyz[3][3] = {{0.5767309, 0.1855540, 0.1881852},
                                    {0.2973769, 0.6273491, 0.0752741},
                                    {0.0270343, 0.0706872, 0.9911085}};
    constexpr double toSrgb[3][3] = {{3.2404542, -1.5371385, -0.4985314},
                                     {-0.9692660, 1.8760108, 0.0415560},
                                     {0.0556434, -0.2040259, 1.0572252}};
    double linear[3], xyz[3] = {0, 0, 0};
    for (int c = 0; c < 3; ++c)
        linear[c] = std::pow(rgb[c] / 255.0, 563.0 / 256.0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            xyz[i] += toXyz[i][j] * linear[j];
    std::array<double, 3> out{};
    for (int i = 0; i < 3; ++i) {
        double v = 0;
        for (int j = 0; j < 3; ++j)
            v += toSrgb[i][j] * xyz[j];
        v = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
        out[i] = 255.0 * v;
    }
    return out;
}

// Red, green, blue of the middle pixel.
std::array<int, 3> middle(const Bitmap& bmp)
{
    const std::uint8_t* p = bmp.row(bmp.height() / 2) + (bmp.width() / 2) * bmp.bytesPerPixel();
    return {p[2], p[1], p[0]};
}

bool run(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

void expectConverted(const std::array<int, 3>& got, const std::array<int, 3>& raw, const char* path)
{
    const std::array<double, 3> want = adobeToSrgb(raw);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(got[c], want[c], 2.0) << path << " channel " << c;
    EXPECT_LT(got[0], raw[0] - 60) << path << ": the red of the raw numbers";
}

class ColourProfiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(kProfiles / "AdobeRGB1998.icc") || !run("command -v exiftool") || !run("command -v convert"))
            GTEST_SKIP() << "needs colord-data's profiles, exiftool and ImageMagick";
        Bitmap patch(48, 32, 3);
        for (int y = 0; y < patch.height(); ++y)
            for (int x = 0; x < patch.width(); ++x) {
                std::uint8_t* p = patch.row(y) + 3 * x;
                p[0] = std::uint8_t(kAdobeGreen[2]), p[1] = std::uint8_t(kAdobeGreen[1]), p[2] = std::uint8_t(kAdobeGreen[0]);
            }
        const auto bytes = imaging::encodeJpeg(patch.view(), 100);
        std::ofstream(m_dir / "plain.jpg", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        ASSERT_TRUE(run("cd '" + (m_dir / "").string() + "' && convert plain.jpg plain.png && convert plain.jpg plain.tif"));
    }
    void TearDown() override { imaging::setColourProfilesUsed(true); }

    // A copy of plain.EXT carrying the profile.
    fs::path withProfile(const std::string& ext, const std::string& profile)
    {
        const fs::path out = m_dir / (profile + "." + ext);
        EXPECT_TRUE(run("exiftool -q '-icc_profile<=" + (kProfiles / (profile + ".icc")).string() + "' -o '" +
                        out.string() + "' '" + (m_dir / ("plain." + ext)).string() + "'"));
        return out;
    }

    TempFolder m_dir;
};

} // namespace

TEST_F(ColourProfiles, AdobeRgbGreenComesOutAsTheProfileSaysInEveryDecoder)
{
    const std::array<int, 3> raw = middle(imaging::loadBitmap((m_dir / "plain.jpg").string()));
    const fs::path jpeg = withProfile("jpg", "AdobeRGB1998");
    const auto data = imaging::readWholeFile(jpeg.string());
    expectConverted(middle(imaging::loadBitmap(jpeg.string())), raw, "full decode");
    expectConverted(middle(imaging::loadPicture(jpeg.string()).bitmap()), raw, "picture");
    expectConverted(middle(imaging::decodeJpegScaled(data, 8)), raw, "scaled 8/8");
    expectConverted(middle(imaging::decodeJpegScaled(data, 3)), raw, "scaled 3/8");
    for (const char* ext : {"png", "tif"}) {
        const std::array<int, 3> rawOther = middle(imaging::loadBitmap((m_dir / ("plain." + std::string(ext))).string()));
        expectConverted(middle(imaging::loadBitmap(withProfile(ext, "AdobeRGB1998").string())), rawOther, ext);
    }
}

TEST_F(ColourProfiles, NoProfileAnSrgbProfileOrTheSettingOffKeepTheNumbers)
{
    const Bitmap plain = imaging::loadBitmap((m_dir / "plain.jpg").string());
    const auto same = [&](const Bitmap& b) {
        return b.width() == plain.width() && b.height() == plain.height() &&
               std::equal(plain.data(), plain.data() + plain.stride() * plain.height(), b.data());
    };
    EXPECT_TRUE(same(imaging::loadBitmap(withProfile("jpg", "sRGB").string())));
    const fs::path adobe = withProfile("jpg", "AdobeRGB1998");
    imaging::setColourProfilesUsed(false);
    EXPECT_TRUE(same(imaging::loadBitmap(adobe.string())));
    EXPECT_TRUE(same(imaging::decodeJpegScaled(imaging::readWholeFile(adobe.string()), 8)));
    // A damaged profile leaves the picture readable, as its numbers say.
    imaging::setColourProfilesUsed(true);
    auto data = imaging::readWholeFile(adobe.string());
    const std::string marker = "ICC_PROFILE";
    const auto at = std::search(data.begin(), data.end(), marker.begin(), marker.end());
    ASSERT_NE(at, data.end());
    std::fill(at + 14 + 36, at + 14 + 40, std::uint8_t(0)); // the profile's "acsp" signature
    EXPECT_TRUE(same(imaging::decodeJpeg(data)));
}
