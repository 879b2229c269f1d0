// The scanner session against a scripted source behind DSM_Entry (no scanner, no Qt), the
// bitmap conversion of what sources send, and placing images into frames.
#include "twain/core/source_manager.h"
#include "twain/core/twain.h"

#include "core/messages.h"
#include "page/core/frame_commands.h"
#include "page/core/loading.h"
#include "page/core/page.h"
#include "settings/core/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <set>
#include <utility>
#include <vector>

using namespace twain;

namespace {

// A packed DIB of w x h 24-bit pixels, each (b, g, r) = (x, y, seed), in a malloc'd block.
void* makeDib(int w, int h, std::uint8_t seed)
{
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t(3);
    auto* d = static_cast<std::uint8_t*>(std::calloc(1, 40 + stride * h));
    const std::uint32_t head[] = {40, static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h)};
    std::memcpy(d, head, sizeof head);
    d[12] = 1;
    d[14] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = d + 40 + (h - 1 - y) * stride + x * 3;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = seed;
        }
    return d;
}

// The scripted source and manager: every call is recorded; the script says what fails,
// which notices the events carry and what each MSG_GET answers.
struct Script {
    std::set<std::pair<TW_UINT16, TW_UINT16>> failing; // (DAT, MSG) answered TWRC_FAILURE
    std::set<std::pair<TW_UINT16, TW_UINT16>> cancelling; // (DAT, MSG) answered TWRC_CANCEL
    std::deque<TW_UINT16> notices;                      // TWMessage of successive events
    std::deque<TW_UINT16> transfers;                    // answers to MSG_GET; failure when empty
    std::deque<TW_UINT16> counts;                       // ENDXFER's pending counts; 0 when empty
    int endlessImages = 0;                              // answer this many XFERDONE before the list
    std::vector<std::pair<TW_UINT16, TW_UINT16>> calls;
    int imageSeed = 0;
    TW_UINT16 condition = TWCC_SUCCESS;

    TW_UINT16 answer(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
    {
        calls.emplace_back(dat, msg);
        if (failing.count({dat, msg})) {
            condition = TWCC_OPERATIONERROR;
            return TWRC_FAILURE;
        }
        if (cancelling.count({dat, msg}))
            return TWRC_CANCEL;
        if (dat == DAT_STATUS) {
            static_cast<TW_STATUS*>(data)->ConditionCode = condition;
            return TWRC_SUCCESS;
        }
        if (dat == DAT_EVENT) {
            auto* ev = static_cast<TW_EVENT*>(data);
            ev->TWMessage = MSG_NULL;
            if (notices.empty())
                return TWRC_NOTDSEVENT;
            ev->TWMessage = notices.front();
            notices.pop_front();
            return TWRC_DSEVENT;
        }
        if (dat == DAT_IMAGENATIVEXFER)
            return transfer(static_cast<TW_HANDLE*>(data));
        if (dat == DAT_PENDINGXFERS) {
            TW_UINT16 count = endlessImages > 0 ? 1 : 0;
            if (msg == MSG_ENDXFER && !counts.empty()) {
                count = counts.front();
                counts.pop_front();
            }
            static_cast<TW_PENDINGXFERS*>(data)->Count = msg == MSG_RESET ? 0 : count;
        }
        return TWRC_SUCCESS;
    }

    TW_UINT16 transfer(TW_HANDLE* handle)
    {
        TW_UINT16 rc = TWRC_FAILURE;
        if (endlessImages > 0) {
            --endlessImages;
            rc = TWRC_XFERDONE;
        } else if (!transfers.empty()) {
            rc = transfers.front();
            transfers.pop_front();
        }
        if (rc == TWRC_XFERDONE) {
            ++imageSeed;
            *handle = makeDib(4 + imageSeed % 3, 3, static_cast<std::uint8_t>(imageSeed));
        }
        return rc;
    }

    int count(TW_UINT16 dat, TW_UINT16 msg) const
    {
        return static_cast<int>(std::count(calls.begin(), calls.end(), std::make_pair(dat, msg)));
    }
};

Script* g_script = nullptr;

TW_UINT16 scriptedEntry(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    return g_script->answer(dat, msg, data);
}

class ScriptedLoader final : public SourceManagerLoader {
public:
    bool present = true;
    DSMENTRYPROC load() override { return present ? &scriptedEntry : nullptr; }
    void unload() override {}
    std::string libraryName() const override { return std::string(kSourceManagerLibrary); }
};

// Messages come while events are left; then the platform reports the program quitting.
class ScriptedPlatform final : public Platform {
public:
    int eventsLeft = 50;
    int proxies = 0;
    bool isWindow(Window w) override { return w != nullptr; }
    Window createProxyWindow() override
    {
        ++proxies;
        return this;
    }
    void destroyProxyWindow(Window) override { --proxies; }
    void enableWindow(Window, bool) override {}
    bool getMessage(void*& msg) override
    {
        msg = &m_msg;
        return eventsLeft-- > 0;
    }
    void dispatchMessage(void*) override {}

private:
    PlatformMessage m_msg;
};

class Session : public ::testing::Test {
protected:
    void SetUp() override { g_script = &script; }
    Script script;
    ScriptedLoader loader;
    ScriptedPlatform platform;
    core::ScriptedMessages messages;
    MultiTWAIN session{platform, loader, messages};
};

} // namespace

TEST_F(Session, FeederRunWalksEveryStateAndKeepsTheImagesInOrder)
{
    script.notices = {MSG_XFERREADY};
    script.transfers = {TWRC_XFERDONE, TWRC_XFERDONE, TWRC_XFERDONE};
    script.counts = {1, 1, 0};
    ImageHandle last = session.acquireImages(nullptr, 0);

    EXPECT_EQ(session.stateTrail(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 6, 7, 6, 7, 5, 4, 3, 2, 1}));
    ASSERT_EQ(session.acquiredImageCount(), 3);
    EXPECT_EQ(last, session.acquiredImage(2));
    EXPECT_EQ(DibToImage(session.acquiredImage(0)).row(0)[2], 1);
    EXPECT_EQ(DibToImage(session.acquiredImage(2)).row(0)[2], 3);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(platform.proxies, 0);
    EXPECT_EQ(script.count(DAT_PENDINGXFERS, MSG_ENDXFER), 3);
}

TEST_F(Session, EveryFailingStepIsReportedAndTornDownToStateOne)
{
    const struct {
        TW_UINT16 dat, msg;
        std::string text;
        int deepest; // the highest state the session reached
    } cases[] = {
        {DAT_PARENT, MSG_OPENDSM, std::string(kUnableToOpen) + std::string(kSourceManagerLibrary) + ")", 2},
        {DAT_IDENTITY, MSG_OPENDS, std::string(kReportLastError) + "\n" + std::string(kNoDefaultSource), 3},
        {DAT_USERINTERFACE, MSG_ENABLEDS, std::string(kReportLastError) + "\n" + std::string(kEnableFailed), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Script s;
        s.failing = {{c.dat, c.msg}};
        g_script = &s;
        messages.clear();
        EXPECT_EQ(session.acquireImages(nullptr, 0), nullptr);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.text});
        EXPECT_EQ(session.state(), 1);
        EXPECT_EQ(session.acquiredImageCount(), 0);
        // What was opened was closed again, and nothing else.
        EXPECT_EQ(s.count(DAT_PARENT, MSG_CLOSEDSM), c.deepest >= 3 ? 1 : 0);
        EXPECT_EQ(s.count(DAT_IDENTITY, MSG_CLOSEDS), c.deepest >= 4 ? 1 : 0);
    }
    // The condition code was asked for at the moment of the failure.
    EXPECT_EQ(session.lastConditionCode(), TWCC_OPERATIONERROR);
}

TEST_F(Session, MissingLibraryIsReportedByBothSteps)
{
    loader.present = false;
    const std::string text = std::string(kUnableToLoad) + std::string(kSourceManagerLibrary) + ")";
    EXPECT_FALSE(session.selectImageSource(nullptr));
    EXPECT_EQ(session.acquireImages(nullptr, 0), nullptr);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{text, text}));
    EXPECT_EQ(session.state(), 1);
    EXPECT_EQ(platform.proxies, 0);

    // The real loader, pointed at a folder without the library, says the same.
    LibraryLoader real(sourceManagerCandidates({"/nonexistent-folder"}));
    EXPECT_EQ(real.load(), nullptr);
}

TEST_F(Session, CancelledTransferThenGoodOneGivesOneImage)
{
    script.notices = {MSG_XFERREADY, MSG_NULL, MSG_XFERREADY};
    script.transfers = {TWRC_CANCEL, TWRC_XFERDONE};
    ImageHandle last = session.acquireImages(nullptr, 0);
    ASSERT_EQ(session.acquiredImageCount(), 1);
    EXPECT_EQ(last, session.acquiredImage(0));
    EXPECT_EQ(session.stateTrail(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 5, 6, 7, 5, 4, 3, 2, 1}));
}

TEST_F(Session, ClosingTheDialogWithoutScanningGivesNothing)
{
    script.notices = {MSG_NULL, MSG_CLOSEDSREQ};
    EXPECT_EQ(session.acquireImages(nullptr, 0), nullptr);
    EXPECT_EQ(session.acquiredImageCount(), 0);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(session.state(), 1);
    EXPECT_EQ(script.count(DAT_USERINTERFACE, MSG_DISABLEDS), 1);
}

TEST_F(Session, SourceThatKeepsFailingTheTransferIsResetNotLoopedOn)
{
    script.notices = {MSG_XFERREADY, MSG_CLOSEDSREQ};
    EXPECT_EQ(session.acquireImages(nullptr, 0), nullptr);
    EXPECT_EQ(script.count(DAT_IMAGENATIVEXFER, MSG_GET), kMaxFailedTransfers);
    EXPECT_EQ(script.count(DAT_PENDINGXFERS, MSG_RESET), 1);
    EXPECT_EQ(session.state(), 1);
}

TEST_F(Session, TransfersPastTheListAreResetAndNotKept)
{
    script.notices = {MSG_XFERREADY};
    script.endlessImages = kMaxImages + 6;
    session.acquireImages(nullptr, 0);
    EXPECT_EQ(session.acquiredImageCount(), kMaxImages);
    EXPECT_EQ(script.count(DAT_IMAGENATIVEXFER, MSG_GET), kMaxImages);
    EXPECT_EQ(script.count(DAT_PENDINGXFERS, MSG_RESET), 1);
    EXPECT_EQ(session.state(), 1);
}

TEST_F(Session, ProgramQuittingInTheMiddleOfTransfersStillEndsInStateOne)
{
    // The quit comes while the source still reports pages pending and MSG_GET fails.
    script.notices = {MSG_XFERREADY};
    script.transfers = {TWRC_XFERDONE};
    script.counts = {1};
    platform.eventsLeft = 1;
    session.acquireImages(nullptr, 0);
    EXPECT_EQ(session.state(), 1);
    EXPECT_EQ(session.acquiredImageCount(), 1);
}

TEST(Dib, GreyAndColourRowsComeOutTopDownAsBlueGreenRed)
{
    // 2 x 2, 8-bit with a 2-entry table (colours used = 2), bottom row first.
    std::vector<std::uint8_t> grey(40 + 8 + 8, 0);
    const std::uint32_t head[] = {40, 2, 2};
    std::memcpy(grey.data(), head, sizeof head);
    grey[12] = 1;
    grey[14] = 8;
    grey[32] = 2;
    const std::uint8_t table[] = {10, 20, 30, 0, 200, 210, 220, 0};
    std::memcpy(grey.data() + 40, table, sizeof table);
    const std::uint8_t rows[] = {0, 1, 0, 0, 1, 1, 0, 0}; // bottom: 0 1; top: 1 1
    std::memcpy(grey.data() + 48, rows, sizeof rows);
    const imaging::Bitmap g = dibToBitmap(grey.data(), grey.size());
    ASSERT_EQ(g.width(), 2);
    EXPECT_EQ(g.row(0)[0], 200);
    EXPECT_EQ(g.row(1)[0], 10);
    EXPECT_EQ(g.row(1)[5], 220);

    void* colour = makeDib(5, 3, 77);
    const imaging::Bitmap c = DibToImage(colour);
    EXPECT_EQ(acquiredImageWidth(colour), 5);
    EXPECT_EQ(acquiredImageHeight(colour), 3);
    EXPECT_EQ(c.row(2)[4 * 3 + 0], 4);
    EXPECT_EQ(c.row(2)[4 * 3 + 1], 2);
    EXPECT_EQ(c.row(2)[4 * 3 + 2], 77);
    std::free(colour);
}

TEST(Dib, HostileHeadersAreRefusedNotRead)
{
    std::vector<std::uint8_t> d(40 + 16, 0); // room for 2 x 2 at 24 bits
    auto set = [&](std::uint32_t w, std::int32_t h, std::uint16_t bits, std::uint32_t compression) {
        const std::uint32_t head[] = {40, w, static_cast<std::uint32_t>(h)};
        std::memcpy(d.data(), head, sizeof head);
        d[12] = 1;
        std::memcpy(d.data() + 14, &bits, 2);
        std::memcpy(d.data() + 16, &compression, 4);
    };
    set(2, 2, 24, 0);
    EXPECT_NO_THROW(dibToBitmap(d.data(), d.size()));
    set(2, 3, 24, 0); // one row more than the block holds
    EXPECT_THROW(dibToBitmap(d.data(), d.size()), TwainError);
    set(0x7fffffff, 0x7fffffff, 24, 0);
    EXPECT_THROW(dibToBitmap(d.data(), d.size()), TwainError);
    set(2, 2, 24, 1); // RLE
    EXPECT_THROW(dibToBitmap(d.data(), d.size()), TwainError);
    set(2, 2, 7, 0);
    EXPECT_THROW(dibToBitmap(d.data(), d.size()), TwainError);
    EXPECT_THROW(dibToBitmap(d.data(), 3), TwainError);
    d[0] = 99; // no header size this reads
    EXPECT_THROW(dibToBitmap(d.data(), d.size()), TwainError);
}

namespace {

class Placing : public Session {
protected:
    void SetUp() override
    {
        Session::SetUp();
        page = std::make_unique<page::Page>(cfg, [] { return page::PrinterMetrics{"P", 300, 300, 2400, 3300}; });
        page->setFrameCount(4);
    }
    settings::Settings cfg;
    std::unique_ptr<page::Page> page;
};

} // namespace

TEST_F(Placing, ImagesFillSelectedFramesInOrderAndExtrasAreDroppedWithOneMessage)
{
    page->frame(2).Selected = true;
    page->frame(4).Selected = true;
    // Frame 4 already holds a picture: it is emptied and refilled.
    page->frame(4).Loaded = true;
    page->frame(4).PictureOwner = 4;
    page->frame(4).FileName = "/photos/a.jpg";
    page->frame(4).PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(imaging::Bitmap(8, 8)));
    script.notices = {MSG_XFERREADY};
    script.transfers = {TWRC_XFERDONE, TWRC_XFERDONE, TWRC_XFERDONE};
    script.counts = {1, 1, 0};
    std::vector<int> emptied;
    loadFromTwain(session, *page, messages, {[&](int n) { emptied.push_back(n); }, {}});

    EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(kExtraImages)});
    EXPECT_EQ(emptied, std::vector<int>{4});
    for (int n : {2, 4}) {
        const page::FrameRecord& f = page->frame(n);
        EXPECT_TRUE(f.Loaded && f.NotFromFile);
        EXPECT_EQ(f.FileName, kTwainImageName);
        EXPECT_EQ(f.Details, kTwainImageName);
        EXPECT_FALSE(f.Selected);
    }
    // Image 1 is 5 x 3 (seed 1), image 2 is 6 x 3.
    EXPECT_FLOAT_EQ(page->frame(2).AspectRatio, 5.0f / 3.0f);
    EXPECT_FLOAT_EQ(page->frame(4).AspectRatio, 2.0f);
    EXPECT_EQ(page->pictureShownIn(4)->bitmap().row(0)[2], 2);
    EXPECT_FALSE(page->frame(1).Loaded || page->frame(3).Loaded);

    // Export refuses a scanned picture as it refuses a pasted one.
    page->frame(2).Selected = true;
    page::FrameCommands commands(*page);
    EXPECT_EQ(commands.exportPlan().kind, page::ExportPlan::Kind::Refused);
}

TEST_F(Placing, CurveOnLoadRunsOnlyWhenTheSettingAsks)
{
    std::vector<int> curved;
    const PlaceHooks hooks{{}, [&](page::Page&, int n) { curved.push_back(n); }};
    for (bool on : {false, true}) {
        cfg.En_CurveOnLoad = on;
        page->frame(1).Selected = true;
        void* image = makeDib(4, 4, 1);
        EXPECT_TRUE(AddTwainImage(*page, image, messages, hooks));
        std::free(image);
    }
    EXPECT_EQ(curved, std::vector<int>{1});
}

TEST_F(Placing, BrokenImageLeavesTheFrameAsItWasButDeselected)
{
    page->frame(1).Selected = true;
    page->frame(1).Loaded = true;
    page->frame(1).FileName = "/photos/a.jpg";
    page->frame(1).PictureOwner = 1;
    auto* bad = static_cast<std::uint8_t*>(std::calloc(1, 64));
    bad[0] = 40;
    bad[4] = 200; // 200 x 200 pixels claimed in 64 bytes
    bad[8] = 200;
    bad[12] = 1;
    bad[14] = 24;
    EXPECT_TRUE(AddTwainImage(*page, bad, messages));
    std::free(bad);
    EXPECT_EQ(page->frame(1).FileName, "/photos/a.jpg");
    EXPECT_FALSE(page->frame(1).Selected);
    EXPECT_EQ(messages.texts().size(), 1u);
}

TEST_F(Placing, ScanMeantForACloneSourceGoesToTheNextSelectedFrame)
{
    // Frame 1 holds a picture that frame 2 shows as a copy; frames 1 and 3 are selected.
    page->frame(1).Loaded = true;
    page->frame(1).PictureOwner = 1;
    page->frame(1).FileName = "/photos/a.jpg";
    page->frame(1).PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(imaging::Bitmap(8, 8)));
    page->frame(1).Selected = true;
    page->frame(2).Selected = true;
    page::FrameCommands commands(*page);
    commands.PopupFrame = 1;
    commands.frameCopy();
    page->frame(1).Selected = false;
    ASSERT_EQ(commands.framePaste(), std::vector<int>{2});
    page->frame(2).Selected = false;
    page->frame(1).Selected = page->frame(3).Selected = true;
    core::setMessages(&messages);
    script.notices = {MSG_XFERREADY};
    script.transfers = {TWRC_XFERDONE, TWRC_XFERDONE};
    script.counts = {1, 0};
    loadFromTwain(session, *page, messages);
    core::setMessages(nullptr);

    // As with files: the source keeps its picture and the first page waits for frame 3.
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{page::clonedFrameMessage(1), std::string(kExtraImages)}));
    EXPECT_EQ(page->frame(1).FileName, "/photos/a.jpg");
    EXPECT_EQ(page->pictureShownIn(2), page->pictureShownIn(1));
    ASSERT_TRUE(page->frame(3).Loaded);
    EXPECT_EQ(page->pictureShownIn(3)->bitmap().row(0)[2], 1);
    EXPECT_FALSE(page->frame(4).Loaded);
    EXPECT_FALSE(page->anySelected());
}

TEST_F(Placing, CancelInTheSourceChooserEndsTheSessionWithNothingScanned)
{
    page->frame(1).Selected = true;
    script.cancelling = {{DAT_IDENTITY, MSG_USERSELECT}};
    script.notices = {MSG_XFERREADY};
    script.transfers = {TWRC_XFERDONE};
    loadFromTwain(session, *page, messages);
    EXPECT_EQ(script.count(DAT_IDENTITY, MSG_OPENDS), 0);
    EXPECT_EQ(session.acquiredImageCount(), 0);
    EXPECT_FALSE(page->frame(1).Loaded);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(session.state(), 1);
}
