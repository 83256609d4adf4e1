// SPDX-License-Identifier: MIT
#include "platform/fake/FakeDesktopExtension.h"
#include "views/cards/FloatingWidgetFixture.h"
#include "views/cards/FloatingWidgetPanel.h"
#include "views/components/ExtensionNotice.h"
#include "views/components/PopoverWindow.h"
#include "views/components/ProminentButton.h"
#include "views/popover/AppUsageRowView.h"
#include "views/popover/FennProgressBar.h"
#include "views/popover/MenuRootView.h"
#include "views/popover/UsageList.h"
#include "views/settings/SymbolButton.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace brindlemoor;
using namespace brindlemoor::test;

namespace {

using Dot = MenuCardView::Dot;

class MenuTest : public FloatingWidgetFixture {
protected:
    MenuRootView& open(TodayModel& model)
    {
        menu = std::make_unique<MenuRootView>(MenuContext{appearance, model, catalog, icons, clock, &widgets});
        menu->show();
        return *menu;
    }
    MenuRootView& open()
    {
        widgets.configure(context);
        return open(today);
    }
    QStringList rowIDs() const
    {
        QStringList ids;
        for (const AppUsageRowView* row : menu->usageList()->rows())
            ids << row->usage().id;
        return ids;
    }
    /// The dot as painted: its kind, and the named colour at its centre.
    void expectDot(MenuCardView& card, Dot expected) const
    {
        card.resize(330, MenuCardView::cardHeight + 2);
        card.show();
        EXPECT_EQ(card.dot(), expected);
        if (expected == Dot::None) {
            EXPECT_TRUE(card.dotRect().isEmpty());
            return;
        }
        const QColor color =
            namedColor(expected == Dot::Red ? NamedColor::NeonRed : NamedColor::NeonOrange, appearance.scheme());
        EXPECT_TRUE(near(pixel(render(&card), card.dotRect().center().toPoint()), color, 10));
    }

    FloatingWidgetManager widgets;
    std::unique_ptr<MenuRootView> menu;
};

} // namespace

// The levels themselves are the model's; here each view asks for its own rule and paints its dot.
TEST_F(MenuTest, DotsFromPast80PercentOnARowAndFrom80PercentOnTheDailyBar)
{
    for (const auto& [seconds, dot] : {std::pair{2880.0, Dot::None}, std::pair{3600.0, Dot::Red}}) {
        SCOPED_TRACE(seconds);
        AppUsageRowView row(appearance, {kEditor, QStringLiteral("Editor"), seconds}, {seconds, Limit{60}}, today,
                            icons, nullptr);
        expectDot(row, dot);
        EXPECT_TRUE(row.resetButton()->isVisible());
    }
    for (const auto& [seconds, dot] : {std::pair{5760.0, Dot::Orange}, std::pair{7200.0, Dot::Red}}) {
        SCOPED_TRACE(seconds);
        FennProgressBar bar(appearance, today, nullptr);
        bar.setValues({seconds, Limit{120}}, 15);
        expectDot(bar, dot);
        EXPECT_EQ(bar.extendButton()->isVisible(), dot == Dot::Red);
    }
}

TEST_F(MenuTest, SectionsFollowTheStoresWhileOpen)
{
    prefs.removeApp(kEditor);
    prefs.removeApp(kBrowser);
    use(kEditor, 30);
    MenuRootView& view = open();
    const QString noApps = view.emptyText();
    EXPECT_FALSE(noApps.isEmpty()) << "no app watched, whatever the usage store holds";
    EXPECT_FALSE(view.usageList()->isVisible());

    prefs.addApp(kBrowser);
    EXPECT_NE(view.emptyText(), noApps) << "watched, but no usage yet";
    EXPECT_FALSE(view.emptyText().isEmpty());
    EXPECT_FALSE(view.dailyBar()->isVisible());

    // Watched apps most used first; a watched app's entry from before it was watched counts,
    // one no longer watched never shows.
    prefs.addApp(kEditor);
    use(kUnwatched, 50);
    use(kBrowser, 20);
    EXPECT_EQ(rowIDs(), (QStringList{kEditor, kBrowser}));
    EXPECT_TRUE(view.emptyText().isEmpty());

    // A reset row goes to the end.
    QTest::mouseClick(view.usageList()->rows().at(0)->resetButton(), Qt::LeftButton);
    EXPECT_EQ(usage.entries().value(kEditor).sessionSeconds, 0);
    EXPECT_EQ(rowIDs(), (QStringList{kBrowser, kEditor}));

    // The daily bar comes with a daily limit, and its extend control grants the set minutes.
    prefs.setDailyLimitMinutes(1);
    prefs.setExtendDurationMinutes(10);
    use(kBrowser, 30);
    FennProgressBar* bar = view.dailyBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->dot(), Dot::Red);
    QTest::mouseClick(bar->extendButton(), Qt::LeftButton);
    // Ten minutes from where the day stands: 130 s used of a 60 s limit.
    EXPECT_DOUBLE_EQ(usage.dailyExtension(), 130 - 60 + 10 * 60);
    EXPECT_EQ(bar->dot(), Dot::None);
    EXPECT_FALSE(bar->timeText().isEmpty());
}

TEST_F(MenuTest, TheListShowsUpToTenRowsAndScrollsBeyond)
{
    int watched = 0;
    const struct {
        int apps;
        int height;
        int scroll;
    } cases[] = {{1, 32, 0}, {10, 374, 0}, {11, 374, 38}};
    for (const auto& c : cases) {
        for (; watched < c.apps; ++watched) {
            const QString id = QStringLiteral("org.example.App%1").arg(watched);
            prefs.addApp(id);
            use(id, 20 - watched);
        }
        UsageList* list = open().usageList();
        EXPECT_EQ(list->listHeight(), c.height) << c.apps;
        EXPECT_EQ(list->maximumScroll(), c.scroll) << c.apps;
    }
    // A turn of the wheel brings the eleventh row into the list.
    UsageList* list = menu->usageList();
    const QRect shown = list->rect().marginsRemoved(list->overhang());
    AppUsageRowView* last = list->rows().at(10);
    EXPECT_FALSE(shown.contains(last->geometry().marginsRemoved(MenuCardView::bleed)));
    QWheelEvent wheel(QPointF(50, 50), list->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &wheel);
    EXPECT_EQ(list->scrollOffset(), 38);
    EXPECT_TRUE(shown.contains(last->geometry().marginsRemoved(MenuCardView::bleed)));
}

TEST_F(MenuTest, PauseAndResumeGoThroughTheStore)
{
    // The controller stops and resumes counting on the store's change (its own tests show that).
    MenuRootView& view = open();
    QTest::mouseClick(view.pauseButton(), Qt::LeftButton);
    EXPECT_TRUE(prefs.isMonitoringPaused());
    EXPECT_EQ(view.pauseButton()->symbol(), Symbol::PlayCircle);
    QTest::mouseClick(view.pauseButton(), Qt::LeftButton);
    EXPECT_FALSE(prefs.isMonitoringPaused());
    EXPECT_EQ(view.pauseButton()->symbol(), Symbol::PauseCircle);
}

TEST_F(MenuTest, DraggingEightPointsOutOpensTheWidgetUnderThePointerAndCarriesIt)
{
    use(kEditor, 30);
    prefs.setDailyLimitMinutes(60);
    MenuRootView& view = open();
    AppUsageRowView* row = view.usageList()->rows().at(0);
    const QPoint press(100, 15);

    // Seven points, then release: nothing.
    QTest::mousePress(row, Qt::LeftButton, {}, press);
    QTest::mouseMove(row, press + QPoint(7, 0));
    QTest::mouseRelease(row, Qt::LeftButton, {}, press + QPoint(7, 0));
    EXPECT_TRUE(widgets.activePanelIDs().isEmpty());
    EXPECT_TRUE(storedPositions().isEmpty());

    const auto centreOf = [](const FloatingWidgetPanel* panel) {
        return panel->pos() + QPoint(panel->width() / 2, panel->height() / 2);
    };
    QTest::mousePress(row, Qt::LeftButton, {}, press);
    QTest::mouseMove(row, press + QPoint(0, 8));
    FloatingWidgetPanel* panel = widgets.panel(kEditor);
    ASSERT_TRUE(panel);
    EXPECT_TRUE(row->isDraggingOut());
    const QPoint far = press + QPoint(300, 200);
    QTest::mouseMove(row, far);
    EXPECT_EQ(centreOf(panel), row->mapToGlobal(far));
    QTest::mouseRelease(row, Qt::LeftButton, {}, far);
    EXPECT_FALSE(row->isDraggingOut());
    EXPECT_EQ(storedPositions().value(kEditor).toObject().value(QStringLiteral("x")).toInt(), panel->x());

    // The daily bar opens the daily widget the same way.
    FennProgressBar* bar = view.dailyBar();
    QTest::mousePress(bar, Qt::LeftButton, {}, press);
    QTest::mouseMove(bar, press + QPoint(6, 6));
    ASSERT_TRUE(widgets.dailyPanel());
    QTest::mouseMove(bar, far);
    EXPECT_EQ(centreOf(widgets.dailyPanel()), bar->mapToGlobal(far));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, far);
    EXPECT_TRUE(defaults.value(keys::floatingWidgetDailyPosition).isValid());
}

TEST_F(MenuTest, CtrlQQuitsWhileThePopoverHasTheKeyboard)
{
    PopoverWindow popover(appearance);
    auto* view = new MenuRootView({appearance, today, catalog, icons, clock, nullptr});
    QSignalSpy quits(view, &MenuRootView::quitRequested);
    popover.showPopover(view, PopoverAnchor::fromRect(QRect(400, 0, 24, 24)));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&popover));
    QTest::keyClick(&popover, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits.count(), 1);
    QTest::mouseClick(view->quitButton(), Qt::LeftButton);
    EXPECT_EQ(quits.count(), 2);
}

TEST_F(MenuTest, TheExtensionNoticeSwitchesOnOnlyAtAClickAndGivesItsRoomBackWhenGone)
{
    using State = DesktopExtension::State;
    use(kEditor, 30);
    FakeDesktopExtension extension(State::Off);
    PopoverWindow popover(appearance);
    auto* view = new MenuRootView({appearance, today, catalog, icons, clock, nullptr, &extension});
    popover.showPopover(view, PopoverAnchor::fromRect(QRect(400, 0, 24, 24)));
    ExtensionNotice* notice = view->extensionNotice();
    ASSERT_TRUE(notice->isVisible());
    EXPECT_FALSE(notice->text().isEmpty());
    EXPECT_LT(view->settingsButton()->geometry().bottom(), notice->geometry().top()) << "under the header";
    EXPECT_LE(notice->geometry().bottom(), view->usageList()->geometry().top()) << "above today's usage";
    ProminentButton* button = notice->turnOnButton();
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(extension.enables, 0) << "showing it switches nothing on";
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(extension.enables, 1);

    // Switched on for the next log-in: the line stays, without a button to press again.
    const auto settle = [] {
        // The column relayouts, then the window around it: one round of layout requests each.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    };
    extension.setState(State::WaitingForLogIn);
    settle();
    EXPECT_TRUE(notice->isVisible());
    EXPECT_FALSE(button->isVisible());

    // Running: the notice goes, and the list and the popover give back all the room it took.
    const int room = notice->height() + MenuRootView::spacing;
    const int listTop = view->usageList()->y();
    const int panelHeight = popover.panelRect().height();
    extension.setState(State::NotNeeded);
    settle();
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(view->usageList()->y(), listTop - room);
    EXPECT_EQ(popover.panelRect().height(), panelHeight - room);
}
