// SPDX-License-Identifier: MIT
#include "core/foundation/BuildInfo.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/settings/ApplicationCatalog.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/fake/ManualScheduler.h"
#include "support/WidgetTesting.h"
#include "views/components/Fonts.h"
#include "views/components/LinkButton.h"
#include "views/components/PopoverWindow.h"
#include "views/components/ProminentButton.h"
#include "views/components/WrappedText.h"
#include "views/onboarding/InfoPopoverController.h"
#include "views/onboarding/InfoPopoverView.h"
#include "views/onboarding/WelcomePopoverController.h"
#include "views/onboarding/WelcomeView.h"
#include "views/settings/AppIconProvider.h"
#include "views/status/TrayPopoverHost.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace brindlemoor;

namespace {

const PopoverAnchor kTray = PopoverAnchor::fromRect({600, 0, 24, 24});

class Onboarding : public test::WidgetTest {};

/// Takes the mailto URLs that the desktop would hand to the mail program.
class MailHandler final : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }

public:
    QList<QUrl> opened;
};

class NoLoginItem final : public LoginItemService {
public:
    bool isEnabled() const override { return false; }
    bool setEnabled(bool) override { return true; }
    QString errorText() const override { return {}; }
};

} // namespace

TEST_F(Onboarding, TheWelcomeReportsEachPressAndOnlyTheProgramClosesIt)
{
    WelcomePopoverController welcome(appearance, nullptr);
    QSignalSpy continued(&welcome, &WelcomePopoverController::continueRequested);
    welcome.show(kTray);
    welcome.popover().handleGlobalClick(QPoint(100, 500));
    QTest::keyClick(&welcome.popover(), Qt::Key_Escape);
    EXPECT_TRUE(welcome.popover().isShown()) << "a click elsewhere and Escape leave it";

    ProminentButton* button = welcome.view().continueButton();
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, Qt::Key_Return);
    QTRY_COMPARE(continued.count(), 3);
    EXPECT_TRUE(welcome.popover().isShown()) << "the view never closes itself";

    // Two lines, broken where the text breaks them, also in the wider desktop fonts.
    const QStringList lines = wrapped::lines(WelcomeView::subtitle(), fonts::system(15), WelcomeView::subtitleWidth);
    ASSERT_EQ(lines.size(), 2) << lines.join(u'|').toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("when")));
}

TEST_F(Onboarding, TheFeedbackLinkHandsTheBuildsMailAddressToTheDesktop)
{
    MailHandler mail;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail, "open");
    InfoPopoverController info(appearance);
    info.toggle(kTray);
    QTest::mouseClick(info.view().feedbackLink(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    ASSERT_EQ(mail.opened.size(), 1);
    EXPECT_EQ(mail.opened.front(), QUrl(QString::fromUtf8(build::feedbackUrl)));
    EXPECT_EQ(mail.opened.front().scheme(), QStringLiteral("mailto"));
}

TEST_F(Onboarding, TheHostBuildsTheUsageContentAfreshAndReportsEveryOpeningAndClosing)
{
    MemoryKeyValueStore defaults;
    PreferencesStore prefs(defaults);
    NoLoginItem loginItems;
    FakeApplicationCatalog catalog;
    AppIconProvider icons(catalog);
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(9, 0))};
    ManualScheduler scheduler(clock);
    FakeWindowSystem windowSystem;
    int built = 0;
    TrayPopoverHost host(
        {appearance, prefs, loginItems, catalog, icons, scheduler, windowSystem, [&](PopoverHost&) -> QWidget* {
             ++built;
             return new QLabel(QStringLiteral("usage"));
         }});
    QSignalSpy changes(&host, &PopoverHost::visibilityChanged);

    host.show(PopoverKind::Usage, kTray);
    QPointer<QWidget> first = host.window(PopoverKind::Usage)->content();
    host.close(PopoverKind::Usage);
    host.show(PopoverKind::Usage, kTray);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(built, 2);
    EXPECT_TRUE(first.isNull()) << "the content of the last opening is gone";
    // No compositor: the window is cut to its panel, so its see-through margins are not painted black.
    const PopoverWindow* usage = host.window(PopoverKind::Usage);
    EXPECT_FALSE(usage->mask().contains(QPoint(1, 1)));
    EXPECT_TRUE(usage->mask().contains(usage->panelRect().center()));

    // Escape closes a transient popover, and the controller hears of it.
    changes.clear();
    QTest::keyClick(host.window(PopoverKind::Usage), Qt::Key_Escape);
    EXPECT_FALSE(host.isShown(PopoverKind::Usage));
    EXPECT_EQ(changes.count(), 1);

    // The welcome is dropped when it closes, so the next offer starts afresh.
    host.show(PopoverKind::Welcome, PopoverAnchor::centered());
    ASSERT_NE(host.window(PopoverKind::Welcome), nullptr);
    host.close(PopoverKind::Welcome);
    EXPECT_FALSE(host.isShown(PopoverKind::Welcome));
    EXPECT_EQ(host.window(PopoverKind::Welcome), nullptr);
}

#include "OnboardingTest.moc"
