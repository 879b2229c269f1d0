// The adjustment window's core: the curve behind the curve control, the working images,
// the frame-table rules and `paginor curve`, on real curve files in a temporary folder.
#include "imaging/kernels/adjust.h"
#include "page/core/edit_frames.h"
#include "imaging/codecs/codecs.h"
#include "imaging/kernels/crop.h"
#include "imaging/cli/edit_command.h"
#include "imaging/kernels/lut_curve.h"

#include "core/command.h"
#include "core/messages.h"
#include "page/core/frame_commands.h"
#include "tests/support/files.h"
#include "tests/support/bitmaps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using imaging::Bitmap;
using imaging::CurveNode;
using imaging::LutCurve;

const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};

// Every column different: blue = x, green = y, red = 255 - x (x, y < 256 apart from wrap).
Bitmap columns(int w, int h)
{
    return support::paintedBitmap(w, h, [](int x, int y) { return std::array{x, y, 255 - x}; });
}

// ---- the curve -------------------------------------------------------------------------------

TEST(Curve, NewCurveIsTheIdentityAndTwoNodesMakeARamp)
{
    LutCurve curve;
    EXPECT_EQ(curve.table(), imaging::identityLUT());
    curve.setNodes("(64, 0), (192, 255)");
    EXPECT_EQ(curve.table()[0], 0);
    EXPECT_EQ(curve.table()[64], 0);
    EXPECT_EQ(curve.table()[128], 127);
    EXPECT_EQ(curve.table()[192], 255);
    EXPECT_EQ(curve.table()[255], 255);
    // The default edges pull the ends when no node lies there.
    curve.setNodes("(128, 128)");
    curve.setDefaultLeftEdge(255);
    curve.setDefaultRightEdge(0);
    EXPECT_EQ(curve.table()[0], 255);
    EXPECT_EQ(curve.table()[255], 0);
}

TEST(Curve, NodeTextRoundTripsAndClampsLevels)
{
    LutCurve curve;
    curve.setNodes("  (0,0) ,(128 , 160),( 255, 255 )");
    EXPECT_EQ(curve.nodesText(), "(0, 0), (128, 160), (255, 255)");
    LutCurve again;
    again.setNodes(curve.nodesText());
    EXPECT_EQ(again.nodes(), curve.nodes());
    EXPECT_EQ(again.table(), curve.table());
    curve.setNodes("(0, 0), (300, 255)");
    EXPECT_EQ(curve.nodes(), (std::vector<CurveNode>{{0, 0}, {255, 255}}));
    // A repeated input level replaces the earlier point.
    curve.setNodes("(10, 20), (10, 30)");
    EXPECT_EQ(curve.nodes(), (std::vector<CurveNode>{{10, 30}}));
}

TEST(Curve, MalformedNodeTextIsRefusedAndKeepsTheNodes)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"(1 2)", "',' expected but '2' found"},
        {"x", "'(' expected but found 'x'"},
        {"(1, 2", "Unexpected string end"},
        {"(1, 2]", "')' expected but ']' found"},
        {"(a, 2)", "Number expected"},
        {"(1, 2) (3, 4)", "',' expected but '(' found"},
        {"(99999999999, 2)", "Number is invalid"},
    };
    LutCurve curve;
    curve.setNodes("(5, 6)");
    for (const auto& [text, message] : cases) {
        try {
            curve.setNodes(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const imaging::CurveError& e) {
            EXPECT_EQ(e.what(), message) << text;
        }
        EXPECT_EQ(curve.nodes(), (std::vector<CurveNode>{{5, 6}}));
    }
}

TEST(Curve, MouseEditsGrabNearNodesAndStopAtNeighbours)
{
    LutCurve curve;
    curve.setNodes("(0, 0), (100, 100), (200, 200), (255, 255)");
    // Within 6 levels the click grabs the node instead of adding one.
    EXPECT_EQ(curve.addOrMoveNode({104, 96}, LutCurve::kMouseTolerance), 1);
    EXPECT_EQ(curve.nodes().size(), 4u);
    EXPECT_EQ(curve.addOrMoveNode({150, 50}, LutCurve::kMouseTolerance), 2);
    EXPECT_EQ(curve.nodes().size(), 5u);
    // Dragging past the right neighbour stops one level before it.
    curve.moveNode(2, {230, 50});
    EXPECT_EQ(curve.nodes()[2].x, 199);
    curve.moveNode(2, {20, 50});
    EXPECT_EQ(curve.nodes()[2].x, 105);
    EXPECT_TRUE(curve.deleteNear({103, 52}));
    EXPECT_FALSE(curve.deleteNear({60, 200}));
    EXPECT_EQ(curve.nodes().size(), 4u);
}

TEST(Curve, NodesSqueezedToOneLevelDoNotDivideByZero)
{
    LutCurve curve;
    curve.setNodes("(100, 10), (101, 200)");
    // Squeezing a node into a gap of one level leaves two nodes at the same X.
    curve.addOrMoveNode({101, 90}, 0);
    curve.moveNode(0, {101, 50});
    curve.RebuildTable();
    for (int v : curve.table())
        EXPECT_TRUE(v >= 0 && v <= 255);
}

TEST(Curve, FreehandBlendsNeighboursAndStaysInsideTheTable)
{
    LutCurve curve;
    curve.LoadTable(imaging::identityLUT());
    EXPECT_EQ(curve.mode(), imaging::CurveMode::lmCustom);
    curve.drawFreehand({0, 200});
    EXPECT_EQ(curve.table()[0], 200);
    EXPECT_EQ(curve.table()[1], 200);
    EXPECT_EQ(curve.table()[2], (200 + 2) / 2);
    EXPECT_EQ(curve.table()[3], (200 + 3 * 3) / 4);
    EXPECT_EQ(curve.table()[4], 4);
}

TEST(Curve, MousePositionsMapToLevels)
{
    EXPECT_EQ(imaging::curvePointAt(1, 1, 131, 131, 1), (CurveNode{0, 255}));
    EXPECT_EQ(imaging::curvePointAt(129, 129, 131, 131, 1), (CurveNode{255, 0}));
    EXPECT_EQ(imaging::curvePointAt(-40, 500, 131, 131, 1), (CurveNode{0, 0}));
    EXPECT_EQ(imaging::curvePointAt(5, 5, 3, 3, 1), (CurveNode{0, 0}));
}

// ---- the working images ----------------------------------------------------------------------

TEST(WorkingImage, TakesTheFramesShapeAtThePicturesHeight)
{
    const Bitmap picture = columns(400, 300);
    const Bitmap narrow = imaging::makeWorkingImage(picture.view(), 0.75f);
    ASSERT_EQ(narrow.width(), 225);
    ASSERT_EQ(narrow.height(), 300);
    EXPECT_EQ(narrow.bytesPerPixel(), 4);
    // round(-87.5) is -88: the middle 225 columns start at column 88.
    EXPECT_EQ(narrow.row(7)[0], 88);
    EXPECT_EQ(narrow.row(7)[4 * 224], (88 + 224) % 256);
    EXPECT_EQ(narrow.row(7)[1], 7);

    const Bitmap wide = imaging::makeWorkingImage(picture.view(), 1.5f);
    ASSERT_EQ(wide.width(), 450);
    for (int x : {0, 24, 425, 449})
        EXPECT_EQ(std::vector<int>(wide.row(5) + 4 * x, wide.row(5) + 4 * x + 3), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(wide.row(5)[4 * 25], 0);
    EXPECT_EQ(wide.row(5)[4 * 424], 399 % 256);
}

TEST(WorkingImage, BrightnessClampsAndStepsStartFromTheBaseline)
{
    Bitmap picture(1, 1, 3);
    picture.row(0)[0] = 128; // blue
    picture.row(0)[1] = 10;
    picture.row(0)[2] = 200;
    imaging::AdjustImages images(picture.view(), 1.0f);
    auto bgr = [&] { return std::vector<int>(images.working().row(0), images.working().row(0) + 3); };
    images.apply(imaging::brightnessPass(128));
    EXPECT_EQ(bgr(), (std::vector<int>{255, 138, 255}));
    images.apply(imaging::brightnessPass(-128));
    EXPECT_EQ(bgr(), (std::vector<int>{0, 0, 72}));
    images.apply(imaging::brightnessPass(20));
    images.apply(imaging::brightnessPass(30));
    EXPECT_EQ(bgr(), (std::vector<int>{158, 40, 230}));
    images.commit();
    images.apply(imaging::brightnessPass(10));
    EXPECT_EQ(bgr(), (std::vector<int>{168, 50, 240}));
    images.restoreBaseline();
    EXPECT_EQ(bgr(), (std::vector<int>{158, 40, 230}));
}

TEST(WorkingImage, PreviewShowsWhatTheFullImageGets)
{
    imaging::AdjustImages images(columns(400, 300).view(), 1.5f);
    images.setPreviewSize(90, 60);
    images.applyToPreview(imaging::tonePass(imaging::gammaLUT(2.0)));
    const Bitmap quick = images.preview();
    images.apply(imaging::tonePass(imaging::gammaLUT(2.0)));
    EXPECT_EQ(images.preview(), quick);
    EXPECT_EQ(images.working().row(0)[4 * 25 + 2 + 4 * 191], 128); // red 64 -> 128
}

TEST(WorkingImage, RefusedWhenTheImagesWouldNotFitTheBudget)
{
    imaging::setWorkingImageBudget(400 * 300 * 8 - 1);
    EXPECT_THROW(imaging::AdjustImages(columns(300, 300).view(), 4.0f / 3.0f), std::bad_alloc);
    imaging::setWorkingImageBudget(0);
    EXPECT_NO_THROW(imaging::AdjustImages(columns(300, 300).view(), 4.0f / 3.0f));
}

// ---- crop and zoom ---------------------------------------------------------------------------

// A 450 x 300 working image: its middle half red, the rest blue. The half is 225 columns
// from x = 112.5, which the cut-out rounds to 113 (away from zero, as MulDiv did), so the
// red part reaches one column further to the left.
Bitmap middleHalfRed()
{
    Bitmap bmp(450, 300, 4);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 450; ++x) {
            const bool middle = x >= 112 && x < 338 && y >= 75 && y < 225;
            std::uint8_t* p = bmp.row(y) + 4 * x;
            p[0] = middle ? 0 : 255;
            p[2] = middle ? 255 : 0;
            p[3] = 255;
        }
    return bmp;
}

std::vector<int> bgrOf(const Bitmap& bmp, int x, int y)
{
    const std::uint8_t* p = bmp.row(y) + bmp.bytesPerPixel() * x;
    return {p[0], p[1], p[2]};
}

bool allOf(const Bitmap& bmp, int blue, int green, int red)
{
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x) {
            const std::uint8_t* p = bmp.row(y) + bmp.bytesPerPixel() * x;
            if (p[0] != blue || p[1] != green || p[2] != red)
                return false;
        }
    return true;
}

TEST(Crop, ZoomTwoCentredKeepsTheMiddleHalfWithAFilterAndWithout)
{
    const imaging::PreviewPlacement shown = imaging::zoomPreview(2.0, 300, 1.5f, 17, 33, true);
    EXPECT_EQ(std::vector<int>({shown.left, shown.top, shown.width, shown.height}),
              std::vector<int>({-225, -150, 900, 600}));
    const Bitmap working = middleHalfRed();
    for (int item : {4, 0}) { // Bell, and plain stretching
        const imaging::CutOut cut = imaging::cutOut(working.view(), 2.0, shown, 1.5f, item);
        EXPECT_FALSE(cut.failure);
        EXPECT_EQ(cut.image.width(), 450) << item;
        EXPECT_EQ(cut.image.height(), 300) << item;
        EXPECT_TRUE(allOf(cut.image, 0, 0, 255)) << item;
    }
}

TEST(Crop, PannedPastTheEdgeCutsWhiteAndZeroZoomIsRefused)
{
    const Bitmap working = middleHalfRed();
    // The preview moved right by a quarter of its width from the left edge: the cut-out's
    // first 113 of 225 columns lie outside the working image.
    const imaging::PreviewPlacement shown{225, 0, 900, 600};
    const imaging::CutOut cut = imaging::cutOut(working.view(), 2.0, shown, 1.5f, 0);
    EXPECT_EQ(bgrOf(cut.image, 0, 10), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(bgrOf(cut.image, 449, 10), (std::vector<int>{255, 0, 0}));
    EXPECT_THROW(imaging::cutOut(working.view(), 0.0, shown, 1.5f, 4), imaging::ImagingError);
    EXPECT_THROW(imaging::zoomPreview(-1.0, 300, 1.5f, 0, 0, true), imaging::ImagingError);
}

// ---- the frame table -------------------------------------------------------------------------

struct Frames : ::testing::Test {
    Frames() { core::setMessages(&messages); }
    ~Frames() override { core::setMessages(nullptr); }

    void load(int n, Bitmap bmp)
    {
        page::FrameRecord& f = model.frame(n);
        page::setOwnPixels(f, std::move(bmp));
        f.PictureOwner = n;
        f.Loaded = true;
        f.Selected = true;
        f.FileName = "/photos/p" + std::to_string(n) + ".jpg";
    }

    core::ScriptedMessages messages;
    settings::Settings s;
    page::Page model{s, [] { return kA4At600; }};
};

TEST_F(Frames, EditTargetIsExactlyOneOwnPicture)
{
    EXPECT_EQ(page::editTarget(model).message, "No images selected");
    load(2, columns(4, 4));
    load(3, columns(4, 4));
    EXPECT_EQ(page::editTarget(model).message, "2 images selected \nYou can only adjust 1 image at a time");
    model.frame(2).Selected = false;
    EXPECT_EQ(page::editTarget(model).frame, 3);
    EXPECT_EQ(page::FrameEdit(model, 3).caption(), " - Frame # 3- /photos/p3.jpg");
}

TEST_F(Frames, SavedCurveIsAppliedToTheSelectedFramesOnly)
{
    const support::TempFolder dir;
    LutCurve s;
    s.setNodes("(0, 0), (64, 32), (192, 224), (255, 255)");
    const std::string path = (dir / "s.tcv").string();
    imaging::writeCurveFile(s.table(), path);
    EXPECT_EQ(std::filesystem::file_size(path), 1024u);
    const imaging::ToneLUT loaded = imaging::readCurveFile(path);
    EXPECT_EQ(loaded, s.table());

    load(1, columns(8, 2));
    load(2, columns(8, 2));
    load(4, columns(8, 2));
    model.frame(4).Selected = false;
    ASSERT_TRUE(page::applyCurveToSelected(model, loaded));
    for (int n : {1, 2}) {
        const Bitmap& after = page::ownPixels(model.frame(n));
        EXPECT_EQ(after.bytesPerPixel(), 4);
        EXPECT_EQ(after.row(1)[4 * 7 + 2], s.table()[248]); // red 255 - 7
    }
    EXPECT_EQ(page::ownPixels(model.frame(4)).bytesPerPixel(), 3);
}

// ---- paginor curve ---------------------------------------------------------------------------

struct CurveCommand : ::testing::Test {
    int run(core::CommandArgs args)
    {
        out.str({});
        core::CommandContext ctx{s, common, out, messages};
        return imaging::curveCommand(args, ctx);
    }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> result;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }

    settings::Settings s;
    core::CommonOptions common;
    std::ostringstream out;
    core::ScriptedMessages messages;
};

TEST_F(CurveCommand, PrintsTheTableAndWritesAndReadsCurveFiles)
{
    const support::TempFolder dir;
    const std::string path = (dir / "ramp.tcv").string();
    ASSERT_EQ(run({"--nodes", "(64, 0), (192, 255)", "-o", path}), 0);
    const auto fromNodes = lines();
    ASSERT_EQ(fromNodes.size(), 256u);
    EXPECT_EQ(fromNodes[128], "127");
    ASSERT_EQ(run({path}), 0);
    EXPECT_EQ(lines(), fromNodes);

    // A short file replaces only the entries it holds; the rest stay the identity.
    {
        std::ofstream shortFile(dir / "short.tcv", std::ios::binary);
        const char entry[5] = {9, 0, 0, 0, 7};
        shortFile.write(entry, 5);
    }
    ASSERT_EQ(run({(dir / "short.tcv").string()}), 0);
    EXPECT_EQ(lines()[0], "9");
    EXPECT_EQ(lines()[1], "7");
    EXPECT_EQ(lines()[2], "2");
}

TEST_F(CurveCommand, EditCutGivesTheCropPanelsResult)
{
    const support::TempFolder dir;
    const std::string in = (dir / "in.bmp").string(), out = (dir / "out.bmp").string();
    imaging::saveBmp(imaging::to24Bit(middleHalfRed().view()).view(), in);
    s.Global_AspectRatio = 1.5f;
    auto edit = [&](std::string cut) {
        core::CommandContext ctx{s, common, this->out, messages};
        return imaging::editCommand({in, "-o", out, "--cut", cut}, ctx);
    };
    ASSERT_EQ(edit("2,centre,centre,300,4"), 0);
    const Bitmap result = imaging::loadBitmap(out);
    EXPECT_EQ(result.width(), 450);
    EXPECT_TRUE(allOf(result, 0, 0, 255));
    EXPECT_EQ(edit("0,centre,centre,300,4"), 1);
    EXPECT_EQ(messages.texts().back(), "edit: The zoom factor must be above 0");
}

TEST_F(CurveCommand, RefusedTextAndMissingFilesFailWithTheReason)
{
    EXPECT_EQ(run({"--nodes", "(1 2)"}), 1);
    EXPECT_EQ(messages.texts().back(), "',' expected but '2' found");
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(run({"/nonexistent/x.tcv"}), 1);
    EXPECT_EQ(messages.texts().back(), "Can't open file /nonexistent/x.tcv");
    EXPECT_EQ(run({"--nodes", "(0, 0)", "-o", "/nonexistent/dir/x.tcv"}), 1);
    EXPECT_EQ(run({}), 2);
}

} // namespace
