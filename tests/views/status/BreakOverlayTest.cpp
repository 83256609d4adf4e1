// SPDX-License-Identifier: MIT
#include "platform/fake/FakeWindowSystem.h"
#include "platform/fake/ManualScheduler.h"
#include "support/WidgetTesting.h"
#include "views/status/BreakOverlayController.h"
#include "views/status/BreakOverlayView.h"
#include "views/status/OverlayButton.h"

#include <QApplication>
#include <QFont>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <chrono>

using namespace brindlemoor;
using namespace std::chrono_literals;

namespace {

class BreakOverlayTest : public ::testing::Test {
protected:
    void SetUp() override { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 13)); }

    void advance(std::chrono::milliseconds duration) { scheduler.advance(duration); }
    std::function<void()> countingExtend(int& count)
    {
        return [&count] { ++count; };
    }
    static void click(OverlayButton& button)
    {
        QTest::mouseClick(&button, Qt::LeftButton, {}, button.capsuleRect().center().toPoint());
    }

    Appearance appearance;
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(15, 0))};
    ManualScheduler scheduler{clock};
    FakeWindowSystem windowSystem;
    BreakOverlayController overlay{appearance, scheduler, windowSystem};
};

} // namespace

TEST_F(BreakOverlayTest, CoversThePrimaryScreenAboveEverything)
{
    overlay.show(15, {});
    ASSERT_TRUE(overlay.isShown());
    BreakOverlayView& view = *overlay.view();
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_EQ(windowSystem.aboveEverything, QList<QWindow*>{view.windowHandle()});
    EXPECT_FALSE(view.seeThrough()) << "without a compositor the capture is the backdrop";
    EXPECT_TRUE(view.closeButton().showsCountdown() && !view.extendButton().showsCountdown());

    windowSystem.compositor = true;
    overlay.show(1, {});
    EXPECT_TRUE(overlay.view()->seeThrough());
}

TEST_F(BreakOverlayTest, BackdropDarkensTowardTheMiddleBehindWhiteText)
{
    BreakOverlayView view(scheduler, 15, {}, Scheme{.dark = true}, false);
    view.resize(1280, 800);
    view.setEntrance(1);
    const QImage image = test::render(&view);

    // The shade is clear at the edges and 62 % black in the middle, over the plain dark backdrop.
    EXPECT_GT(image.pixelColor(20, 400).alpha(), image.pixelColor(20, 1).alpha() + 40);
    EXPECT_NEAR(image.pixelColor(20, 1).alpha(), image.pixelColor(20, 798).alpha(), 3);

    // The headline sits just above the middle, in white; the backdrop alone has no bright pixels.
    int bright = 0;
    for (int y = 300; y < 420; ++y)
        for (int x = 200; x < 1080; ++x)
            bright += image.pixelColor(x, y).lightness() > 200 ? 1 : 0;
    EXPECT_GT(bright, 500);
    EXPECT_LT(image.pixelColor(20, 400).lightness(), 60);
}

TEST_F(BreakOverlayTest, CountdownRingEmptiesClockwiseFromTheTopOverSevenSecondsThenCloses)
{
    int extended = 0;
    overlay.show(15, countingExtend(extended));
    QPointer<BreakOverlayView> view = overlay.view();
    OverlayButton& close = view->closeButton();
    const QImage full = test::render(&close);
    advance(3500ms);
    EXPECT_NEAR(close.timerProgress(), 0.5, 0.01);
    const QImage half = test::render(&close);
    close.setTimerProgress(0);
    const QImage empty = test::render(&close);

    // Half way, the ring from twelve clockwise to six is still drawn and the other half is gone.
    QList<QPoint> ring;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x)
            if (full.pixel(x, y) != empty.pixel(x, y))
                ring.append({x, y});
    ASSERT_GT(ring.size(), 20);
    double centreX = 0;
    for (const QPoint& p : ring)
        centreX += p.x() / static_cast<double>(ring.size());
    const auto halfShows = [&](const QPoint& p) { return half.pixel(p) == (p.x() > centreX ? full : empty).pixel(p); };
    EXPECT_GT(std::count_if(ring.begin(), ring.end(), halfShows), ring.size() * 9 / 10);

    advance(3400ms);
    EXPECT_TRUE(overlay.isShown());
    advance(200ms);
    EXPECT_FALSE(overlay.isShown());
    EXPECT_FALSE(view && view->isVisible());
    EXPECT_EQ(extended, 0);
}

TEST_F(BreakOverlayTest, ChoicesActOnceAndTheSelfCloseThenDoesNothing)
{
    struct Case {
        const char* name;
        std::function<void(BreakOverlayView&)> choose;
        int extensions;
    };
    const Case cases[] = {
        {"extend", [](BreakOverlayView& v) { click(v.extendButton()); }, 1},
        {"close", [](BreakOverlayView& v) { click(v.closeButton()); }, 0},
        {"by keys: from Close, which has the focus, Tab to Extend, then Return",
         [](BreakOverlayView& v) {
             ASSERT_EQ(v.window()->focusWidget(), &v.closeButton());
             QTest::keyClick(&v.closeButton(), Qt::Key_Tab);
             QTest::keyClick(v.window()->focusWidget(), Qt::Key_Return);
         },
         1},
        {"backdrop", [](BreakOverlayView& v) { QTest::mouseClick(&v, Qt::LeftButton, {}, QPoint(20, 20)); }, 0},
        {"beside the buttons",
         [](BreakOverlayView& v) {
             OverlayButton& close = v.closeButton();
             const QPoint left = close.mapTo(&v, close.capsuleRect().topLeft().toPoint()) - QPoint(30, -10);
             QTest::mouseClick(&v, Qt::LeftButton, {}, left);
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int extended = 0;
        overlay.show(15, countingExtend(extended));
        QPointer<BreakOverlayView> view = overlay.view();
        advance(2s);
        c.choose(*view);
        EXPECT_EQ(extended, c.extensions);
        EXPECT_FALSE(overlay.isShown());
        EXPECT_FALSE(view && view->isVisible());

        // A new overlay shown after the choice lives its own full seven seconds.
        int laterExtended = 0;
        advance(1s);
        overlay.show(15, countingExtend(laterExtended));
        advance(5500ms); // past the first overlay's seven seconds
        EXPECT_TRUE(overlay.isShown());
        EXPECT_EQ(extended, c.extensions);
        advance(2s);
        EXPECT_FALSE(overlay.isShown());
        EXPECT_EQ(laterExtended, 0);
    }
}

TEST_F(BreakOverlayTest, SecondShowReplacesTheFirstAtOnce)
{
    int firstExtended = 0;
    int secondExtended = 0;
    overlay.show(15, countingExtend(firstExtended));
    QPointer<BreakOverlayView> first = overlay.view();
    advance(5s);
    overlay.show(30, countingExtend(secondExtended));
    QPointer<BreakOverlayView> second = overlay.view();
    ASSERT_NE(first, second);
    EXPECT_FALSE(first && first->isVisible());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->extendButton().text(), QStringLiteral("Extend for 30 min"));

    advance(4s); // the first overlay's seven seconds are over; the second has two to go
    ASSERT_TRUE(overlay.isShown());
    click(second->extendButton());
    click(second->extendButton());
    EXPECT_EQ(firstExtended, 0);
    EXPECT_EQ(secondExtended, 1);
    EXPECT_FALSE(overlay.isShown());

    overlay.dismiss(true); // nothing shown: nothing to do
    EXPECT_FALSE(overlay.isShown());
}
