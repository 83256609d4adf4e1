// SPDX-License-Identifier: MIT
// The menu popover's insights row, closed and open, light and dark, at ratios 1 and 2.
#include "gallery/Gallery.h"

#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/ManualClock.h"
#include "views/components/NamedColors.h"
#include "views/components/Spring.h"
#include "views/insights/ReflectionPanelRow.h"

#include <QPainter>

namespace brindlemoor::gallery {

namespace {

constexpr int kColumn = 322; // the popover's column within its padding
constexpr int kPadding = 14;

const QString kBrowser = QStringLiteral("org.mozilla.firefox");
const QString kEditor = QStringLiteral("org.gnome.TextEditor");

enum class Story {
    Busy,     // near the daily limit, with a week and a half of alerts
    NewUser,  // a good pace and nothing stored yet
    LimitHit, // over the limit after a calm week
};

struct Scene {
    explicit Scene(Story story)
        : clock(QDateTime(QDate(2026, 3, 10), QTime(16, 30)))
        , prefs(defaults)
        , catalog({{kBrowser, QStringLiteral("Firefox Web Browser"), {}, {}, false},
                   {kEditor, QStringLiteral("Text Editor"), {}, {}, false}})
    {
        prefs.saveMonitoredApps({{kBrowser, 45}, {kEditor, 90}});
        prefs.setDailyLimitMinutes(story == Story::NewUser ? 240 : 180);
        PersistedState state;
        state.lastResetDay = QStringLiteral("2026-03-10");
        const double used = story == Story::Busy ? 155 * 60 : (story == Story::NewUser ? 50 * 60 : 181 * 60);
        state.entries.insert(kBrowser, Entry{kBrowser, used, used, 12});
        defaults.setValue(keys::usageDailyData, *state.encode());

        DayHistory history;
        for (int day = 1; day <= 9; ++day) {
            const QString key = QStringLiteral("2026-03-0%1").arg(day);
            const bool breached = story == Story::Busy ? day != 6 : (story == Story::LimitHit && day == 2);
            if (story != Story::NewUser)
                history.insert(key, breached ? 2 : 0);
            if (breached) {
                PastDays(defaults).recordBreachHours({{kBrowser, day < 4 ? QList<qint64>{14, 21} : QList<qint64>{21}},
                                                      {kEditor, day % 3 == 0 ? QList<qint64>{10} : QList<qint64>{}}},
                                                     key);
            }
        }
        PastDays(defaults).saveHistory(history);
    }

    MemoryKeyValueStore defaults;
    ManualClock clock;
    PreferencesStore prefs;
    FakeApplicationCatalog catalog;
};

QImage panel(Gallery& gallery, Story story, bool expanded, bool dark, qreal ratio)
{
    gallery.appearance().setDark(dark);
    Scene scene(story);
    UsageStore usage(scene.defaults, scene.clock);
    const TodayModel today(scene.prefs, usage);
    ReflectionPanelRow row(gallery.appearance(), ReflectionEngine(scene.catalog, scene.clock), today);
    row.setExpanded(expanded);
    row.resize(kColumn, row.heightForWidth(kColumn));
    const QImage content = gallery.grab(&row, ratio);

    const QSize size(kColumn + 2 * kPadding, row.height() + 2 * kPadding);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(roleColor(ColorRole::PopoverBackground, gallery.appearance().scheme()));
    QPainter(&image).drawImage(QPointF(kPadding, kPadding), content);
    return image;
}

} // namespace

void renderInsightsSurfaces(Gallery& gallery)
{
    SpringAnimation::setMotionEnabled(false); // the panel opens and its cards fade in at once
    for (const bool dark : {false, true}) {
        const QString tone = dark ? QStringLiteral("dark") : QStringLiteral("light");
        for (const qreal ratio : {1.0, 2.0}) {
            const QString suffix = QStringLiteral("%1@%2x").arg(tone).arg(ratio);
            gallery.save(QStringLiteral("insights-closed-") + suffix, panel(gallery, Story::Busy, false, dark, ratio));
            gallery.save(QStringLiteral("insights-open-busy-") + suffix,
                         panel(gallery, Story::Busy, true, dark, ratio));
        }
        gallery.save(QStringLiteral("insights-open-new-user-%1@1x").arg(tone),
                     panel(gallery, Story::NewUser, true, dark, 1));
        gallery.save(QStringLiteral("insights-open-limit-reached-%1@1x").arg(tone),
                     panel(gallery, Story::LimitHit, true, dark, 1));
    }
}

} // namespace brindlemoor::gallery
