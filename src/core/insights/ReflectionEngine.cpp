// SPDX-License-Identifier: MIT
#include "core/insights/ReflectionEngine.h"

#include "core/foundation/Clock.h"
#include "core/foundation/DayKey.h"
#include "core/model/PastDays.h"
#include "core/model/PreferencesStore.h"
#include "core/model/TodayModel.h"
#include "core/settings/ApplicationCatalog.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTime>

#include <algorithm>
#include <array>
#include <cmath>

namespace brindlemoor {

namespace {

constexpr int kWeek = 7;
// The clean share needs most of a week before a percentage means anything.
constexpr int kCleanShareMinimumDays = 5;
constexpr int kCleanSharePercent = 60;

/// The breach records of monitored apps only: apps no longer watched do not count.
class Breaches {
public:
    Breaches(const BreachHoursByDay& byDay, const QList<MonitoredAppConfig>& apps)
        : m_byDay(byDay)
    {
        for (const MonitoredAppConfig& app : apps) {
            if (!m_apps.contains(app.bundleID))
                m_apps.append(app.bundleID);
        }
    }

    const QStringList& apps() const { return m_apps; }
    const BreachHoursByDay& byDay() const { return m_byDay; }

    /// How many times any monitored app's limit cue fired that day; a repeated hour counts each time.
    qint64 hoursOn(const QString& day) const
    {
        qint64 total = 0;
        const BreachHours hours = m_byDay.value(day);
        for (const QString& app : m_apps)
            total += hours.value(app).size();
        return total;
    }
    qint64 hoursOn(const QStringList& days) const
    {
        qint64 total = 0;
        for (const QString& day : days)
            total += hoursOn(day);
        return total;
    }

private:
    const BreachHoursByDay& m_byDay;
    QStringList m_apps;
};

} // namespace

ReflectionEngine::ReflectionEngine(const ApplicationCatalog& catalog, const Clock& clock)
    : m_catalog(catalog)
    , m_clock(clock)
{
}

namespace {

// Where no language is chosen (the C locale) the program's texts are American English, and so
// are its dates and hours; Qt's C locale would write "5 Mar" and "13:00:00".
QLocale labelLocale()
{
    const QLocale locale;
    return locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale;
}

// Qt has no month-and-day format: the locale's long date without its weekday and year (and what
// belongs to them), its month abbreviated: "MMM d" in English, "d. MMM" in German.
QString monthDayFormat(const QLocale& locale)
{
    static const QRegularExpression weekdayOrYear(QStringLiteral(
        R"([,\x{060C}]?\s*(?:dddd[^\sdMy']*|(?:'[^']*'\s*)?y+[\x{5E74}\x{B144}]?(?:\.?\s*'[^']*')*[,.\x{060C}]?)\s*)"));
    QString format = locale.dateFormat(QLocale::LongFormat).remove(weekdayOrYear).trimmed();
    return format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
}

} // namespace

QString ReflectionEngine::relativeDayLabel(const QString& dayKey, const QDate& today)
{
    const auto date = dateFromDayKey(dayKey);
    if (!date)
        return dayKey;
    const qint64 days = date->daysTo(today);
    if (days == 1)
        return tr("yesterday");
    if (days == 0)
        return tr("today");
    const QLocale locale = labelLocale();
    if (days >= 2 && days <= 6)
        return locale.dayName(date->dayOfWeek());
    return locale.toString(*date, monthDayFormat(locale));
}

QString ReflectionEngine::hourLabel(int hour)
{
    const QLocale locale = labelLocale();
    QString format = locale.timeFormat(QLocale::ShortFormat);
    // On a 12-hour clock the hour and its AM or PM say it, closed up as a label ("1PM"); a 24-hour
    // clock keeps its minutes ("13:00"), since a bare 13 reads as a count.
    if (format.contains(u"ap", Qt::CaseInsensitive)) {
        static const QRegularExpression minutesAndGap(QStringLiteral(R"([:.]?m+|\s+(?=ap))"),
                                                      QRegularExpression::CaseInsensitiveOption);
        format.remove(minutesAndGap);
    }
    return locale.toString(QTime(hour, 0), format);
}

QList<Insight> ReflectionEngine::generateInsights(const TodayModel& todayModel) const
{
    const PreferencesStore& prefs = todayModel.settings();
    const PastDays& past = todayModel.pastDays();
    const QDateTime now = m_clock.now().toLocalTime();
    const QString today = dayKey(now);
    const BreachHoursByDay byDay = past.breachHoursByDay();
    const Breaches breaches(byDay, prefs.monitoredApps());

    // Days before today with at least one limit alert, oldest first (map keys sort by date).
    QStringList pastDays;
    for (auto it = byDay.keyBegin(); it != byDay.keyEnd(); ++it) {
        if (*it < today)
            pastDays.append(*it);
    }

    QList<Insight> insights;

    // Daily pace. used / limit × 100 would show 1044 s of an hour as 28 %, so the percentage divides last.
    if (const LimitProgress daily = todayModel.daily(); daily.limit && daily.limit->seconds() > 0) {
        const QString usedTitle = tr("%1% of daily limit used").arg(daily.percentUsed());
        const LimitLevel level = daily.level(NearFrom::At80Percent);
        if (level == LimitLevel::Reached) {
            insights.append({QStringLiteral("moon.fill"), tr("Daily limit reached"),
                             tr("You've used your full daily allocation. Rest intentionally — it counts too."),
                             InsightAccent::NeonRed, 1});
        } else if (level == LimitLevel::Near) {
            insights.append({QStringLiteral("timer"), usedTitle,
                             tr("You're approaching your daily screen time. A good time to start wrapping up."),
                             InsightAccent::NeonOrange, 1});
        } else if (daily.percentUsed() >= 1) {
            insights.append({QStringLiteral("leaf.fill"), usedTitle, tr("You're within your daily limit. Good pace."),
                             InsightAccent::Teal, 2});
        }
    }

    // Most-pushed app: the most days with a breach; ties go to the earlier app in the watched list.
    QString pushedApp;
    qint64 pushedDays = 0;
    qint64 pushedHours = 0;
    for (const QString& app : breaches.apps()) {
        qint64 days = 0;
        qint64 hours = 0;
        for (const QString& day : pastDays) {
            const qint64 count = byDay.value(day).value(app).size();
            days += count > 0 ? 1 : 0;
            hours += count;
        }
        if (days > pushedDays) {
            pushedApp = app;
            pushedDays = days;
            pushedHours = hours;
        }
    }
    if (pushedDays >= 1) {
        const int days = static_cast<int>(pushedDays);
        const int hours = static_cast<int>(pushedHours);
        //: Fills the %1 of "Breached on %1 in the past 14 days (%2)."
        const QString daysText = tr("%n day(s)", nullptr, days);
        //: Fills the %2 of "Breached on %1 in the past 14 days (%2)."
        const QString hoursText = tr("%n total breach-hour(s)", nullptr, hours);
        insights.append({QStringLiteral("app.badge.fill"),
                         tr("%1 pushes your limits most").arg(applicationDisplayName(m_catalog, pushedApp)),
                         tr("Breached on %1 in the past 14 days (%2). Consider a shorter limit or a pre-session timer.")
                             .arg(daysText, hoursText),
                         InsightAccent::NeonOrange, 3});
    }

    // Week trend: the last seven breach days against the seven before them.
    const qsizetype thisWeekStart = std::max<qsizetype>(0, pastDays.size() - kWeek);
    const qsizetype lastWeekStart = std::max<qsizetype>(0, thisWeekStart - kWeek);
    const qint64 thisWeek = breaches.hoursOn(pastDays.mid(thisWeekStart));
    const qint64 lastWeek = breaches.hoursOn(pastDays.mid(lastWeekStart, thisWeekStart - lastWeekStart));
    if (lastWeek > 0 && lastWeek != thisWeek) {
        const int change = static_cast<int>(std::abs(lastWeek - thisWeek));
        if (lastWeek > thisWeek) {
            insights.append(
                {QStringLiteral("chart.line.downtrend.xyaxis"),
                 tr("%n fewer breach-hour(s) this week", nullptr, change),
                 tr("%1 this week vs %2 last week. Your limits are starting to stick.").arg(thisWeek).arg(lastWeek),
                 InsightAccent::Teal, 4});
        } else {
            insights.append({QStringLiteral("chart.line.uptrend.xyaxis"),
                             tr("%n more breach-hour(s) this week", nullptr, change),
                             tr("%1 this week vs %2 last week. Awareness starts with noticing the pattern.")
                                 .arg(thisWeek)
                                 .arg(lastWeek),
                             InsightAccent::NeonOrange, 4});
        }
    }

    // Peak hour; an hour outside the day (a damaged record) is not counted.
    std::array<qint64, 24> byHour{};
    for (const QString& day : pastDays) {
        const BreachHours hours = byDay.value(day);
        for (const QString& app : breaches.apps()) {
            for (const qint64 hour : hours.value(app)) {
                if (hour >= 0 && hour < 24)
                    ++byHour[static_cast<size_t>(hour)];
            }
        }
    }
    const auto peak = std::max_element(byHour.begin(), byHour.end()); // the earliest hour among equals
    if (*peak >= 2) {
        const QString label = hourLabel(static_cast<int>(peak - byHour.begin()));
        insights.append({QStringLiteral("sun.haze.fill"), tr("Most breaches happen around %1").arg(label),
                         tr("Your limits get pushed most at this time of day. A short break before %1 might help you "
                            "reset.")
                             .arg(label),
                         std::nullopt, 5});
    }

    // Clean days. The history holds every finished day (0: no limit reached), the breach
    // document only days with alerts, so together they know the clean days too. A day the
    // history calls clean still had an alert if one is recorded: a reset after the alert
    // clears the counts the history's value is computed from.
    const DayHistory history = past.history();
    QStringList finishedDays = pastDays;
    for (auto it = history.keyBegin(); it != history.keyEnd(); ++it) {
        if (*it < today && !byDay.contains(*it))
            finishedDays.append(*it);
    }
    std::sort(finishedDays.begin(), finishedDays.end());
    const auto isClean = [&](const QString& day) { return history.value(day, 0) == 0 && breaches.hoursOn(day) == 0; };

    if (const auto last = std::find_if(finishedDays.crbegin(), finishedDays.crend(), isClean);
        last != finishedDays.crend()) {
        insights.append({QStringLiteral("sun.max.fill"),
                         tr("Last clean day: %1").arg(relativeDayLabel(*last, now.date())),
                         tr("No limits breached that day. What made it different? More breaks, less "
                            "context-switching, or a focused block?"),
                         InsightAccent::Teal, 6});
    }
    const QStringList window = finishedDays.mid(std::max<qsizetype>(0, finishedDays.size() - kWeek));
    if (window.size() >= kCleanShareMinimumDays) {
        const auto clean = std::count_if(window.begin(), window.end(), isClean);
        const int percent = static_cast<int>(clean * 100 / window.size());
        if (percent >= kCleanSharePercent) {
            insights.append({QStringLiteral("sparkles"), tr("%1% clean days this week").arg(percent),
                             tr("More than half your days this week had no breaches. Awareness is building."),
                             InsightAccent::Teal, 5});
        }
    }

    if (insights.isEmpty() || (insights.size() == 1 && insights.first().priority == 2)) {
        insights.append({QStringLiteral("eye"), tr("Building your usage picture"),
                         tr("Insights appear here as patterns emerge. Use Brindlemoor for a couple of days and check "
                            "back."),
                         std::nullopt, 10});
    }

    std::stable_sort(insights.begin(), insights.end(),
                     [](const Insight& a, const Insight& b) { return a.priority < b.priority; });
    return insights;
}

} // namespace brindlemoor
