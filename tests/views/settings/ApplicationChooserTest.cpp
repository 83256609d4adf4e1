// SPDX-License-Identifier: MIT
#include "views/settings/ApplicationChooser.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/ManualScheduler.h"
#include "support/TestFiles.h"
#include "support/WidgetTesting.h"
#include "views/settings/AppIconProvider.h"
#include "views/settings/PreferencesView.h"
#include "views/settings/SettingsPopoverController.h"
#include "views/settings/SymbolButton.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace brindlemoor;

namespace {

class NoLoginItem final : public LoginItemService {
public:
    bool isEnabled() const override { return false; }
    bool setEnabled(bool /*enabled*/) override { return true; }
    QString errorText() const override { return {}; }
};

ApplicationInfo entry(const char* id, const char* name, bool noDisplay = false)
{
    const QString text = QString::fromLatin1(id);
    return {
        text, QString::fromLatin1(name), {}, QStringLiteral("/usr/share/applications/%1.desktop").arg(text), noDisplay};
}

class ApplicationChooserTest : public brindlemoor::test::WidgetTest {
protected:
    ApplicationChooser& openChooser()
    {
        chooser = std::make_unique<ApplicationChooser>(appearance, catalog, icons, prefs);
        QObject::connect(chooser.get(), &ApplicationChooser::choiceFinished, chooser.get(), [this] { ++finished; });
        chooser->show();
        return *chooser;
    }

    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    FakeApplicationCatalog catalog{{entry("org.gnome.Calculator", "Calculator"),
                                    entry("org.gnome.TextEditor", "Text Editor"), entry("debian-xterm", "XTerm"),
                                    entry("org.gnome.Settings.Helper", "Settings Helper", true),
                                    entry("firefox-esr", "Firefox ESR")}};
    AppIconProvider icons{catalog};
    NoLoginItem loginItems;
    int finished = 0;
    std::unique_ptr<ApplicationChooser> chooser;
};

} // namespace

TEST_F(ApplicationChooserTest, ListsVisibleApplicationsWithNamesAndFilters)
{
    openChooser();
    EXPECT_EQ(chooser->visibleIds(),
              (QStringList{QStringLiteral("org.gnome.Calculator"), QStringLiteral("firefox-esr"),
                           QStringLiteral("org.gnome.TextEditor"), QStringLiteral("debian-xterm")}));
    EXPECT_EQ(chooser->list()->item(1)->text(), QStringLiteral("Firefox ESR")) << "names, not ids";
    EXPECT_FALSE(chooser->list()->item(1)->icon().isNull());

    struct Search {
        const char* text;
        QStringList ids;
    };
    const Search searches[] = {
        {"te", {QStringLiteral("org.gnome.TextEditor"), QStringLiteral("debian-xterm")}},
        {"CALC", {QStringLiteral("org.gnome.Calculator")}},
        {"esr", {QStringLiteral("firefox-esr")}},
        {"helper", {}},
    };
    for (const Search& s : searches) {
        SCOPED_TRACE(s.text);
        chooser->searchField()->clear();
        QTest::keyClicks(chooser->searchField(), QString::fromLatin1(s.text));
        EXPECT_EQ(chooser->visibleIds(), s.ids);
        // The first match is chosen, so that Return adds it; no match, no Add.
        EXPECT_EQ(chooser->addButton()->isEnabled(), !s.ids.isEmpty());
    }

    chooser->searchField()->clear();
    QTest::keyClicks(chooser->searchField(), QStringLiteral("xterm"));
    QTest::keyClick(chooser->searchField(), Qt::Key_Return);
    EXPECT_TRUE(prefs.isMonitored(QStringLiteral("debian-xterm")));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(chooser->isVisible());
}

TEST_F(ApplicationChooserTest, EveryWayOfClosingFinishesOnceAndAddsNothing)
{
    const std::function<void(ApplicationChooser&)> ways[] = {
        [](ApplicationChooser& c) { QTest::keyClick(&c, Qt::Key_Escape); },
        [](ApplicationChooser& c) { c.close(); }, // the window's close button
    };
    for (const auto& closeIt : ways) {
        finished = 0;
        openChooser();
        closeIt(*chooser);
        EXPECT_FALSE(chooser->isVisible());
        chooser->close();
        EXPECT_EQ(finished, 1);
    }
    EXPECT_TRUE(prefs.monitoredApps().isEmpty());
}

TEST_F(ApplicationChooserTest, PicksADesktopFileFromDiskThroughTheCatalogue)
{
    QTemporaryDir folder;
    const QString known = folder.filePath(QStringLiteral("org.example.Tool.desktop"));
    const QString unknown = folder.filePath(QStringLiteral("notes.desktop"));
    for (const QString& path : {known, unknown})
        ASSERT_TRUE(test::writeFile(path, "[Desktop Entry]\nType=Application\nName=Tool\nExec=tool\n"));
    catalog.putFile(known, entry("org.example.Tool", "Tool"));

    for (const QString& path : {unknown, known}) {
        SCOPED_TRACE(path.toStdString());
        finished = 0;
        openChooser();
        QTest::mouseClick(chooser->fileButton(), Qt::LeftButton);
        QFileDialog* dialog = chooser->fileDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // what the dialog's own Add button does
        EXPECT_EQ(finished, 1);
        EXPECT_FALSE(chooser->isVisible());
    }
    EXPECT_EQ(prefs.monitoredApps(), (QList<MonitoredAppConfig>{{QStringLiteral("org.example.Tool"), 60}}));
}

TEST_F(ApplicationChooserTest, ADuplicatePickAddsNothingButShowsTheSettingsAgain)
{
    prefs.addApp(QStringLiteral("org.gnome.Calculator"));
    ManualClock clock(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
    ManualScheduler scheduler(clock);
    const PopoverAnchor tray = PopoverAnchor::fromRect({300, 0, 24, 24});
    auto* view = new PreferencesView(appearance, prefs, loginItems, catalog, icons);
    SettingsPopoverController controller(appearance, view, scheduler);
    QObject::connect(view, &PreferencesView::appPickerFinished, &controller, [&] { controller.reshow(tray); });
    controller.show(tray);
    ASSERT_TRUE(controller.popover().isShown());
    EXPECT_EQ(controller.popover().content(), view);

    QSignalSpy stored(&prefs, &PreferencesStore::trackingSettingsChanged);
    QTest::mouseClick(view->plusButton(), Qt::LeftButton);
    ApplicationChooser* picker = view->appPicker();
    ASSERT_NE(picker, nullptr);
    QPointer<ApplicationChooser> watch = picker;
    ASSERT_TRUE(picker->selectId(QStringLiteral("org.gnome.Calculator")));
    QTest::mouseClick(picker->addButton(), Qt::LeftButton);
    EXPECT_EQ(stored.count(), 0) << "already monitored";
    EXPECT_EQ(prefs.monitoredApps().size(), 1);

    // Closed now, shown again a tenth of a second later.
    EXPECT_FALSE(controller.popover().isShown());
    scheduler.advance(std::chrono::milliseconds(99));
    EXPECT_FALSE(controller.popover().isShown());
    scheduler.advance(std::chrono::milliseconds(1));
    EXPECT_TRUE(controller.popover().isShown());
    EXPECT_EQ(controller.popover().content(), view);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()) << "the chooser goes when it closes";

    // A new app through the same way is added, and the popover comes back again.
    QTest::mouseClick(view->plusButton(), Qt::LeftButton);
    ASSERT_TRUE(view->appPicker()->selectId(QStringLiteral("firefox-esr")));
    QTest::mouseClick(view->appPicker()->addButton(), Qt::LeftButton);
    EXPECT_TRUE(prefs.isMonitored(QStringLiteral("firefox-esr")));
    scheduler.advance(std::chrono::milliseconds(100));
    EXPECT_TRUE(controller.popover().isShown());
}
