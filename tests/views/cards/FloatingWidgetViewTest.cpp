// SPDX-License-Identifier: MIT
#include "views/cards/FloatingWidgetView.h"
#include "FloatingWidgetFixture.h"
#include "views/cards/DailyFloatingWidgetView.h"
#include "views/components/NamedColors.h"

#include <QAbstractButton>
#include <QTest>

using namespace brindlemoor;
using namespace brindlemoor::test;

namespace {

using Level = LimitLevel;

class FloatingWidgetViewTest : public FloatingWidgetFixture {
protected:
    void SetUp() override
    {
        FloatingWidgetFixture::SetUp();
        prefs.setDailyLimitMinutes(1);
        manager.configure(context);
    }

    /// Pixels of the trailing group (right of the title) near `color`.
    static int trailingPixelsNear(FloatingCardView& card, const QColor& color)
    {
        const QImage image = render(&card);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = image.width() - 60; x < image.width(); ++x)
                count += near(image.pixelColor(x, y), color, 24) ? 1 : 0;
        return count;
    }
    /// Alpha at a spot of the card that only the fill (and the gloss) covers.
    static int fillAlpha(FloatingCardView& card) { return render(&card).pixelColor(4, 20).alpha(); }

    FloatingWidgetManager manager;
};

} // namespace

TEST_F(FloatingWidgetViewTest, TheTrailingGroupFollowsTheShareOfTheLimitUsed)
{
    activeApps.activate(kEditor);
    FloatingWidgetView editor(kEditor, context, manager);
    DailyFloatingWidgetView daily(context, manager);
    editor.show();
    daily.show();
    EXPECT_EQ(editor.title(), QStringLiteral("Editor"));

    const QColor orange = namedColor(NamedColor::NeonOrange, appearance.scheme());
    const QColor red = namedColor(NamedColor::NeonRed, appearance.scheme());
    // Only the editor is used, so the day's total is the editor's time; both limits are one minute,
    // and both cards warn from 80 % on.
    for (const auto& [usedSoFar, level] : {std::pair{48, Level::Near}, std::pair{60, Level::Reached}}) {
        SCOPED_TRACE(usedSoFar);
        use(kEditor, usedSoFar - static_cast<int>(usage.entries().value(kEditor).cumulativeSeconds));
        for (FloatingCardView* card :
             {static_cast<FloatingCardView*>(&editor), static_cast<FloatingCardView*>(&daily)}) {
            EXPECT_EQ(card->level(), level);
            EXPECT_EQ(trailingPixelsNear(*card, orange) > 0, level == Level::Near);
            EXPECT_EQ(trailingPixelsNear(*card, red) > 0, level == Level::Reached);
            EXPECT_EQ(card->actionButton()->isVisible(), level == Level::Reached);
        }
    }

    // Reset clears the application's time; extend grants the configured minutes at once, and the time comes back.
    QTest::mouseClick(editor.actionButton(), Qt::LeftButton);
    EXPECT_EQ(editor.level(), Level::Under);
    EXPECT_EQ(usage.entries().value(kEditor).sessionSeconds, 0);
    prefs.setShowTimeRemaining(true);
    QTest::mouseClick(daily.actionButton(), Qt::LeftButton);
    EXPECT_EQ(usage.dailyExtension(), 15 * 60);
    EXPECT_EQ(daily.level(), Level::Under);
    EXPECT_EQ(daily.timeText(), QStringLiteral("15m left"));
    EXPECT_FALSE(daily.actionButton()->isVisible());
    EXPECT_EQ(trailingPixelsNear(daily, red), 0);
}

TEST_F(FloatingWidgetViewTest, AnAppWithoutALimitShowsItsTimeAndNoRemainingFill)
{
    activeApps.activate(kUnwatched);
    FloatingWidgetView view(kUnwatched, context, manager);
    view.show();
    EXPECT_EQ(view.title(), kUnwatched) << "no name known: the identifier";
    // The fill shows the share used, which is all of it; the share left is none of it.
    const int usedFill = fillAlpha(view);
    prefs.setShowTimeRemaining(true);
    const int remainingFill = fillAlpha(view);
    EXPECT_GT(usedFill, 150);
    EXPECT_LT(remainingFill, 80) << "only the gloss";
}

TEST_F(FloatingWidgetViewTest, CardsDimWhileTheUserWorksElsewhere)
{
    use(kEditor, 30);
    prefs.setShowTimeRemaining(true);
    activeApps.activate(kEditor);
    FloatingWidgetView editor(kEditor, context, manager);
    FloatingWidgetView browser(kBrowser, context, manager);
    DailyFloatingWidgetView daily(context, manager);
    for (QWidget* card :
         {static_cast<QWidget*>(&editor), static_cast<QWidget*>(&browser), static_cast<QWidget*>(&daily)})
        card->show();
    const int editorBright = fillAlpha(editor);
    const int dailyBright = fillAlpha(daily);
    ASSERT_GT(editorBright, 100);
    EXPECT_NEAR(fillAlpha(browser), 0.6 * editorBright, 3) << "another app is frontmost";

    activeApps.activate(kUnwatched);
    EXPECT_NEAR(fillAlpha(editor), 0.6 * editorBright, 3);
    EXPECT_NEAR(fillAlpha(daily), 0.35 * dailyBright, 3);

    activeApps.activate(kBrowser);
    EXPECT_EQ(fillAlpha(daily), dailyBright) << "any watched app brightens the daily card";
    EXPECT_EQ(fillAlpha(browser), editorBright);
    EXPECT_NEAR(fillAlpha(editor), 0.6 * editorBright, 3);
}
