// SPDX-License-Identifier: MIT
// The settings, the chooser and the usage popover walked with the keyboard alone: every step
// fails if its control cannot be reached or acted on without the pointer.
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/fake/ManualClock.h"
#include "platform/fake/ManualScheduler.h"
#include "support/WidgetTesting.h"
#include "views/components/FennSwitch.h"
#include "views/components/PopoverWindow.h"
#include "views/components/Stepper.h"
#include "views/popover/AppUsageRowView.h"
#include "views/popover/MenuRootView.h"
#include "views/popover/UsageList.h"
#include "views/settings/AppIconProvider.h"
#include "views/settings/ApplicationChooser.h"
#include "views/settings/MonitoredAppsTableView.h"
#include "views/settings/PreferencesView.h"
#include "views/settings/StepperCell.h"
#include "views/settings/SymbolButton.h"
#include "views/status/TrayPopoverHost.h"

#include <QLineEdit>
#include <QTest>

using namespace brindlemoor;

namespace {

const QString kEditor = QStringLiteral("org.example.Editor");
const QString kBuilder = QStringLiteral("org.example.Builder");

class NoLoginItem final : public LoginItemService {
public:
    bool isEnabled() const override { return false; }
    bool setEnabled(bool /*on*/) override { return true; }
    QString errorText() const override { return {}; }
};

class KeyboardWalk : public test::WidgetTest {
protected:
    static void press(Qt::Key key) { QTest::keyClick(static_cast<QWidget*>(nullptr), key); }

    /// Presses Tab until `target` has the focus; false when the whole chain went by without it.
    static bool tabTo(const QWidget* target)
    {
        for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
            press(Qt::Key_Tab);
        return QApplication::focusWidget() == target;
    }

    static void activate(QWidget* window)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(10, 0))};
    UsageStore usage{defaults, clock};
    TodayModel today{prefs, usage};
    FakeApplicationCatalog catalog{{{kEditor, QStringLiteral("Editor"), {}, {}, false},
                                    {QStringLiteral("org.example.Browser"), QStringLiteral("Browser"), {}, {}, false},
                                    {kBuilder, QStringLiteral("Builder"), {}, {}, false}}};
    AppIconProvider icons{catalog};
    ManualScheduler scheduler{clock};
    FakeWindowSystem windowSystem;
    NoLoginItem loginItems;
};

} // namespace

TEST_F(KeyboardWalk, AddLimitAndResetAnAppWithoutThePointer)
{
    prefs.addApp(kEditor);
    TrayPopoverHost host(
        {appearance, prefs, loginItems, catalog, icons, scheduler, windowSystem, [&](PopoverHost&) -> QWidget* {
             return new MenuRootView({appearance, today, catalog, icons, clock});
         }});
    const PopoverAnchor tray = PopoverAnchor::fromRect({600, 0, 24, 24});

    // Settings: the first control has the focus; Tab reaches the add button, Return opens the chooser.
    host.show(PopoverKind::Settings, tray);
    PopoverWindow* settings = host.window(PopoverKind::Settings);
    activate(settings);
    auto* view = qobject_cast<PreferencesView*>(settings->content());
    ASSERT_EQ(QApplication::focusWidget(), view->launchSwitch());
    ASSERT_TRUE(tabTo(view->plusButton()));
    press(Qt::Key_Return);
    ApplicationChooser* chooser = view->appPicker();
    ASSERT_NE(chooser, nullptr);
    activate(chooser);
    ASSERT_EQ(QApplication::focusWidget(), chooser->searchField());

    // The chooser: typing filters, the arrows pick, Return adds.
    QTest::keyClicks(nullptr, QStringLiteral("er"));
    ASSERT_EQ(chooser->visibleIds().size(), 2);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    ASSERT_TRUE(prefs.isMonitored(kBuilder)) << "the second match was picked and added";

    // Its limit, by the stepper in its row; the arrows move between the table's rows. The
    // settings open again, as the controller has them do when the choice ends.
    host.show(PopoverKind::Settings, tray);
    activate(settings);
    MonitoredAppsTableView* table = view->table();
    ASSERT_EQ(table->apps().size(), 2);
    ASSERT_TRUE(tabTo(table));
    press(Qt::Key_Down);
    EXPECT_EQ(table->currentRow(), 1);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), table->limitCell(1)->stepper()) << "the rows' steppers follow the table";
    press(Qt::Key_Up);
    EXPECT_EQ(prefs.monitoredApps().at(1).timeLimitMinutes,
              PreferencesStore::defaultAppLimitMinutes + StepperCell::step);
    press(Qt::Key_Escape);
    EXPECT_FALSE(host.isShown(PopoverKind::Settings));

    // The usage popover: from its first control to the rows, down to the app's, Return resets it.
    for (int i = 0; i < 30; ++i) {
        usage.tick(kEditor);
        usage.tick(kEditor);
        usage.tick(kBuilder);
    }
    host.show(PopoverKind::Usage, tray);
    PopoverWindow* popover = host.window(PopoverKind::Usage);
    activate(popover);
    auto* menu = qobject_cast<MenuRootView*>(popover->content());
    EXPECT_EQ(QApplication::focusWidget(), menu->pauseButton());
    const QList<AppUsageRowView*> rows = menu->usageList()->rows();
    ASSERT_EQ(rows.size(), 2);
    ASSERT_EQ(rows.at(1)->usage().id, kBuilder) << "most used first";
    ASSERT_TRUE(tabTo(rows.first()->resetButton()));
    press(Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), rows.at(1)->resetButton());
    press(Qt::Key_Return);
    EXPECT_EQ(today.app(kBuilder).used, 0);
    EXPECT_GT(today.app(kEditor).used, 0);
    press(Qt::Key_Escape);
    EXPECT_FALSE(host.isShown(PopoverKind::Usage));
}
