// The on-screen page, offscreen: what the frames look like, what a frame-count change and
// a rebuild do to the pictures, and the marks as pixels of the page.
#include "page/ui/page_view.h"

#include "core/messages.h"
#include "tests/support/bitmaps.h"
#include "tests/support/recording_status.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};
const QRgb kGrey = qRgb(0x80, 0x80, 0x80);
const QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);

using support::RecordingStatus;

// A solid picture; b, g, r in the bitmap's byte order.
std::shared_ptr<imaging::Picture> solidPicture(int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r)
{
    return std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(support::solidBitmap(w, h, b, g, r)));
}

// A page view on default settings (4 frames, 1.333333, 3 mm) in an 800 x 600 window.
struct PageUnderTest {
    PageUnderTest()
    {
        core::setMessages(&messages);
        view.resize(800, 600);
        view.show();
        ok = view.buildPage(800, 600);
    }
    ~PageUnderTest() { core::setMessages(nullptr); }

    void load(int n, std::shared_ptr<imaging::Picture> picture)
    {
        page::FrameRecord& f = model.frame(n);
        f.AspectRatio = static_cast<float>(picture->width()) / static_cast<float>(picture->height());
        f.PictureHolder = std::move(picture);
        f.PictureOwner = n;
        f.Loaded = true;
    }

    QImage grabPage() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QPoint pageOrigin() const { return view.Background()->pos(); }

    core::ScriptedMessages messages;
    settings::Settings s;
    RecordingStatus status;
    page::Page model{s, [] { return kA4At600; }, &status};
    page::PageView view{model};
    bool ok = false;
};

class PageViewTest : public QObject {
    Q_OBJECT

private slots:
    void startUpGivesFourGreyNumberedFramesOnATurnedPage()
    {
        PageUnderTest p;
        QVERIFY(p.ok);
        QVERIFY(p.view.Background()->width() > p.view.Background()->height());
        QCOMPARE(p.view.Background()->geometry(), QRect(99, 60, 602, 425));
        QVERIFY(p.view.FrameImage(5) == nullptr);
        for (int n = 1; n <= 4; ++n) {
            page::FrameControl* f = p.view.FrameImage(n);
            QVERIFY(f != nullptr);
            QCOMPARE(f->size(), QSize(270, 203));
            const QImage& c = f->canvas();
            QCOMPARE(c.pixel(135, 100), kGrey);
            QCOMPARE(c.pixel(268, 200), kGrey); // the fill ends one short of each edge
            QCOMPARE(c.pixel(135, 202), kWhite);
            // The number is written in white in the top-left corner.
            int whiteInCorner = 0;
            for (int y = 1; y < 16; ++y)
                for (int x = 1; x < 12; ++x)
                    whiteInCorner += c.pixel(x, y) == kWhite;
            QVERIFY2(whiteInCorner > 3, "no frame number");
        }
        QCOMPARE(p.view.FrameImage(3)->pos(), QPoint(287, 4));
        QCOMPARE(p.status.printerLine,
                 std::string("Printer : PDF | Image area : 210 mm x 297 mm  | Page Margin : 0 mm |\xC2\xAB"));
        QVERIFY(p.messages.entries().empty());
    }

    void frameCountChangeRebuildsTheFramesAndDropsEveryPicture()
    {
        PageUnderTest p;
        p.load(1, solidPicture(40, 30, 0, 0, 255));
        p.load(3, solidPicture(40, 30, 0, 0, 255));
        std::weak_ptr<imaging::Picture> watch = p.model.frame(1).PictureHolder;
        p.view.updateVisual();
        QSignalSpy cleared(&p.view, &page::PageView::selectionCleared);
        p.view.changeFrameCount(16);
        QCOMPARE(p.model.state().FrameCount, 16);
        QCOMPARE(int(p.s.NumberOfFrames), 16);
        QVERIFY(p.s.Settings_Changed);
        QVERIFY(watch.expired());
        QVERIFY(!p.model.frame(3).Loaded);
        QVERIFY(p.view.FrameImage(16) != nullptr);
        QCOMPARE(p.view.FrameImage(1)->canvas().pixel(60, 50), kGrey);
        QVERIFY(cleared.count() >= 1);
        QVERIFY(p.view.Background()->width() > p.view.Background()->height());
        p.view.changeFrameCount(8);
        QVERIFY(p.view.Background()->width() < p.view.Background()->height());
        QVERIFY(p.view.FrameImage(9) == nullptr);
    }

    void sameFrameCountStillEmptiesThePageButChangesNoSetting()
    {
        PageUnderTest p;
        p.load(2, solidPicture(40, 30, 0, 0, 255));
        p.view.changeFrameCount(4);
        QVERIFY(!p.model.frame(2).Loaded);
        QVERIFY(!p.s.Settings_Changed);
        p.view.changeFrameCount(3); // not a layout: nothing happens
        QCOMPARE(p.model.state().FrameCount, 4);
    }

    void redisplayKeepsThePicturesAndPaintsThemAgain()
    {
        PageUnderTest p;
        p.load(2, solidPicture(40, 30, 0xFF, 0, 0)); // blue
        QPointer<page::FrameControl> before = p.view.FrameImage(2);
        p.view.redisplayPictures();
        QVERIFY(p.view.FrameImage(2) != before.data()); // the controls are new
        QVERIFY(before->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(before.isNull());
        QVERIFY(p.model.frame(2).Loaded);
        QCOMPARE(p.view.FrameImage(2)->canvas().pixel(100, 100), qRgb(0, 0, 0xFF));
        QCOMPARE(p.view.FrameImage(1)->canvas().pixel(100, 100), kGrey);
        QCOMPARE(p.status.statuses.front(), std::string("Updating..."));
        QCOMPARE(p.status.statuses.back(), std::string());
        QCOMPARE(p.status.progress.back(), 100);
    }

    void aPictureIsPaintedInTheRectangleOfItsOwnProportions()
    {
        PageUnderTest p;
        // 203-high frames, 270 wide. A 3:2 picture runs from (2, 2) to Trunc(304.5) - 2 = 302,
        // so it is cut at the frame's right edge; a square one stops at 201 and leaves grey.
        p.load(1, solidPicture(300, 200, 0, 0xFF, 0)); // green
        p.load(2, solidPicture(100, 100, 0, 0, 0xFF)); // red
        p.view.updateVisual();
        const QImage& wide = p.view.FrameImage(1)->canvas();
        const QRgb green = qRgb(0, 0xFF, 0);
        QCOMPARE(wide.pixel(2, 100), green);
        QCOMPARE(wide.pixel(269, 100), green);
        QCOMPARE(wide.pixel(150, 2), green);
        QCOMPARE(wide.pixel(150, 200), green);
        QCOMPARE(wide.pixel(150, 201), kGrey);
        // Painting deselects every frame first: a white one-pixel border from (1, 1).
        QCOMPARE(wide.pixel(1, 100), kWhite);
        QCOMPARE(wide.pixel(150, 202), kWhite);
        const QImage& square = p.view.FrameImage(2)->canvas();
        QCOMPARE(square.pixel(200, 100), qRgb(0xFF, 0, 0));
        QCOMPARE(square.pixel(201, 100), kGrey);
        QCOMPARE(square.pixel(268, 100), kGrey);
    }

    void aPictureFarWiderThanItsFrameIsScaledOnlyWhereItShows()
    {
        PageUnderTest p;
        // Aspect ratio 10000: its rectangle would be two million columns wide.
        p.load(1, solidPicture(20000, 2, 0, 0xFF, 0));
        p.view.updateVisual();
        const QImage& c = p.view.FrameImage(1)->canvas();
        QCOMPARE(c.pixel(2, 2), qRgb(0, 0xFF, 0));
        QCOMPARE(c.pixel(269, 200), qRgb(0, 0xFF, 0));
        QCOMPARE(c.pixel(100, 201), kGrey);
    }

    void aCopyShowsItsSourcesPicture()
    {
        PageUnderTest p;
        p.load(1, solidPicture(40, 30, 0xFF, 0, 0));
        page::FrameRecord& copy = p.model.frame(4);
        copy.Loaded = true;
        copy.PictureOwner = 1;
        copy.CloneOf = 1;
        p.view.updateVisual();
        QCOMPARE(p.view.FrameImage(4)->canvas().pixel(100, 100), qRgb(0, 0, 0xFF));
    }

    void cutMarksAreWhiteWhenOffAndInTheTextColourWhenOn()
    {
        PageUnderTest p;
        p.s.tcol = 0x0000FF; // red, as 0x00BBGGRR
        const QRgb red = qRgb(0xFF, 0, 0);
        const QPoint o = p.pageOrigin();
        // The vertical mark left of the first column is at x = 7 - 9 div 2 = 3, and the
        // horizontal one at y = Trunc(1.5 * 4) + 203 = 209 (see the layout rules).
        auto inkOn = [&](const QImage& img, bool vertical) {
            int n = 0;
            for (int i = 20; i < 200; ++i)
                n += img.pixel(vertical ? QPoint(o.x() + 3, o.y() + i) : QPoint(o.x() + 20 + i, o.y() + 209)) == red;
            return n;
        };
        QImage off = p.grabPage();
        QCOMPARE(inkOn(off, true), 0);
        QCOMPARE(off.pixel(o.x() + 3, o.y() + 100), kWhite);
        p.view.setPrintMarks(true);
        QVERIFY(p.s.PrintMarks);
        QVERIFY(p.s.Settings_Changed);
        QImage on = p.grabPage();
        // Dash-dot: most but not all of the line is inked.
        QVERIFY(inkOn(on, true) > 90);
        QVERIFY(inkOn(on, true) < 180);
        QVERIFY(inkOn(on, false) > 90);
        QCOMPARE(on.pixel(o.x() + 4, o.y() + 100), kWhite);
        p.view.setPrintMarks(false);
        QCOMPARE(inkOn(p.grabPage(), true), 0);
    }

    void textMarksShowAsAStripAboveTheLeftHalfOfEachFrame()
    {
        PageUnderTest p;
        p.s.tcol = 0xFF0000; // blue
        const page::FrameControl* f = p.view.FrameImage(3);
        const QPoint o = p.pageOrigin() + f->pos();
        auto coloured = [&](const QImage& img, int fromX, int toX, int fromY, int toY) {
            int n = 0;
            for (int y = fromY; y < toY; ++y)
                for (int x = fromX; x < toX; ++x)
                    n += qBlue(img.pixel(o.x() + x, o.y() + y)) > 0xC0 && qRed(img.pixel(o.x() + x, o.y() + y)) < 0x80;
            return n;
        };
        QCOMPARE(coloured(p.grabPage(), 0, 270, -4, 0), 0);
        p.view.setPrintProps(true);
        const QImage on = p.grabPage();
        QVERIFY(coloured(on, 3, 135, -2, 0) > 0);
        QCOMPARE(coloured(on, 135, 270, -4, 0), 0); // nothing over the right half
        QCOMPARE(coloured(on, 0, 270, -10, -2), 0); // nothing above the strip
        p.view.setPrintProps(false);
        QCOMPARE(coloured(p.grabPage(), 0, 270, -4, 0), 0);
    }

    void aspectRatioFromASelectedFrameRebuildsThePage()
    {
        PageUnderTest p;
        p.load(1, solidPicture(300, 100, 0, 0, 0xFF)); // 3:1
        p.model.frame(1).Selected = true;
        p.view.ar_BtnClick();
        QCOMPARE(p.s.Global_AspectRatio, 3.0f);
        QVERIFY(p.s.Settings_Changed);
        QVERIFY(!p.model.frame(1).Selected);
        const QSize size = p.view.FrameImage(1)->size();
        QCOMPARE(size.width(), int(size.height() * 3.0f));
    }

    void aspectRatioWithNoSelectionChangesNothingAndANegativeOneWarns()
    {
        PageUnderTest p;
        page::FrameControl* before = p.view.FrameImage(1);
        p.view.ar_BtnClick();
        QCOMPARE(p.view.FrameImage(1), before);
        QVERIFY(!p.s.Settings_Changed);
        p.load(2, solidPicture(30, 40, 0, 0, 0));
        p.model.frame(2).AspectRatio = -0.75f;
        p.model.frame(2).Selected = true;
        p.view.ar_BtnClick();
        QCOMPARE(p.messages.texts(), std::vector<std::string>{std::string(page::kNegativeAspectRatio)});
        QCOMPARE(p.s.Global_AspectRatio, settings::kDefaultAspectRatio);
        QCOMPARE(p.view.FrameImage(1), before);
    }

    void theMouseReportsTheFrameUnderItAndItsClicks()
    {
        PageUnderTest p;
        QSignalSpy down(&p.view, &page::PageView::frameMouseDown);
        QSignalSpy twice(&p.view, &page::PageView::frameDoubleClicked);
        page::FrameControl* f3 = p.view.FrameImage(3);
        QTest::mouseMove(f3, QPoint(50, 50));
        QTRY_COMPARE(int(p.model.state().HotFrame), 3);
        QTest::mouseClick(f3, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 10));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), 3);
        QCOMPARE(down.at(0).at(1).value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(down.at(0).at(2).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
        QTest::mouseDClick(p.view.FrameImage(2), Qt::LeftButton);
        QCOMPARE(twice.count(), 1);
        QCOMPARE(twice.at(0).at(0).toInt(), 2);
        QTest::mouseMove(p.view.PageImage(), QPoint(3, 300));
        QTRY_COMPARE(int(p.model.state().HotFrame), 0);
    }

    void aRebuildAskedForFromAFrameClickLeavesThatFrameAliveUntilItsEventIsOver()
    {
        PageUnderTest p;
        QObject::connect(&p.view, &page::PageView::frameMouseDown, &p.view,
                         [&p](int) { p.view.changeFrameCount(2); });
        QPointer<page::FrameControl> clicked = p.view.FrameImage(4);
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(p.model.state().FrameCount, 2);
        QVERIFY(p.view.FrameImage(4) == nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(clicked.isNull());
    }

    void aNarrowWindowKeepsThePageSize()
    {
        PageUnderTest p;
        const QSize before = p.view.Background()->size();
        p.view.sizeVisualPage(199, 600);
        QCOMPARE(p.view.Background()->size(), before);
        QCOMPARE(p.view.FrameImage(1)->size(), QSize(278, 209)); // the gap is the unscaled 3
    }
};

} // namespace

QTEST_MAIN(PageViewTest)
#include "page_ui_test.moc"
