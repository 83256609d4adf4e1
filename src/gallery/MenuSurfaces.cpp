// SPDX-License-Identifier: MIT
// The usage popover in its window: no apps, no usage yet, one app, eleven apps scrolled to
// the end, near and at the limits, a hovered row, the insights open, and the notice of a
// GNOME Shell extension switched off; light and dark, at device pixel ratios 1 and 2.
#include "gallery/Gallery.h"

#include "core/foundation/DayKey.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/FakeDesktopExtension.h"
#include "platform/fake/ManualClock.h"
#include "views/components/PopoverWindow.h"
#include "views/components/Spring.h"
#include "views/popover/AppUsageRowView.h"
#include "views/popover/MenuRootView.h"
#include "views/popover/UsageList.h"
#include "views/settings/AppIconProvider.h"

#include <QAbstractButton>
#include <QApplication>

namespace brindlemoor::gallery {

namespace {

struct App {
    const char* id;
    const char* name;
    const char* icon;
};

const App apps[] = {
    {"org.mozilla.firefox", "Firefox Web Browser", "firefox-esr"},
    {"org.gnome.TextEditor", "Text Editor", "accessories-text-editor"},
    {"org.gnome.Terminal", "Terminal", "utilities-terminal"},
    {"org.gnome.Calculator", "Calculator", "accessories-calculator"},
    {"thunderbird", "Thunderbird Mail", "thunderbird"},
    {"org.gnome.Nautilus", "Files", "system-file-manager"},
    {"libreoffice-writer", "LibreOffice Writer", "libreoffice-writer"},
    {"org.inkscape.Inkscape", "Inkscape", "inkscape"},
    {"code", "Visual Editor With A Rather Long Name", "text-editor"},
    {"org.gnome.Maps", "Maps", "maps"},
    {"debian-xterm", "XTerm", "xterm"},
};

enum class Story {
    NoApps,
    NoUsage,
    OneApp,
    ElevenApps, // scrolled to the end
    Near,       // a row past 80 %, the day at exactly 80 %, time left
    Reached,    // a row and the day at their limits
    Hovered,    // the pointer over the second row and the quit row
    Insights,   // the insights open, after a week with breaches
    Extension,  // near the limits, the GNOME Shell extension switched off
    Focused,    // reached, the keyboard on the second row's reset
};

struct Scene {
    explicit Scene(Story story)
    {
        for (const App& app : apps)
            catalog.put(
                {QString::fromLatin1(app.id), QString::fromLatin1(app.name), QString::fromLatin1(app.icon), {}, false});
        PersistedState state;
        state.lastResetDay = dayKey(clock.now());
        const auto watch = [&](int count) {
            for (int i = 0; i < count; ++i)
                prefs.addApp(QString::fromLatin1(apps[i].id));
        };
        const auto use = [&](int app, double minutes) {
            const QString id = QString::fromLatin1(apps[app].id);
            state.entries.insert(id, Entry{id, minutes * 60, minutes * 60, 3});
        };
        switch (story) {
        case Story::NoApps:
            break;
        case Story::NoUsage:
            watch(3);
            prefs.setDailyLimitMinutes(120);
            break;
        case Story::OneApp:
            watch(1);
            use(0, 23);
            break;
        case Story::ElevenApps:
            watch(11);
            for (int i = 0; i < 11; ++i)
                use(i, 55 - i * 5);
            prefs.setDailyLimitMinutes(360);
            break;
        case Story::Extension:
            extension.setState(DesktopExtension::State::Off);
            [[fallthrough]];
        case Story::Near:
        case Story::Hovered:
            watch(3);
            use(0, 51);
            use(1, 30);
            use(2, 15);
            prefs.setDailyLimitMinutes(120);
            prefs.setShowTimeRemaining(story != Story::Hovered);
            break;
        case Story::Reached:
        case Story::Focused:
            watch(3);
            use(0, 62);
            use(1, 44);
            use(2, 14);
            prefs.setDailyLimitMinutes(120);
            break;
        case Story::Insights:
            watch(2);
            use(0, 48);
            use(1, 20);
            prefs.setDailyLimitMinutes(90);
            DayHistory history;
            for (int day = 1; day <= 9; ++day) {
                const QString key = QStringLiteral("2026-03-0%1").arg(day);
                history.insert(key, day % 3 == 0 ? 0 : 2);
                if (day % 3 != 0)
                    PastDays(defaults).recordBreachHours({{QString::fromLatin1(apps[0].id), {21, 22}}}, key);
            }
            PastDays(defaults).saveHistory(history);
            break;
        }
        defaults.setValue(keys::usageDailyData, state.encode().value_or(QByteArray()));
        usage = std::make_unique<UsageStore>(defaults, clock);
        today = std::make_unique<TodayModel>(prefs, *usage);
    }

    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(16, 30))};
    std::unique_ptr<UsageStore> usage;
    std::unique_ptr<TodayModel> today;
    FakeApplicationCatalog catalog;
    AppIconProvider icons{catalog};
    FakeDesktopExtension extension{DesktopExtension::State::NotNeeded};
};

QImage popover(Gallery& gallery, Story story, qreal ratio)
{
    Scene scene(story);
    PopoverWindow window(gallery.appearance());
    auto* menu = new MenuRootView(
        {gallery.appearance(), *scene.today, scene.catalog, scene.icons, scene.clock, nullptr, &scene.extension});
    window.showPopover(menu, PopoverAnchor::fromRect(QRect(700, 0, 24, 24)));
    if (story == Story::ElevenApps)
        menu->usageList()->scrollTo(menu->usageList()->maximumScroll());
    if (story == Story::Insights)
        menu->setShowReflection(true);
    if (story == Story::Focused) {
        QApplication::setActiveWindow(&window);
        window.setAttribute(Qt::WA_KeyboardFocusChange);
        menu->usageList()->rows().at(1)->resetButton()->setFocus(Qt::TabFocusReason);
    }
    if (story == Story::Hovered) {
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(menu->usageList()->rows().at(1), &enter);
        QCoreApplication::sendEvent(menu->quitButton(), &enter);
    }
    // The column grows, then the window around it: one round of layout requests each.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    const QImage image = gallery.grab(&window, ratio);
    window.closePopover();
    return image;
}

} // namespace

void renderMenuSurfaces(Gallery& gallery)
{
    SpringAnimation::setMotionEnabled(false);
    const struct {
        Story story;
        const char* name;
    } stories[] = {
        {Story::NoApps, "no-apps"},    {Story::NoUsage, "no-usage"},  {Story::OneApp, "one-app"},
        {Story::ElevenApps, "eleven"}, {Story::Near, "near"},         {Story::Reached, "reached"},
        {Story::Hovered, "hovered"},   {Story::Insights, "insights"}, {Story::Extension, "extension-off"},
        {Story::Focused, "focused"},
    };
    for (const bool dark : {false, true}) {
        gallery.appearance().setDark(dark);
        for (const qreal ratio : {1.0, 2.0}) {
            for (const auto& s : stories) {
                gallery.save(
                    QStringLiteral("menu-%1-%2@%3x")
                        .arg(QString::fromLatin1(s.name), dark ? QStringLiteral("dark") : QStringLiteral("light"))
                        .arg(ratio),
                    popover(gallery, s.story, ratio));
            }
        }
    }
    // Higher contrast, as the desktop may ask for it.
    for (const bool dark : {false, true}) {
        gallery.appearance().setDark(dark);
        gallery.appearance().setHighContrast(true);
        const QString tone = dark ? QStringLiteral("dark") : QStringLiteral("light");
        gallery.save(QStringLiteral("menu-near-hc-%1@1x").arg(tone), popover(gallery, Story::Near, 1));
        gallery.save(QStringLiteral("menu-reached-hc-%1@1x").arg(tone), popover(gallery, Story::Reached, 1));
        gallery.appearance().setHighContrast(false);
    }
}

} // namespace brindlemoor::gallery
