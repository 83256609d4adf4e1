// SPDX-License-Identifier: MIT
#include "views/settings/PreferencesView.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "support/MessageLog.h"
#include "support/ScopedEnvironment.h"
#include "support/WidgetTesting.h"
#include "views/components/ColorWell.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/FennSwitch.h"
#include "views/components/NamedColors.h"
#include "views/components/Stepper.h"
#include "views/components/Translations.h"
#include "views/settings/AppIconProvider.h"
#include "views/settings/MinutesField.h"
#include "views/settings/MonitoredAppsTableView.h"
#include "views/settings/StepperCell.h"
#include "views/settings/SymbolButton.h"
#include "views/settings/TableFade.h"

#include <QColorDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

using namespace brindlemoor;
using brindlemoor::test::near;
using brindlemoor::test::pixel;
using brindlemoor::test::render;

namespace {

/// A login item that remembers what it was asked and can refuse to change.
class RecordingLoginItems final : public LoginItemService {
public:
    bool isEnabled() const override { return enabled; }
    bool setEnabled(bool on) override
    {
        calls.append(on);
        if (refusal)
            return false;
        enabled = on;
        return true;
    }
    QString errorText() const override { return refusal.value_or(QString()); }

    bool enabled = false;
    std::optional<QString> refusal;
    QList<bool> calls;
};

class PreferencesViewTest : public brindlemoor::test::WidgetTest {
protected:
    PreferencesView& makeView()
    {
        view = std::make_unique<PreferencesView>(appearance, prefs, loginItems, catalog, icons);
        view->adjustSize();
        view->show();
        return *view;
    }

    void addApps(int count)
    {
        for (int i = 0; i < count; ++i)
            prefs.addApp(QStringLiteral("view.App%1").arg(i));
    }

    void typeInto(MinutesField* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    void clickRow(int row)
    {
        MonitoredAppsTableView* table = view->table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->rowRect(row).center() - table->viewport()->pos());
        QCoreApplication::sendPostedEvents();
    }

    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    FakeApplicationCatalog catalog;
    AppIconProvider icons{catalog};
    RecordingLoginItems loginItems;
    std::unique_ptr<PreferencesView> view;
};

} // namespace

TEST_F(PreferencesViewTest, CountTextTableHeightAndFadeFollowTheList)
{
    struct Case {
        int apps;
        const char* count;
        int tableHeight;
        bool fade;
    };
    const Case cases[] = {{0, "0 apps added", 0, false},
                          {1, "1 app added", 28, false},
                          {5, "5 apps added", 140, false},
                          {6, "6 apps added", 140, true}};
    makeView();
    const int emptyHeight = view->sizeHint().height();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.apps);
        prefs.saveMonitoredApps({});
        addApps(c.apps);
        QCoreApplication::sendPostedEvents(); // layout requests travel up as events
        EXPECT_EQ(view->countLabel()->text(), QString::fromLatin1(c.count));
        EXPECT_EQ(view->table()->height(), c.tableHeight);
        EXPECT_EQ(view->fade()->isVisible(), c.fade);
        EXPECT_EQ(view->sizeHint(), QSize(360, emptyHeight + c.tableHeight)) << "header and bar stay";
    }
}

TEST_F(PreferencesViewTest, TheUsersLanguageBringsItsTextsQtsAndItsDates)
{
    // LANGUAGE=fr with no locale for dates and hours: the dates follow the texts.
    const test::ScopedEnvironment noLocale("LC_ALL", "C");
    const QLocale before;
    installTranslations(QLocale(QLocale::French, QLocale::France));
    // French counts none as one, as English does not.
    EXPECT_EQ(PreferencesView::countText(0), QStringLiteral("0 application ajout\u00e9e"));
    EXPECT_EQ(PreferencesView::countText(2), QStringLiteral("2 applications ajout\u00e9es"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    EXPECT_EQ(QLocale().language(), QLocale::French);

    qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
    QLocale::setDefault(before);
    EXPECT_EQ(PreferencesView::countText(0), QStringLiteral("0 apps added"));
}

TEST_F(PreferencesViewTest, FadeLiesOverTheLastVisibleRowOnlyWhenTheTableScrolls)
{
    // The fifth row selected: its highlight shows through, or fades into the box.
    const auto bottomOfFifthRow = [this](int apps) {
        prefs.saveMonitoredApps({});
        addApps(apps);
        view->adjustSize();
        clickRow(4);
        EXPECT_EQ(view->selectedBundleID(), QStringLiteral("view.App4"));
        const QRect row = view->table()->rowRect(4).translated(view->table()->mapTo(view.get(), QPoint()));
        return pixel(render(view.get()), QPoint(row.left() + 60, row.bottom() - 1));
    };
    makeView();
    const QColor background = roleColor(ColorRole::ControlBackground, appearance.scheme());
    const QColor plain = bottomOfFifthRow(5);
    const QColor faded = bottomOfFifthRow(6);
    EXPECT_FALSE(near(plain, background, 12)) << "the selection shows";
    EXPECT_TRUE(near(faded, background, 12)) << "under the fade";
    EXPECT_EQ(view->fade()->geometry().bottom(), view->table()->geometry().bottom());
}

TEST_F(PreferencesViewTest, MinusRemovesTheSelectedAppAndClearsTheSelection)
{
    addApps(2);
    makeView();
    QSignalSpy stored(&prefs, &PreferencesStore::trackingSettingsChanged);
    QTest::mouseClick(view->minusButton(), Qt::LeftButton);
    EXPECT_EQ(stored.count(), 0) << "nothing selected, nothing removed";

    clickRow(0);
    EXPECT_EQ(view->selectedBundleID(), QStringLiteral("view.App0"));
    EXPECT_TRUE(view->minusButton()->isProminent());
    QTest::mouseClick(view->minusButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(prefs.monitoredApps(), (QList<MonitoredAppConfig>{{QStringLiteral("view.App1"), 60}}));
    EXPECT_EQ(view->selectedBundleID(), std::nullopt);
    EXPECT_FALSE(view->table()->selectionModel()->hasSelection());
    EXPECT_FALSE(view->minusButton()->isProminent());
    QTest::mouseClick(view->minusButton(), Qt::LeftButton);
    EXPECT_EQ(stored.count(), 1) << "the selection went with the app";

    // The table's stepper writes the limit through the store.
    Stepper* stepper = view->table()->limitCell(0)->stepper();
    QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->upRect().center());
    EXPECT_EQ(prefs.config(QStringLiteral("view.App1"))->timeLimitMinutes, 65);
}

TEST_F(PreferencesViewTest, NumberFieldsTakeWhatTheFormatterAcceptsAndSteppersKeepTheirRanges)
{
    prefs.setDailyLimitMinutes(120);
    makeView();
    struct Typed {
        const char* text;
        qint64 daily;
    };
    const Typed typed[] = {{"1500", 120}, {"abc", 120}, {"-5", 120},    {"12.5", 120},
                           {"", 120},     {"90", 90},   {"1440", 1440}, {"0", 0}};
    for (const Typed& t : typed) {
        SCOPED_TRACE(t.text);
        typeInto(view->dailyLimitField(), QString::fromLatin1(t.text));
        EXPECT_EQ(prefs.dailyLimitMinutes(), t.daily);
        EXPECT_EQ(view->dailyLimitField()->text(), QString::number(t.daily)) << "a rejected text goes back";
    }

    // The extend field takes the whole 0...1440 although its stepper keeps to 1...60.
    for (const qint64 minutes : {qint64(0), qint64(200)}) {
        typeInto(view->extendField(), QString::number(minutes));
        EXPECT_EQ(prefs.extendDurationMinutes(), minutes);
    }

    // The steppers write through the store, and both fields follow: the extend stepper keeps to
    // 1...60 and steps a larger value down into its range.
    Stepper* extend = view->extendStepper();
    QTest::mouseClick(extend, Qt::LeftButton, {}, extend->downRect().center());
    EXPECT_EQ(prefs.extendDurationMinutes(), 55);
    EXPECT_EQ(view->extendField()->text(), QStringLiteral("55"));
    Stepper* daily = view->dailyLimitStepper();
    QTest::mouseClick(daily, Qt::LeftButton, {}, daily->upRect().center());
    EXPECT_EQ(prefs.dailyLimitMinutes(), 30);
    EXPECT_EQ(view->dailyLimitField()->text(), QStringLiteral("30"));

    // The history's days go past the minutes' 1440; its stepper takes a day, or a month with the page keys.
    for (const auto& [text, days] : {std::pair{"6", 90}, {"3651", 90}, {"3650", 3650}}) {
        typeInto(view->historyField(), QString::fromLatin1(text));
        EXPECT_EQ(prefs.historyDays(), days) << text;
    }
    Stepper* history = view->historyStepper();
    history->setFocus();
    QTest::keyClick(history, Qt::Key_PageDown);
    QTest::keyClick(history, Qt::Key_Down);
    EXPECT_EQ(prefs.historyDays(), 3619);
    EXPECT_EQ(view->historyField()->text(), QStringLiteral("3619"));
    QTest::keyClick(history, Qt::Key_PageUp);
    QTest::keyClick(history, Qt::Key_PageUp);
    EXPECT_EQ(prefs.historyDays(), 3650) << "and no further than the range";
}

TEST_F(PreferencesViewTest, ControlsWriteTheirSettingsAndFollowTheStore)
{
    makeView();
    QTest::mouseClick(view->soundSwitch(), Qt::LeftButton);
    EXPECT_TRUE(prefs.playSoundOnRed());
    QTest::mouseClick(view->overlaySwitch(), Qt::LeftButton);
    EXPECT_FALSE(prefs.overlayEnabled());
    prefs.setUseShapes(true);
    EXPECT_TRUE(view->shapesSwitch()->isChecked());

    FennSegmentedPicker* picker = view->timeDisplayPicker();
    QTest::mouseClick(picker, Qt::LeftButton, {}, picker->segmentRect(1).center().toPoint());
    EXPECT_TRUE(prefs.showTimeRemaining());
    prefs.setShowTimeRemaining(false);
    EXPECT_EQ(picker->selection(), QVariant(false));

    ColorWell* well = view->colorWell();
    EXPECT_EQ(well->color(), QColor::fromRgbF(0.2f, 0.78f, 0.74f));
    QTest::mouseClick(well, Qt::LeftButton, {}, QPoint(22, 11));
    ASSERT_NE(well->dialog(), nullptr);
    well->dialog()->setCurrentColor(QColor(255, 128, 0));
    const RgbColor stored = prefs.dotColor();
    EXPECT_EQ(QColor::fromRgbF(float(stored.red), float(stored.green), float(stored.blue)), QColor(255, 128, 0));
    well->dialog()->close();
    prefs.setDotColor({0.0, 0.0, 1.0});
    EXPECT_EQ(well->color(), QColor(Qt::blue));

    // The view's own text follows the appearance while it stays open.
    const QColor lightText = view->countLabel()->palette().color(QPalette::WindowText);
    appearance.setDark(true);
    EXPECT_NE(view->countLabel()->palette().color(QPalette::WindowText), lightText);
    EXPECT_GT(view->palette().color(QPalette::WindowText).lightness(), 128);
}

TEST_F(PreferencesViewTest, LaunchAtLoginFollowsTheSystemAndReportsRefusals)
{
    // Already enabled: the first appearance turns the switch on, and that registers once more.
    loginItems.enabled = true;
    makeView();
    EXPECT_TRUE(view->launchSwitch()->isChecked());
    EXPECT_EQ(loginItems.calls, QList<bool>{true});
    view->hide();
    view->show();
    EXPECT_EQ(loginItems.calls, QList<bool>{true}) << "reopening changes nothing";

    QTest::mouseClick(view->launchSwitch(), Qt::LeftButton);
    EXPECT_EQ(loginItems.calls, (QList<bool>{true, false}));
    EXPECT_FALSE(loginItems.enabled);

    // The system refuses: one line said, and the switch stays on.
    loginItems.refusal = QStringLiteral("The autostart folder is read-only");
    const test::MessageLog log;
    QTest::mouseClick(view->launchSwitch(), Qt::LeftButton);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines().at(0).endsWith(*loginItems.refusal)) << "with the system's reason";
    EXPECT_TRUE(view->launchSwitch()->isChecked());
    EXPECT_TRUE(view->launchAtLogin());

    // The next appearance shows the real state, and that change unregisters once.
    loginItems.refusal.reset();
    view->hide();
    view->show();
    EXPECT_FALSE(view->launchSwitch()->isChecked());
    EXPECT_EQ(loginItems.calls, (QList<bool>{true, false, true, false}));
}
