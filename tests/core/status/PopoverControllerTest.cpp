// SPDX-License-Identifier: MIT
#include "core/status/PopoverController.h"
#include "core/model/SettingsKeys.h"
#include "platform/fake/FakeSources.h"
#include "support/VirtualDay.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace brindlemoor;
using namespace std::chrono_literals;
using Kind = PopoverKind;

namespace {

class FakeTray final : public TrayIcon {
public:
    void setIcon(const QIcon&) override {}
    QRect iconGeometry() const override { return geometry; }
    void click(TrayClick click) { Q_EMIT clicked(click); }
    QRect geometry;
};

/// Popovers as sets of what is shown; a press closes each one the pointer is not in.
class FakePopovers final : public PopoverHost {
public:
    bool isShown(Kind kind) const override { return shown.count(kind) > 0; }
    void show(Kind kind, const PopoverAnchor& anchor) override
    {
        shown.insert(kind);
        anchors[kind] = anchor;
        ++openings[kind];
        Q_EMIT visibilityChanged();
    }
    void close(Kind kind) override
    {
        if (shown.erase(kind) > 0)
            Q_EMIT visibilityChanged();
    }
    void reshowSettings(const PopoverAnchor& anchor) override { reshownAt.push_back(anchor); }
    void pressedAnywhere(Kind kind) override
    {
        if (pointerIn != kind)
            close(kind);
    }

    std::set<Kind> shown;
    std::map<Kind, PopoverAnchor> anchors;
    std::map<Kind, int> openings;
    std::vector<PopoverAnchor> reshownAt;
    std::optional<Kind> pointerIn;
};

const QRect kIcon(1200, 0, 24, 24);
const TrayClick kPlain{TrayClick::Button::Primary, QPoint(1210, 12), kIcon, false};
const TrayClick kAlt{TrayClick::Button::Primary, QPoint(1210, 12), kIcon, true};
const TrayClick kMiddle{TrayClick::Button::Middle, QPoint(1210, 12), kIcon, false};

struct Harness : test::VirtualDay {
    explicit Harness(bool seenWelcome = true)
    {
        if (seenWelcome)
            defaults.setValue(keys::hasSeenWelcome, true);
        tray.geometry = kIcon;
    }
    bool monitoring() const { return controller.clickMonitor().isRunning(); }
    void press() { clicks.click(); }

    FakeClickSource clicks;
    FakeTray tray;
    FakePopovers popovers;
    PopoverController controller{{defaults, clock, scheduler, clicks, tray, popovers}};
};

} // namespace

TEST(PopoverController, FirstLaunchWelcomesUnderTheTrayItemAndLeadsIntoTheSettings)
{
    Harness h(false);
    h.controller.scheduleWelcomeOffer();
    h.scheduler.advance(299ms);
    EXPECT_FALSE(h.popovers.isShown(Kind::Welcome));
    h.scheduler.advance(1ms);
    ASSERT_TRUE(h.popovers.isShown(Kind::Welcome));
    EXPECT_EQ(h.popovers.anchors[Kind::Welcome], PopoverAnchor::fromRect(kIcon));
    EXPECT_FALSE(h.monitoring()) << "only the program closes the welcome";

    // Clicks on the icon, Alt held or not, offer nothing new; a press elsewhere leaves it.
    h.tray.click(kPlain);
    h.tray.click(kAlt);
    h.press();
    EXPECT_EQ(h.popovers.shown, std::set<Kind>{Kind::Welcome});
    EXPECT_EQ(h.popovers.openings[Kind::Welcome], 1);

    Q_EMIT h.popovers.welcomeContinued();
    EXPECT_TRUE(h.defaults.boolValue(keys::hasSeenWelcome, false));
    EXPECT_EQ(h.popovers.shown, std::set<Kind>{Kind::Settings});
    EXPECT_EQ(h.popovers.anchors[Kind::Settings], PopoverAnchor::fromRect(kIcon));
    EXPECT_TRUE(h.monitoring());

    h.tray.click(kPlain);
    EXPECT_TRUE(h.popovers.isShown(Kind::Usage)) << "after the welcome a click opens the usage popover";
}

TEST(PopoverController, WithoutATrayTheWelcomeAndTheRequestsFromOutsideOpenCentred)
{
    Harness h(false);
    h.tray.geometry = QRect();
    h.controller.scheduleWelcomeOffer();
    h.scheduler.advance(300ms);
    EXPECT_TRUE(h.popovers.anchors[Kind::Welcome].isCentered());

    h.controller.presentUsage();
    EXPECT_EQ(h.popovers.shown, std::set<Kind>{Kind::Welcome}) << "the welcome until it was seen";
    Q_EMIT h.popovers.welcomeContinued();
    EXPECT_TRUE(h.popovers.anchors[Kind::Settings].isCentered());

    h.controller.presentUsage();
    h.controller.presentUsage();
    EXPECT_TRUE(h.popovers.isShown(Kind::Usage)) << "a second request leaves it open";
    EXPECT_TRUE(h.popovers.anchors[Kind::Usage].isCentered());
    EXPECT_TRUE(h.monitoring()) << "a press elsewhere closes it also without a tray";
    h.press();
    EXPECT_TRUE(h.popovers.shown.empty());
}

TEST(PopoverController, AClickTogglesTheUsagePopoverAndAltOrMiddleTheInfo)
{
    Harness h;
    h.tray.click(kPlain);
    EXPECT_EQ(h.popovers.shown, std::set<Kind>{Kind::Usage});
    EXPECT_TRUE(h.monitoring());
    h.tray.click(kPlain);
    EXPECT_TRUE(h.popovers.shown.empty());
    h.tray.click(kPlain);
    EXPECT_EQ(h.popovers.openings[Kind::Usage], 2) << "each opening builds the content afresh";
    h.tray.click(kPlain);

    for (const TrayClick& click : {kAlt, kMiddle}) {
        h.tray.click(click);
        EXPECT_EQ(h.popovers.shown, std::set<Kind>{Kind::Info});
        EXPECT_TRUE(h.monitoring());
        h.tray.click(click);
        EXPECT_TRUE(h.popovers.shown.empty());
        h.scheduler.advance(1s);
    }

    // A StatusNotifierItem host tells only where the click was.
    h.tray.click({TrayClick::Button::Primary, QPoint(640, 400), QRect(), false});
    EXPECT_EQ(h.popovers.anchors[Kind::Usage], PopoverAnchor::fromPoint(QPoint(640, 400)));
}

TEST(PopoverController, TheClickMonitorRunsWhileATransientPopoverIsShownAndOneClickLonger)
{
    Harness h;
    h.tray.click(kPlain);
    h.scheduler.advance(1s);
    h.popovers.pointerIn = Kind::Usage;
    h.press();
    EXPECT_TRUE(h.popovers.isShown(Kind::Usage)) << "a press inside keeps it";
    h.popovers.pointerIn.reset();
    h.press();
    EXPECT_FALSE(h.popovers.isShown(Kind::Usage));
    EXPECT_TRUE(h.monitoring()) << "a click's length longer, for a click on the tray that follows";
    h.scheduler.advance(PopoverController::sameClickWindow);
    EXPECT_FALSE(h.monitoring());
    EXPECT_EQ(h.clicks.registrations, 0);

    // The settings from the popover's gear: the usage popover goes, the settings keep the monitor.
    h.scheduler.advance(1s);
    h.tray.click(kPlain);
    Q_EMIT h.popovers.settingsRequested();
    EXPECT_EQ(h.popovers.shown, std::set<Kind>{Kind::Settings});
    EXPECT_TRUE(h.monitoring());
    EXPECT_EQ(h.clicks.registrations, 1) << "one registration, however often it is started";
    Q_EMIT h.popovers.settingsRequested();
    EXPECT_TRUE(h.popovers.shown.empty()) << "the action toggles the settings";

    // Escape or a lost focus: the popover closes by itself, and the monitor follows.
    Q_EMIT h.popovers.infoRequested();
    ASSERT_TRUE(h.monitoring());
    h.popovers.shown.clear();
    Q_EMIT h.popovers.visibilityChanged();
    h.scheduler.advance(PopoverController::sameClickWindow);
    EXPECT_FALSE(h.monitoring());
}

TEST(PopoverController, TheTrayClickAndItsOwnPressCountOnceInEitherOrder)
{
    Harness h;
    // The press arrives first and closes the popover; the tray's report of the same click does not reopen it.
    h.tray.click(kPlain);
    h.scheduler.advance(2s);
    h.press();
    h.scheduler.advance(100ms);
    h.tray.click(kPlain);
    EXPECT_TRUE(h.popovers.shown.empty());

    // The tray's report arrives first: it opens the usage popover and closes the info; the
    // press that follows spares what that click opened.
    h.scheduler.advance(2s);
    h.tray.click(kAlt);
    h.scheduler.advance(2s);
    h.tray.click(kPlain);
    h.scheduler.advance(50ms);
    h.press();
    EXPECT_EQ(h.popovers.shown, std::set<Kind>{Kind::Usage});

    // Later presses are new clicks.
    h.scheduler.advance(2s);
    h.press();
    EXPECT_TRUE(h.popovers.shown.empty());
    h.scheduler.advance(2s);
    h.tray.click(kPlain);
    EXPECT_TRUE(h.popovers.isShown(Kind::Usage)) << "a click well after the press opens again";
}

TEST(PopoverController, AClickOnTheTrayRightAfterAClickElsewhereOpensAgainInEitherOrder)
{
    Harness h;
    // The tray click's own press comes before the tray's report of it.
    h.tray.click(kPlain);
    h.scheduler.advance(2s);
    h.press();
    h.scheduler.advance(300ms);
    h.press();
    h.scheduler.advance(100ms);
    h.tray.click(kPlain);
    EXPECT_TRUE(h.popovers.isShown(Kind::Usage));

    // The report comes first, then its press.
    h.scheduler.advance(2s);
    h.press();
    h.scheduler.advance(300ms);
    h.tray.click(kPlain);
    EXPECT_FALSE(h.popovers.isShown(Kind::Usage)) << "so far, it may be the first press's own click";
    h.scheduler.advance(50ms);
    h.press();
    EXPECT_TRUE(h.popovers.isShown(Kind::Usage));
    EXPECT_EQ(h.popovers.openings[Kind::Usage], 3);
}

TEST(PopoverController, TheChooserClosingShowsTheSettingsAgainWhereTheyWere)
{
    Harness h;
    h.tray.click(kPlain);
    Q_EMIT h.popovers.settingsRequested();
    Q_EMIT h.popovers.appPickerFinished();
    ASSERT_EQ(h.popovers.reshownAt.size(), 1u);
    EXPECT_EQ(h.popovers.reshownAt.front(), PopoverAnchor::fromRect(kIcon));
}
