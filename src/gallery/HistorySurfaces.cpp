// SPDX-License-Identifier: MIT
// The usage history's window: 14 days of two applications with a limit passed and a day missed,
// 12 weeks, an empty history, and a day chosen with the keyboard, light and dark.
#include "gallery/Gallery.h"

#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageHistory.h"
#include "core/model/UsageRecords.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/ManualClock.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/FocusRing.h"
#include "views/components/Spring.h"
#include "views/history/HistoryChart.h"
#include "views/history/HistoryView.h"
#include "views/history/HistoryWindow.h"

#include <QApplication>
#include <QComboBox>

#include <memory>

namespace brindlemoor::gallery {

namespace {

const QString kBrowser = QStringLiteral("org.mozilla.firefox");
const QString kEditor = QStringLiteral("org.gnome.TextEditor");
constexpr double kMinute = 60;
constexpr double kBrowserLimit = 45 * kMinute;
constexpr double kEditorLimit = 90 * kMinute;
constexpr double kDailyLimit = 180 * kMinute;

enum class Story {
    Days,     // the daily total over 14 days: one day over the limit, one missed
    AppDays,  // the browser alone, with its own limit
    Weeks,    // the daily total over 12 weeks, with a week away
    Empty,    // the first day, nothing used yet
    Selected, // the browser's days with the keyboard on the day it passed its limit
};

DayRecord madeUpDay(const QDate& date, int daysAgo)
{
    // Repeatable variety: weekends lighter, one day running long.
    const bool weekend = date.dayOfWeek() >= 6;
    double browser = (weekend ? 15 : 25) * kMinute + (daysAgo * 37 % 31) * kMinute;
    double editor = weekend ? (daysAgo % 4) * 10 * kMinute : (40 + daysAgo * 53 % 70) * kMinute;
    if (daysAgo == 5) {
        browser = 72 * kMinute;
        editor = 118 * kMinute;
    }
    DayRecord day;
    day.day = date.toString(Qt::ISODate);
    day.apps = {{kBrowser, browser, kBrowserLimit, browser >= kBrowserLimit},
                {kEditor, editor, kEditorLimit, editor >= kEditorLimit}};
    std::sort(day.apps.begin(), day.apps.end(),
              [](const AppDayRecord& a, const AppDayRecord& b) { return a.seconds > b.seconds; });
    day.totalSeconds = browser + editor;
    day.dailyLimitSeconds = kDailyLimit;
    day.outcome = day.totalSeconds >= kDailyLimit ? DayOutcome::OverLimit : DayOutcome::WithinLimits;
    return day;
}

struct Scene {
    explicit Scene(Story story)
    {
        prefs.saveMonitoredApps({{kBrowser, 45}, {kEditor, 90}});
        prefs.setDailyLimitMinutes(180);
        const QDate today = clock.now().date();
        PersistedState state;
        state.lastResetDay = today.toString(Qt::ISODate);
        if (story != Story::Empty) {
            UsageHistory history(defaults);
            for (int daysAgo = 83; daysAgo >= 1; --daysAgo) {
                // A Saturday the computer stayed off, and a week away.
                if (daysAgo == 3 || (daysAgo >= 43 && daysAgo <= 50))
                    continue;
                history.record(madeUpDay(today.addDays(-daysAgo), daysAgo), UsageHistory::defaultKeptDays);
            }
            state.entries.insert(kBrowser, Entry{kBrowser, 38 * kMinute, 38 * kMinute, 9});
            state.entries.insert(kEditor, Entry{kEditor, 52 * kMinute, 52 * kMinute, 4});
        }
        defaults.setValue(keys::usageDailyData, state.encode().value_or(QByteArray()));
        usage = std::make_unique<UsageStore>(defaults, clock);
        model = std::make_unique<TodayModel>(prefs, *usage);
    }

    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(16, 30))};
    std::unique_ptr<UsageStore> usage;
    std::unique_ptr<TodayModel> model;
    FakeApplicationCatalog catalog{{{kBrowser, QStringLiteral("Firefox Web Browser"), {}, {}, false},
                                    {kEditor, QStringLiteral("Text Editor"), {}, {}, false}}};
};

QImage window(Gallery& gallery, Story story, qreal ratio)
{
    Scene scene(story);
    HistoryWindow window(gallery.appearance(), *scene.model, scene.catalog, scene.clock);
    window.show();
    HistoryView* view = window.view();
    if (story == Story::AppDays || story == Story::Selected)
        view->appChooser()->setCurrentIndex(view->appChooser()->findData(kBrowser));
    if (story == Story::Weeks) {
        // As a click on the segment would.
        view->spanPicker()->setSelection(static_cast<int>(HistorySpan::Weeks));
        Q_EMIT view->spanPicker()->selectionChanged(static_cast<int>(HistorySpan::Weeks));
    }
    if (story == Story::Selected) {
        QApplication::setActiveWindow(&window);
        moveKeyboardFocus(view->chart());
        view->chart()->setSelectedBar(historyDaysShown - 1 - 5);
    }
    QCoreApplication::sendPostedEvents();
    const QImage image = gallery.grab(&window, ratio);
    window.close();
    return image;
}

} // namespace

void renderHistorySurfaces(Gallery& gallery)
{
    SpringAnimation::setMotionEnabled(false);
    const struct {
        Story story;
        const char* name;
    } stories[] = {
        {Story::Days, "days"},   {Story::AppDays, "app-days"},  {Story::Weeks, "weeks"},
        {Story::Empty, "empty"}, {Story::Selected, "selected"},
    };
    for (const bool dark : {false, true}) {
        gallery.appearance().setDark(dark);
        for (const auto& s : stories) {
            gallery.save(QStringLiteral("history-%1-%2@1x")
                             .arg(QString::fromLatin1(s.name), dark ? QStringLiteral("dark") : QStringLiteral("light")),
                         window(gallery, s.story, 1));
        }
        gallery.save(QStringLiteral("history-days-%1@2x").arg(dark ? QStringLiteral("dark") : QStringLiteral("light")),
                     window(gallery, Story::Days, 2));
    }
}

} // namespace brindlemoor::gallery
