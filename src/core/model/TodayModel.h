// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/AppUsage.h"
#include "core/model/LimitProgress.h"
#include "core/model/UsageHistory.h"

#include <QObject>
#include <QStringList>

namespace brindlemoor {

class ApplicationCatalog;
class PastDays;
class PreferencesStore;
class UsageStore;

/// One extension of the daily limit: how much it grants and the limit the user set, which the
/// extension is measured from (not from one already extended).
struct DailyExtension {
    qint64 minutes = 0;
    double baseLimitSeconds = 0;
};

/// Today as every view shows it, built from the settings and the usage store: each watched
/// application's progress and the whole day's. Its actions are the only way a view changes
/// the day.
class TodayModel final : public QObject {
    Q_OBJECT

public:
    TodayModel(PreferencesStore& prefs, UsageStore& usage, QObject* parent = nullptr);

    /// The application's seconds against its limit today; no limit when it is not watched.
    LimitProgress app(const QString& bundleID) const;
    /// The day's total against the daily limit; no limit when none is set.
    LimitProgress daily() const;
    /// The watched applications used today, most used first.
    QList<AppUsage> rows(const ApplicationCatalog& catalog) const;
    /// The watched applications whose own limit is reached, as of the last change.
    const QStringList& appsAtLimit() const { return m_appsAtLimit; }
    bool hasWatchedApps() const;
    bool isWatched(const QString& bundleID) const;
    bool isPaused() const;
    bool showsTimeRemaining() const;
    /// What extending the daily limit grants now.
    DailyExtension nextExtension() const;

    const PreferencesStore& settings() const { return m_prefs; }
    const PastDays& pastDays() const;
    /// The kept days and the day being counted, which is the latest.
    DayRecords history() const;
    /// The day being counted alone: cheap where history() decodes every kept day.
    DayRecord todayRecord() const;

    void resetApp(const QString& bundleID);
    /// Lengthens today's daily limit by `nextExtension()`, or by one taken earlier (the break
    /// overlay offers the extension it showed).
    void extendDaily();
    void extendDaily(const DailyExtension& extension);
    void setPaused(bool paused);

Q_SIGNALS:
    /// Something any view shows changed: a counted second, a reset, an extension or a setting.
    void changed();
    /// An application's counted time was cleared: its limit may cue again today.
    void appReset(const QString& bundleID);

private:
    void applySettings();
    void update();

    PreferencesStore& m_prefs;
    UsageStore& m_usage;
    QStringList m_appsAtLimit;
};

} // namespace brindlemoor
