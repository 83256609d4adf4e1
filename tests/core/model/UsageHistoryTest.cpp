// SPDX-License-Identifier: MIT
#include "core/model/UsageHistory.h"
#include "core/foundation/DayKey.h"
#include "core/model/HistoryExport.h"
#include "core/model/HistorySeries.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "support/MessageLog.h"
#include "support/QtPrinting.h"
#include "support/VirtualDay.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <optional>

using namespace brindlemoor;
using brindlemoor::test::VirtualDay;

namespace brindlemoor {

// Records that differ are shown as a person reads them, not byte by byte.
void PrintTo(const DayRecord& record, std::ostream* out)
{
    *out << record.day.toStdString() << ": " << record.totalSeconds << " s, outcome "
         << static_cast<qint64>(record.outcome);
    for (const AppDayRecord& app : record.apps)
        *out << "; " << app.bundleID.toStdString() << ' ' << app.seconds << " s of " << app.limitSeconds.value_or(-1)
             << (app.overLimit ? " over" : "");
}

} // namespace brindlemoor

namespace {

const QString kApp = QStringLiteral("org.gnome.Calculator");
const QString kOther = QStringLiteral("debian-xterm");
const QString kThird = QStringLiteral("org.gnome.TextEditor");

QString keyOf(QDate date)
{
    return dayKey(date.startOfDay());
}

void tickTimes(UsageStore& store, const QString& app, int times)
{
    for (int i = 0; i < times; ++i)
        store.tick(app);
}

/// A store that keeps what a crash would leave: everything written up to the first save of the usage
/// document after the history was written, without that save.
class CrashImageStore final : public KeyValueStore {
public:
    QVariant value(const QString& key) const override { return live.value(key); }
    bool setValue(const QString& key, const QVariant& value) override
    {
        if (key == keys::usageHistory)
            historyWritten = true;
        else if (key == keys::usageDailyData && historyWritten && !image)
            image = live;
        return live.setValue(key, value);
    }
    bool remove(const QString& key) override { return live.remove(key); }

    MemoryKeyValueStore live;
    std::optional<MemoryKeyValueStore> image;
    bool historyWritten = false;
};

} // namespace

TEST(UsageHistory, KeepsEachClosedDaysWholeUseLimitsAndOutcome)
{
    // The first day was stored with an extension of the app's limit.
    VirtualDay day;
    day.defaults.setValue(keys::usageDailyData,
                          QStringLiteral(R"({"entries":{"%1":{"bundleID":"%1","sessionSeconds":50,)"
                                         R"("cumulativeSeconds":50,"switchCount":1}},"todayIntervals":[],)"
                                         R"("lastResetDay":"2026-03-10","appExtensions":{"%1":30}})")
                              .arg(kApp)
                              .toUtf8());
    day.prefs.addApp(kApp);
    day.prefs.setLimit(kApp, 1);
    UsageStore usage(day.defaults, day.clock);
    const TodayModel today(day.prefs, usage);
    tickTimes(usage, kApp, 40); // reaches 60 s plus the extension's 30

    // The second: the app is reset after passing its limit and used again within it, an app that is not
    // watched is used, one is only switched to, and the daily limit is extended.
    day.clock.set(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
    tickTimes(usage, kApp, 90);
    day.prefs.setDailyLimitMinutes(2);
    usage.resetApp(kApp);
    tickTimes(usage, kApp, 30);
    tickTimes(usage, kOther, 10);
    usage.incrementSwitchCount(kThird);
    ASSERT_TRUE(today.daily().isReached());
    usage.extendDaily(1, 120);
    const double extendedDaily = usage.dailyLimit()->seconds();
    ASSERT_FALSE(today.daily().isReached());

    day.clock.set(QDateTime(QDate(2026, 3, 12), QTime(9, 0)));
    usage.tick(kOther);
    const DayRecords kept = usage.history().days();
    EXPECT_EQ(kept.keys(), (QStringList{QStringLiteral("2026-03-10"), QStringLiteral("2026-03-11")}));
    EXPECT_EQ(
        kept.value(QStringLiteral("2026-03-10")),
        (DayRecord{QStringLiteral("2026-03-10"), {{kApp, 90, 90, true}}, 90, std::nullopt, DayOutcome::OverLimit}));
    EXPECT_EQ(kept.value(QStringLiteral("2026-03-11")),
              (DayRecord{QStringLiteral("2026-03-11"),
                         {{kApp, 120, 60, false}, {kOther, 10, std::nullopt, false}},
                         130,
                         extendedDaily,
                         DayOutcome::WithinLimits}))
        << "the app's use in all, judged by its counter since the reset";

    // The model adds the day being counted after the kept ones.
    const DayRecords shown = today.history();
    EXPECT_EQ(shown.lastKey(), QStringLiteral("2026-03-12"));
    EXPECT_EQ(shown.last(), usage.dayRecord());
    EXPECT_EQ(shown.first(), kept.first());
}

TEST(UsageHistory, AClockThatJumpsKeepsEachRealDayOnce)
{
    const QDate start(2026, 3, 10);
    struct Case {
        const char* name;
        QList<qint64> jumps;        // days from the start; five seconds after each, ten before the first
        QMap<QString, double> kept; // day -> seconds in all
    };
    const Case cases[] = {
        {"back within a fortnight: the stored day goes on", {-5}, {}},
        {"back, then past the stored day", {-5, 1}, {{QStringLiteral("2026-03-10"), 15}}},
        {"far forward: the stored day once", {400}, {{QStringLiteral("2026-03-10"), 10}}},
        // Ahead by six weeks for two days; back, its seconds carry over; the next real day drops the record
        // that the clock wrote ahead.
        {"ahead, then back", {41, 42, 1, 2}, {{QStringLiteral("2026-03-10"), 10}, {QStringLiteral("2026-03-11"), 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualDay day(QDateTime(start, QTime(9, 0)));
        UsageStore usage(day.defaults, day.clock);
        tickTimes(usage, kApp, 10);
        for (const qint64 jump : c.jumps) {
            day.clock.set(QDateTime(start.addDays(jump), QTime(9, 0)));
            tickTimes(usage, kApp, 5);
        }
        QMap<QString, double> kept;
        for (const DayRecord& record : usage.history().days())
            kept.insert(record.day, record.totalSeconds);
        EXPECT_EQ(kept, c.kept);
    }
}

TEST(UsageHistory, ACrashBeforeTheNewDayIsSavedClosesTheSameDayAgainUnchanged)
{
    ManualClock clock(QDateTime(QDate(2026, 3, 10), QTime(21, 0)));
    CrashImageStore defaults;
    PreferencesStore prefs(defaults);
    prefs.addApp(kApp);
    prefs.setLimit(kApp, 1);
    prefs.setDailyLimitMinutes(1);
    UsageStore usage(defaults, clock);
    TodayModel today(prefs, usage);
    usage.recordBreachHour(kApp);
    today.extendDaily();
    // Ends on seconds that wait for the next save.
    tickTimes(usage, kApp, 73);
    tickTimes(usage, kOther, 5);
    const DayRecord closing = usage.dayRecord();

    clock.set(QDateTime(QDate(2026, 3, 11), QTime(0, 0, 5)));
    usage.tick(kOther);
    ASSERT_TRUE(defaults.image);
    const UsageHistory history(defaults.live);
    EXPECT_EQ(history.days(), (DayRecords{{closing.day, closing}}));

    // The restarted program finds the closed day still stored and closes it again.
    MemoryKeyValueStore& image = *defaults.image;
    PreferencesStore restartedPrefs(image);
    UsageStore restarted(image, clock);
    const TodayModel restartedToday(restartedPrefs, restarted);
    ASSERT_EQ(restarted.lastResetDay(), closing.day);
    restarted.tick(kOther);
    EXPECT_EQ(UsageHistory(image).days(), history.days());
    EXPECT_EQ(PastDays(image).history(), PastDays(defaults.live).history());
    EXPECT_EQ(PastDays(image).breachHoursByDay(), PastDays(defaults.live).breachHoursByDay());
    EXPECT_EQ(restarted.entries(), usage.entries()) << "the new day counts its second once";
}

TEST(UsageHistory, KeepsTheChosenNumberOfDaysAndSetsAnUnreadableDocumentAside)
{
    const QDate start(2026, 1, 1);
    VirtualDay day(QDateTime(start, QTime(9, 0)));
    day.prefs.setHistoryDays(90);
    UsageStore usage(day.defaults, day.clock);
    const TodayModel today(day.prefs, usage);
    const auto useDay = [&](qint64 index) {
        day.clock.set(QDateTime(start.addDays(index), QTime(9, 0)));
        usage.tick(kApp);
    };
    for (qint64 index = 0; index <= 100; ++index)
        useDay(index); // closes days 0 to 99
    DayRecords kept = usage.history().days();
    EXPECT_EQ(kept.size(), 90);
    EXPECT_EQ(kept.firstKey(), keyOf(start.addDays(10)));
    EXPECT_EQ(kept.lastKey(), keyOf(start.addDays(99)));

    // A shorter setting takes effect when the next day is closed.
    day.prefs.setHistoryDays(30);
    EXPECT_EQ(usage.history().days().size(), 90);
    useDay(101);
    kept = usage.history().days();
    EXPECT_EQ(kept.size(), 30);
    EXPECT_EQ(kept.firstKey(), keyOf(start.addDays(71)));

    // Each unreadable document is kept, the first where it was set aside.
    const QByteArray unreadable = R"({"2026-04-11":{"apps":[],"totalSeconds":"lots","outcome":0}})";
    const test::MessageLog log;
    for (const qint64 index : {102, 103}) {
        day.defaults.setValue(keys::usageHistory, unreadable + QByteArray::number(index));
        useDay(index);
        EXPECT_EQ(usage.history().days().keys(), QStringList{keyOf(start.addDays(index - 1))});
    }
    EXPECT_EQ(day.defaults.dataValue(keys::unreadableUsageHistory), unreadable + "102");
    EXPECT_EQ(day.defaults.dataValue(keys::unreadableUsageHistory + QStringLiteral(".2")), unreadable + "103");
    EXPECT_EQ(log.lines().size(), 2);
}

TEST(HistoryExport, RowsFollowTheDaysTheProgramCountedAcrossMidnightAndGaps)
{
    VirtualDay day(QDateTime(QDate(2026, 3, 10), QTime(23, 59, 58)));
    day.prefs.addApp(kApp);
    day.prefs.setLimit(kApp, 1);
    UsageStore usage(day.defaults, day.clock);
    const TodayModel today(day.prefs, usage);
    for (int second = 0; second < 4; ++second) {
        usage.tick(kApp);
        day.clock.advanceMs(1000);
    }
    // The 12th the program did not run.
    day.clock.set(QDateTime(QDate(2026, 3, 13), QTime(9, 0)));
    usage.tick(kOther);

    const QDate thirteenth(2026, 3, 13);
    const auto nameOf = [](const QString& id) { return id == kApp ? QStringLiteral("Calc, \"Pro\"") : id; };
    const auto csvRows = [&](qint64 lastDays) {
        const QString text =
            QString::fromUtf8(exportHistory(today.history(), ExportFormat::Csv, lastDays, thirteenth, nameOf));
        return text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).mid(1);
    };
    EXPECT_EQ(csvRows(0), (QStringList{
                              QStringLiteral(R"(2026-03-10,org.gnome.Calculator,"Calc, ""Pro""",2,60,within)"),
                              QStringLiteral(R"(2026-03-11,org.gnome.Calculator,"Calc, ""Pro""",2,60,within)"),
                              QStringLiteral("2026-03-13,debian-xterm,debian-xterm,1,,"),
                          }));
    EXPECT_EQ(csvRows(3).size(), 2) << "the 11th and the 13th";
    EXPECT_TRUE(csvRows(3).first().startsWith(QStringLiteral("2026-03-11,")));

    const QJsonObject json =
        QJsonDocument::fromJson(exportHistory(today.history(), ExportFormat::Json, 0, thirteenth, nameOf)).object();
    QStringList days;
    for (const QJsonValue& total : json.value(QStringLiteral("days")).toArray())
        days.append(total[QStringLiteral("day")].toString());
    EXPECT_EQ(days,
              (QStringList{QStringLiteral("2026-03-10"), QStringLiteral("2026-03-11"), QStringLiteral("2026-03-13")}));
    const QJsonArray rows = json.value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][QStringLiteral("name")].toString(), nameOf(kApp));
    EXPECT_EQ(rows[0][QStringLiteral("limitSeconds")].toInteger(), 60);
    EXPECT_TRUE(rows[2][QStringLiteral("limitSeconds")].isNull()) << "no limit for an app not watched";
    EXPECT_TRUE(rows[2][QStringLiteral("outcome")].isNull());
}

TEST(HistorySeries, AveragesCountEveryDayFromTheFirstRecordAndWeeksFollowTheLocale)
{
    // Recorded: Wednesday the 11th, Friday the 13th and today, Tuesday the 17th.
    const QDate today(2026, 3, 17);
    const auto recordOf = [](QDate date, double seconds) {
        return DayRecord{
            keyOf(date), {{kApp, seconds, std::nullopt, false}}, seconds, std::nullopt, DayOutcome::WithinLimits};
    };
    DayRecords days;
    days.insert(keyOf(QDate(2026, 3, 11)), recordOf(QDate(2026, 3, 11), 600));
    days.insert(keyOf(QDate(2026, 3, 13)), recordOf(QDate(2026, 3, 13), 300));
    days.insert(keyOf(today), recordOf(today, 120));

    struct Case {
        int firstDayOfWeek;
        QDate earlierWeek;
        double earlierWeekAverage; // 900 s over the days from the Wednesday to the week's end
        double thisWeekAverage;    // 120 s over the days of this week so far
    };
    const Case cases[] = {
        {1, QDate(2026, 3, 9), 900.0 / 5, 120.0 / 2},
        {7, QDate(2026, 3, 8), 900.0 / 4, 120.0 / 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstDayOfWeek);
        for (const QString& app : {kApp, QString()}) {
            const HistorySeries weeks = historySeries(days, app, HistorySpan::Weeks, today, c.firstDayOfWeek);
            ASSERT_EQ(weeks.bars.size(), historyWeeksShown);
            const HistoryBar& earlier = weeks.bars.at(historyWeeksShown - 2);
            const HistoryBar& current = weeks.bars.last();
            EXPECT_EQ(earlier.first, c.earlierWeek);
            EXPECT_EQ(earlier.recordedDays, 2);
            EXPECT_DOUBLE_EQ(earlier.seconds, c.earlierWeekAverage);
            EXPECT_EQ(current.first, c.earlierWeek.addDays(7));
            EXPECT_EQ(current.last, today);
            EXPECT_DOUBLE_EQ(current.seconds, c.thisWeekAverage);
            EXPECT_EQ(weeks.bars.at(historyWeeksShown - 3).recordedDays, 0);
            // Seven days from the Wednesday to today: a week, whose average is its total.
            EXPECT_DOUBLE_EQ(weeks.dailyAverage, 1020.0 / 7);
            EXPECT_DOUBLE_EQ(weeks.weeklyAverage, 1020.0);
            EXPECT_DOUBLE_EQ(historySeries(days, app, HistorySpan::Days, today, c.firstDayOfWeek).dailyAverage,
                             weeks.dailyAverage);
        }
    }

    // Records from before the fortnight: the program ran then, so the fortnight's days without one had no use.
    days.insert(keyOf(QDate(2026, 2, 1)), recordOf(QDate(2026, 2, 1), 5000));
    EXPECT_DOUBLE_EQ(historySeries(days, kApp, HistorySpan::Days, today, 1).dailyAverage, 1020.0 / historyDaysShown);
}
