// The frame commands' rules on a page model without a window: selection and its status
// line, the popup's enabling table, the copy guard, Frame Paste, the clipboard's
// bookkeeping, reload and export decisions, and the picture commands on the selection.
#include "page/core/frame_commands.h"

#include "core/messages.h"
#include "page/core/loading.h"
#include "tests/support/process.h"
#include "tests/support/recording_status.h"
#include "tests/support/bitmaps.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <memory>
#include <string>
#include <vector>

#include <stdlib.h>

namespace {

const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};

using support::RecordingStatus;

// A picture whose pixel (x, y) is (blue x, green y, red 7): every position tells where it came from.
imaging::Bitmap numbered(int w, int h)
{
    return support::paintedBitmap(w, h, [](int x, int y) { return std::array{x, y, 7}; });
}

struct Pixel {
    int b, g, r;
    bool operator==(const Pixel&) const = default;
};

Pixel at(const imaging::Bitmap& bmp, int x, int y)
{
    const std::uint8_t* p = bmp.row(y) + bmp.bytesPerPixel() * x;
    return {p[0], p[1], p[2]};
}

// A page of four frames on default settings, messages recorded.
struct Fixture : ::testing::Test {
    Fixture() { core::setMessages(&messages); }
    ~Fixture() override { core::setMessages(nullptr); }

    void load(int n, imaging::Bitmap bmp, const std::string& name = "")
    {
        page::FrameRecord& f = model.frame(n);
        f.AspectRatio = static_cast<float>(bmp.width()) / static_cast<float>(bmp.height());
        f.PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(std::move(bmp)));
        f.PictureOwner = n;
        f.Loaded = true;
        f.FileName = name.empty() ? "/photos/frame" + std::to_string(n) + ".jpg" : name;
        f.Details = "details " + std::to_string(n);
    }
    // Frame Paste from `source` into `targets`, through the commands as the popup runs it.
    void copyInto(int source, std::vector<int> targets)
    {
        model.clearSelection();
        for (int t : targets)
            model.frame(t).Selected = true;
        cmd.PopupFrame = static_cast<std::uint8_t>(source);
        cmd.frameCopy();
        cmd.framePaste();
        model.clearSelection();
    }
    const imaging::Bitmap& pixels(int n) { return model.pictureShownIn(n)->bitmap(); }

    core::ScriptedMessages messages;
    settings::Settings s;
    RecordingStatus status;
    page::Page model{s, [] { return kA4At600; }, &status};
    page::FrameCommands cmd{model};
};

// ---- selection ----------------------------------------------------------------------------

using FrameSelection = Fixture;

TEST_F(FrameSelection, APlainClickSelectsOnlyThatFrameAndShiftAddsOne)
{
    cmd.SelectImage(1, true);
    const page::SelectResult plain = cmd.SelectImage(3, true);
    EXPECT_FALSE(model.frame(1).Selected);
    EXPECT_TRUE(model.frame(3).Selected);
    EXPECT_EQ(plain.deselected, (std::vector<int>{1, 2, 4}));
    cmd.SelectImage(2, false);
    EXPECT_TRUE(model.frame(2).Selected);
    EXPECT_TRUE(model.frame(3).Selected);
    EXPECT_EQ(page::selectedCount(model), 2);
}

TEST_F(FrameSelection, StatusLineDescribesTheOneSelectedFrame)
{
    load(2, numbered(4, 3), "/photos/a.jpg");
    EXPECT_EQ(cmd.SelectImage(3, true).status, "Frame 3: No file loaded");
    EXPECT_EQ(cmd.SelectImage(2, true).status, "Frame 2: File /photos/a.jpg\ndetails 2 AR= 1.33");
    // Two frames selected: the line is cleared.
    EXPECT_EQ(cmd.SelectImage(3, false).status, "");
    // Deselecting all describes no frame 0.
    EXPECT_EQ(cmd.SelectImage(0, true).status, "");
    EXPECT_EQ(page::selectedCount(model), 0);
}

TEST_F(FrameSelection, ImageButtonsFollowTheFrameJustSelected)
{
    load(1, numbered(4, 3));
    copyInto(1, {2});
    EXPECT_EQ(cmd.SelectImage(1, true).imageButtons, true);
    EXPECT_EQ(cmd.SelectImage(2, true).imageButtons, false); // a copy is not turned
    EXPECT_EQ(cmd.SelectImage(3, true).imageButtons, false); // empty
}

TEST_F(FrameSelection, SelectAllTurnsTheImageButtonsOnWhenSomethingIsLoadedAndTbArFollowsTheLastFrame)
{
    const page::SelectResult none = cmd.selectAllImages();
    EXPECT_EQ(page::selectedCount(model), 4);
    EXPECT_EQ(none.imageButtons, false);
    EXPECT_EQ(none.aspectButton, false);
    load(2, numbered(2, 2));
    const page::SelectResult some = cmd.selectAllImages();
    EXPECT_EQ(some.imageButtons, true);
    EXPECT_EQ(some.aspectButton, false); // frame 4 is empty
    load(4, numbered(2, 2));
    EXPECT_EQ(cmd.selectAllImages().aspectButton, true);
}

TEST_F(FrameSelection, QueriesCountLiveFramesOnly)
{
    load(2, numbered(2, 2));
    load(3, numbered(2, 2));
    copyInto(2, {4});
    model.frame(6).Selected = true; // beyond FrameCount: stale, never read
    model.frame(6).Loaded = true;
    for (int n : {1, 3, 4})
        model.frame(n).Selected = true;
    EXPECT_EQ(page::selectedCount(model), 3);
    EXPECT_EQ(page::loadedCount(model), 3);
    EXPECT_EQ(page::selected_and_loaded(model), 1); // 3; 4 is a copy, 1 is empty
    EXPECT_EQ(page::find_selected(model), 3);
    EXPECT_EQ(page::firstSelectedPicture(model), 3);
    model.frame(3).Selected = false;
    EXPECT_EQ(page::find_selected(model), 0);
    EXPECT_EQ(page::firstSelectedPicture(model), 4); // "Copy" takes copies too
}

// ---- the popup table ------------------------------------------------------------------------

enum class Kind { Loaded, Empty, Copy, Pasted };

struct PopupCase {
    const char* name;
    Kind kind;
    bool copied;     // Frame Copy recorded a frame
    bool clipboard;  // the clipboard holds a bitmap
    page::PopupEnabling expected;
};

page::PopupEnabling entries(std::initializer_list<bool page::PopupEnabling::*> on)
{
    page::PopupEnabling e;
    e.load = e.loadFromTwain = true;
    for (auto member : on)
        e.*member = true;
    return e;
}

using P = page::PopupEnabling;

class FramePopup : public Fixture, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(FramePopup, EntriesAreEnabledAsTheFrameAllows)
{
    const PopupCase& c = GetParam();
    load(1, numbered(4, 3));
    model.frame(1).HasExif = true;
    if (c.copied) {
        cmd.PopupFrame = 1;
        cmd.frameCopy();
    }
    const int frame = 2;
    if (c.kind == Kind::Loaded)
        load(2, numbered(4, 3));
    if (c.kind == Kind::Copy) {
        copyInto(1, {2});
        if (c.copied)
            cmd.CopiedFrame = 1; // copyInto recorded it anyway; keep the case's meaning
        else
            cmd.CopiedFrame = 0;
    }
    if (c.kind == Kind::Pasted) {
        model.frame(2).Selected = true;
        cmd.pasteBitmap(numbered(4, 3));
    }
    EXPECT_EQ(cmd.popupEnabling(frame, c.clipboard, true), c.expected);
}

// Worked from the table: a loaded frame has every entry but Frame Paste (no copy recorded),
// Paste (empty clipboard) and the EXIF window (its file had none).
INSTANTIATE_TEST_SUITE_P(
    Frames, FramePopup,
    ::testing::Values(
        PopupCase{"LoadedFrame", Kind::Loaded, false, false,
                  entries({&P::frameCopy, &P::remove, &P::copy, &P::saveFramesImage, &P::applyCurves,
                           &P::horizontalFlip, &P::verticalFlip, &P::rotate, &P::editImage, &P::exportImages,
                           &P::reload, &P::grayscale, &P::resample})},
        PopupCase{"LoadedFrameWithCopyAndClipboard", Kind::Loaded, true, true,
                  entries({&P::frameCopy, &P::framePaste, &P::remove, &P::copy, &P::paste, &P::saveFramesImage,
                           &P::applyCurves, &P::horizontalFlip, &P::verticalFlip, &P::rotate, &P::editImage,
                           &P::exportImages, &P::reload, &P::grayscale, &P::resample})},
        PopupCase{"EmptyFrame", Kind::Empty, false, false, entries({})},
        PopupCase{"EmptyFrameCanTakeAFrameCopyOrTheClipboard", Kind::Empty, true, true,
                  entries({&P::framePaste, &P::paste})},
        // A copy offers Remove, Copy, Save and the curves, never the picture commands; its
        // marker name leaves nothing to reload. The EXIF window follows the source's tags.
        PopupCase{"CopyFrame", Kind::Copy, true, true,
                  entries({&P::remove, &P::copy, &P::saveFramesImage, &P::applyCurves, &P::extendedDetails})},
        PopupCase{"PastedFrameHasNoFileToReloadOrExport", Kind::Pasted, false, false,
                  entries({&P::frameCopy, &P::remove, &P::copy, &P::saveFramesImage, &P::applyCurves,
                           &P::horizontalFlip, &P::verticalFlip, &P::rotate, &P::editImage, &P::grayscale,
                           &P::resample})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FramePopup, CurvesNeedEntriesAndExifNeedsTags)
{
    load(1, numbered(4, 3));
    EXPECT_FALSE(cmd.popupEnabling(1, false, false).applyCurves);
    EXPECT_FALSE(cmd.popupEnabling(1, false, true).extendedDetails);
    model.frame(1).HasExif = true;
    EXPECT_TRUE(cmd.popupEnabling(1, false, false).extendedDetails);
}

// ---- emptying and Frame Paste ---------------------------------------------------------------

using FrameCopyGuard = Fixture;

TEST_F(FrameCopyGuard, FramePasteIntoTwoFramesShowsTheSourcesPictureUnderACopyName)
{
    load(1, numbered(4, 3), "/photos/a.jpg");
    copyInto(1, {2, 3});
    for (int n : {2, 3}) {
        const page::FrameRecord& f = model.frame(n);
        EXPECT_EQ(f.FileName, "* Copy of Frame 1* /photos/a.jpg");
        EXPECT_EQ(f.CloneOf, 1);
        EXPECT_EQ(model.pictureShownIn(n), model.pictureShownIn(1));
        EXPECT_FLOAT_EQ(f.AspectRatio, 4.0f / 3.0f);
        EXPECT_EQ(f.Details, "details 1");
        EXPECT_FALSE(f.PictureHolder);
    }
    EXPECT_FALSE(model.frame(4).Loaded);
}

TEST_F(FrameCopyGuard, TheSourceIsKeptUntilItsCopiesAreEmptied)
{
    load(1, numbered(4, 3));
    copyInto(1, {2, 3});
    EXPECT_FALSE(cmd.removeSelectedImages(1));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{page::clonedFrameMessage(1)});
    EXPECT_EQ(messages.texts()[0], "Frame #1 is cloned to other frames\nDelete the other frames before this one. ");
    EXPECT_TRUE(model.frame(1).Loaded);
    EXPECT_TRUE(cmd.removeSelectedImages(2));
    EXPECT_FALSE(cmd.removeSelectedImages(1));
    EXPECT_TRUE(cmd.removeSelectedImages(3));
    EXPECT_TRUE(cmd.removeSelectedImages(1));
    EXPECT_FALSE(model.frame(1).Loaded);
    EXPECT_EQ(model.pictureShownIn(1), nullptr);
}

TEST_F(FrameCopyGuard, RemovingEverythingInFrameOrderKeepsAnOwnerThatComesFirst)
{
    load(1, numbered(4, 3));
    load(4, numbered(4, 3));
    copyInto(1, {2});
    cmd.selectAllImages();
    EXPECT_EQ(cmd.removeSelected(), (std::vector<int>{2, 4}));
    EXPECT_TRUE(model.frame(1).Loaded);
    EXPECT_EQ(messages.texts().size(), 1u);
    // The second time round nothing shows frame 1 any more.
    EXPECT_EQ(cmd.removeSelected(), (std::vector<int>{1}));
}

TEST_F(FrameCopyGuard, EmptyingTheRecordedFrameForgetsIt)
{
    load(1, numbered(4, 3));
    cmd.PopupFrame = 1;
    cmd.frameCopy();
    EXPECT_TRUE(cmd.removeSelectedImages(1));
    EXPECT_EQ(cmd.CopiedFrame, 0);
    model.frame(2).Selected = true;
    EXPECT_TRUE(cmd.framePaste().empty());
    EXPECT_FALSE(model.frame(2).Loaded);
}

TEST_F(FrameCopyGuard, ARecordedFrameThatLostItsPictureOtherwiseIsNotCopied)
{
    load(1, numbered(4, 3));
    cmd.PopupFrame = 1;
    cmd.frameCopy();
    model.dropAllPictures(); // a frame-count change
    model.frame(2).Selected = true;
    EXPECT_TRUE(cmd.framePaste().empty());
    EXPECT_EQ(cmd.CopiedFrame, 0);
}

TEST_F(FrameCopyGuard, FramePasteRefusesAFrameWhosePictureOthersShow)
{
    load(1, numbered(4, 3));
    load(2, numbered(6, 3));
    copyInto(2, {3});
    model.frame(2).Selected = true;
    cmd.PopupFrame = 1;
    cmd.frameCopy();
    EXPECT_TRUE(cmd.framePaste().empty());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{page::clonedFrameMessage(2)});
    EXPECT_EQ(model.frame(2).CloneOf, 0);
    EXPECT_EQ(pixels(3).width(), 6);
}

TEST_F(FrameCopyGuard, FramePasteShowsProgressByFrameNumber)
{
    load(1, numbered(4, 3));
    status.progress.clear();
    copyInto(1, {2, 4});
    // Trunc(i / 4 x 100) after each frame, starting from 0.
    EXPECT_EQ(status.progress, (std::vector<int>{0, 50, 100}));
}

// ---- the clipboard -------------------------------------------------------------------------

using FrameClipboard = Fixture;

TEST_F(FrameClipboard, PastingIntoTwoFramesGivesEachItsOwnPicture)
{
    load(1, numbered(4, 3));
    copyInto(1, {2});
    model.frame(2).Selected = true; // a copy gets a picture of its own
    model.frame(3).Selected = true;
    EXPECT_EQ(cmd.pasteBitmap(numbered(5, 2)), (std::vector<int>{2, 3}));
    for (int n : {2, 3}) {
        const page::FrameRecord& f = model.frame(n);
        EXPECT_EQ(f.PictureOwner, n);
        EXPECT_EQ(f.CloneOf, 0);
        EXPECT_TRUE(f.NotFromFile);
        EXPECT_EQ(f.FileName, "* Pasted image *");
        EXPECT_EQ(f.Details, "* Clipboard Pasted image *");
        EXPECT_FLOAT_EQ(f.AspectRatio, 2.5f);
        EXPECT_EQ(pixels(n).width(), 5);
    }
    EXPECT_EQ(pixels(1).width(), 4);
}

TEST_F(FrameClipboard, CopiesOfAFramePastedOverTakeTheNewShape)
{
    load(1, numbered(4, 3));
    copyInto(1, {2});
    model.frame(1).Selected = true;
    cmd.pasteBitmap(numbered(2, 4));
    EXPECT_FLOAT_EQ(model.frame(2).AspectRatio, 0.5f);
    EXPECT_EQ(pixels(2).width(), 2);
}

TEST_F(FrameClipboard, CopyTakesTheFirstSelectedPictureAndACopysSource)
{
    load(1, numbered(4, 3));
    copyInto(1, {3});
    model.frame(2).Selected = true; // empty: passed over
    model.frame(3).Selected = true;
    const auto source = cmd.copySource();
    EXPECT_EQ(source.frame, 3);
    EXPECT_EQ(source.owner, 1);
    EXPECT_TRUE(source.severalSelected);
    model.frame(2).Selected = false;
    EXPECT_FALSE(cmd.copySource().severalSelected);
    model.clearSelection();
    EXPECT_EQ(cmd.copySource().frame, 0);
    EXPECT_EQ(page::copyOneImageMessage(3),
              "You can only copy one image at a time to the clipboard\nOnly image #3 will be copied");
}

// ---- reload and export ---------------------------------------------------------------------

TEST(FrameReload, TheEditedFileLiesBesideTheOriginalWithAnExclamationMark)
{
    const page::ReloadNames r = page::reloadNames("/home/ann/my.photos/a.b.jpg");
    EXPECT_EQ(r.name, "a.b.jpg");
    EXPECT_EQ(r.folder, "/home/ann/my.photos/");
    EXPECT_EQ(r.editedPath, "/home/ann/my.photos/!a.b.jpg");
    EXPECT_EQ(r.originalCaption(), "Original (a.b.jpg)");
    EXPECT_EQ(r.modifiedCaption(), "Modified (!a.b.jpg)");
    EXPECT_EQ(page::reloadNames("b.png").editedPath, "!b.png");
    EXPECT_EQ(page::modifiedMissingMessage("/x/!b.png"), "Modified file : \n/x/!b.png\nDoes not exist ");
}

using FrameExport = Fixture;

TEST_F(FrameExport, TheChosenProgramLosesItsQuotesAndGetsTheFile)
{
    s.app_assos = false;
    s.Image_Editor_App = "\"/opt/My Editor/edit\"";
    load(2, numbered(2, 2), "/photos/it's here.jpg");
    model.frame(2).Selected = true;
    const page::ExportPlan plan = cmd.exportPlan();
    EXPECT_EQ(plan.kind, page::ExportPlan::Kind::Program);
    EXPECT_EQ(plan.program, "/opt/My Editor/edit");
    EXPECT_EQ(plan.file, "/photos/it's here.jpg");
    s.app_assos = true;
    EXPECT_EQ(cmd.exportPlan().kind, page::ExportPlan::Kind::Associated);
}

TEST_F(FrameExport, APastedPictureIsNotHandedToAnyProgram)
{
    s.app_assos = false;
    s.Image_Editor_App = "gimp";
    model.frame(1).Selected = true;
    cmd.pasteBitmap(numbered(2, 2));
    const page::ExportPlan plan = cmd.exportPlan();
    EXPECT_EQ(plan.kind, page::ExportPlan::Kind::Refused);
    EXPECT_EQ(plan.message, "Can't export pasted images.....\nHint - Try pasting the image into \ngimp");
    s.app_assos = true;
    EXPECT_EQ(cmd.exportPlan().kind, page::ExportPlan::Kind::Refused);
    model.clearSelection();
    EXPECT_EQ(cmd.exportPlan().kind, page::ExportPlan::Kind::Nothing);
}

// ---- the picture commands ------------------------------------------------------------------

using FramePictures = Fixture;

TEST_F(FramePictures, RotatingA3x2PictureGivesItsLeftColumnBottomUpAsTheTopRow)
{
    load(1, numbered(3, 2));
    model.frame(1).Selected = true;
    page::RotateBitmap(model, page::RotateMode::Rotate, {});
    const imaging::Bitmap& r = pixels(1);
    ASSERT_EQ(r.width(), 2);
    ASSERT_EQ(r.height(), 3);
    EXPECT_EQ(at(r, 0, 0), (Pixel{0, 1, 7})); // source (0, 1)
    EXPECT_EQ(at(r, 1, 0), (Pixel{0, 0, 7})); // source (0, 0)
    EXPECT_EQ(at(r, 0, 2), (Pixel{2, 1, 7})); // source (2, 1)
    EXPECT_FLOAT_EQ(model.frame(1).AspectRatio, 1.0f / 1.5f);
}

TEST_F(FramePictures, FourQuarterTurnsAndTwoFlipsGiveTheOriginal)
{
    load(1, numbered(5, 3));
    const imaging::Bitmap original = pixels(1);
    const float ratio = model.frame(1).AspectRatio;
    for (int i = 0; i < 4; ++i) {
        model.frame(1).Selected = true;
        page::RotateBitmap(model, page::RotateMode::Rotate, {});
    }
    EXPECT_EQ(pixels(1), original);
    EXPECT_NEAR(model.frame(1).AspectRatio, ratio, 1e-6);
    for (auto mode : {page::RotateMode::VerticalFlip, page::RotateMode::HorizontalFlip}) {
        for (int i = 0; i < 2; ++i) {
            model.frame(1).Selected = true;
            page::RotateBitmap(model, mode, {});
            if (i == 0) {
                EXPECT_NE(pixels(1), original);
            }
        }
        EXPECT_EQ(pixels(1), original);
    }
}

TEST_F(FramePictures, CopiesFollowATurnedSourceAndASelectedCopyIsSkipped)
{
    load(1, numbered(4, 2));
    copyInto(1, {3});
    model.frame(1).Selected = true;
    model.frame(3).Selected = true;
    std::vector<int> blanked;
    page::RotateBitmap(model, page::RotateMode::Rotate, [&](int k) { blanked.push_back(k); });
    EXPECT_EQ(blanked, (std::vector<int>{1, 3})); // 1 became upright, 3 shows it
    EXPECT_FLOAT_EQ(model.frame(3).AspectRatio, 0.5f);
    EXPECT_EQ(pixels(3).width(), 2); // turned once, not twice
    blanked.clear();
    model.frame(1).Selected = true;
    page::RotateBitmap(model, page::RotateMode::HorizontalFlip, [&](int k) { blanked.push_back(k); });
    EXPECT_EQ(blanked, std::vector<int>{3});
    EXPECT_FLOAT_EQ(model.frame(3).AspectRatio, 0.5f);
}

TEST_F(FramePictures, RotationShowsItsStatusAndProgressAndHidesThemAtTheEnd)
{
    load(1, numbered(4, 2));
    model.frame(1).Selected = true;
    page::RotateBitmap(model, page::RotateMode::Rotate, {});
    EXPECT_EQ(status.statuses, (std::vector<std::string>{"Image being processed", ""}));
    // 1, then 100 div 4 per frame and 10 for the one turned; never beyond the bar's end.
    EXPECT_EQ(status.progress, (std::vector<int>{1, 26, 36, 61, 86, 100, 0}));
    EXPECT_FALSE(status.progressVisible);
}

TEST_F(FramePictures, WithNothingSelectedRotationOnlyShowsAndHidesItsProgress)
{
    load(1, numbered(4, 2));
    page::RotateBitmap(model, page::RotateMode::Rotate, {});
    EXPECT_EQ(pixels(1).width(), 4);
    EXPECT_FALSE(status.progressVisible);
}

TEST_F(FramePictures, ResamplingHalvesTheSelectedFramesWithTheirStatusTexts)
{
    load(2, numbered(8, 6));
    load(3, numbered(8, 6));
    load(4, numbered(10, 4));
    model.frame(2).Selected = true;
    model.frame(4).Selected = true;
    page::resampleSelected(model, 50, 0);
    EXPECT_EQ(pixels(2).width(), 4);
    EXPECT_EQ(pixels(2).height(), 3);
    EXPECT_EQ(pixels(3).width(), 8); // not selected
    EXPECT_EQ(pixels(4).width(), 5);
    EXPECT_FLOAT_EQ(model.frame(4).AspectRatio, 2.5f);
    EXPECT_EQ(status.statuses, (std::vector<std::string>{"Resampling image 2 to 50% of original image size",
                                                         "Resampling image 4 to 50% of original image size", ""}));
    // Frame 2 of 2 selected is already 100 %.
    EXPECT_EQ(status.progress, (std::vector<int>{1, 100, 100, 0}));
    EXPECT_FALSE(status.progressVisible);
}

// A picture that takes long to resample keeps the window answering all along, not only
// between frames; a frame emptied meanwhile is not given the result.
TEST_F(FramePictures, ResamplingALargePictureKeepsTheWindowAliveWhileItRuns)
{
    load(1, numbered(3000, 2000));
    load(2, numbered(3000, 2000));
    model.frame(1).Selected = true;
    model.frame(2).Selected = true;
    int calls = 0;
    page::resampleSelected(model, 300, 5, [&] {
        ++calls;
        if (calls == 4) // the first frame is being resampled: the user empties the second
            model.emptyFrame(2);
    });
    EXPECT_EQ(pixels(1).width(), 9000);
    EXPECT_GT(calls, 4); // one a frame before its work, and more while the work runs
    EXPECT_FALSE(model.frame(2).Loaded);
}

TEST_F(FramePictures, ResamplingAt100PercentChangesNothingAndShowsNothing)
{
    load(1, numbered(8, 6));
    model.frame(1).Selected = true;
    const imaging::Picture* before = model.pictureShownIn(1);
    const imaging::Bitmap* pixelsBefore = &before->bitmap();
    page::resampleSelected(model, 100, 5);
    EXPECT_EQ(&model.pictureShownIn(1)->bitmap(), pixelsBefore);
    EXPECT_TRUE(status.statuses.empty());
    EXPECT_TRUE(status.progress.empty());
}

TEST_F(FramePictures, ASizeTooSmallToResampleLeavesTheFrameAsItWas)
{
    load(1, numbered(10, 10));
    load(2, numbered(100, 100));
    model.frame(1).Selected = true;
    model.frame(2).Selected = true;
    // 5 % of 10 rounds to a 0 x 0 picture (0.5 goes to the even 0).
    EXPECT_THROW(page::resampleSelected(model, 5, 5), imaging::ImagingError);
    EXPECT_EQ(pixels(1).width(), 10);
    EXPECT_EQ(pixels(2).width(), 100); // the command stopped at frame 1
    EXPECT_FALSE(status.progressVisible);
    EXPECT_EQ(status.statuses.back(), "");
}

TEST_F(FramePictures, GreyIsTheTruncatedMeanOfTheThreeChannels)
{
    imaging::Bitmap bmp(2, 2);
    const std::uint8_t colours[4][3] = {{0, 0, 255}, {0, 1, 1}, {10, 20, 31}, {255, 255, 255}};
    for (int i = 0; i < 4; ++i)
        std::copy(colours[i], colours[i] + 3, bmp.row(i / 2) + 3 * (i % 2));
    load(1, bmp);
    load(2, bmp);
    copyInto(1, {3});
    model.frame(1).Selected = true;
    model.frame(3).Selected = true;
    status.progress.clear();
    EXPECT_TRUE(page::greyscaleSelected(model));
    EXPECT_EQ(at(pixels(1), 0, 0), (Pixel{85, 85, 85}));
    EXPECT_EQ(at(pixels(1), 1, 0), (Pixel{0, 0, 0}));
    EXPECT_EQ(at(pixels(1), 0, 1), (Pixel{20, 20, 20}));
    EXPECT_EQ(at(pixels(1), 1, 1), (Pixel{255, 255, 255}));
    EXPECT_EQ(pixels(1).bytesPerPixel(), 4);
    EXPECT_EQ(at(pixels(2), 0, 0), (Pixel{0, 0, 255})); // not selected
    EXPECT_EQ(status.statuses.back(), "");
    // Progress by frame number over the frame count; the copy (3) is passed over.
    EXPECT_EQ(status.progress, (std::vector<int>{1, 25, 0}));
}

namespace {

// A decimal comma for C++ streams; the C library's comma comes from a compiled locale.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

} // namespace

TEST(FrameStatusText, TheRatioHasThreeSignificantDigitsInEveryLocale)
{
    const auto check = [] {
        EXPECT_EQ(page::ratioText(4.0f / 3.0f), "1.33");
        EXPECT_EQ(page::ratioText(0.75f), "0.75");
        EXPECT_EQ(page::ratioText(2.0f), "2");
        EXPECT_EQ(page::ratioText(0.6666667f), "0.667");
    };
    const std::locale before = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    check();
    const std::string name = support::commaLocale();
    const bool cComma = !name.empty() && std::setlocale(LC_ALL, name.c_str()) != nullptr;
    if (cComma) {
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
        check();
        std::setlocale(LC_ALL, "C");
    }
    std::locale::global(before);
    if (!cComma)
        GTEST_SKIP() << "no C locale with a decimal comma could be made; checked with C++ streams only";
}

} // namespace
