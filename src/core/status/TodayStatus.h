// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/LimitProgress.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace brindlemoor {

class ApplicationCatalog;
class Scheduler;
class TodayModel;

/// One limit's figures as panels and scripts read them.
struct StatusFigures {
    qint64 seconds = 0;
    std::optional<qint64> limitSeconds; ///< none for no limit
    /// "none" without a limit, else "under", "near" or "reached", by the rule the program's own views use.
    QString level;

    friend bool operator==(const StatusFigures&, const StatusFigures&) = default;
};

struct AppStatus {
    QString id;
    QString name;
    StatusFigures figures;

    friend bool operator==(const AppStatus&, const AppStatus&) = default;
};

/// Today as the program answers outside itself: every watched application, most used first, and
/// the daily total.
struct TodayStatus {
    bool paused = false;
    StatusFigures total;
    QList<AppStatus> apps;

    /// "paused", else the highest level of the total and the applications: what the tray dot shows.
    QString overallLevel() const;

    friend bool operator==(const TodayStatus&, const TodayStatus&) = default;
};

TodayStatus todayStatus(const TodayModel& today, const ApplicationCatalog& catalog);

enum class StatusFormat {
    Text,   ///< one line for a terminal
    Json,   ///< the figures as they are
    Waybar, ///< what waybar's custom module reads: text, tooltip, class, percentage
};

/// "text", "json" or "waybar"; none for anything else.
std::optional<StatusFormat> statusFormatNamed(const QString& name);

class StatusText final {
    Q_DECLARE_TR_FUNCTIONS(StatusText)

public:
    /// The status in `format`, ending with a line break.
    static QByteArray format(const TodayStatus& status, StatusFormat format);
};

/// Announces today's status when it changes: at once, then at most once a second while changes
/// keep coming, and not at all for a change that leaves the figures as they were (a second credited
/// to an application that is not watched, a setting that no figure shows).
class StatusBroadcast final : public QObject {
    Q_OBJECT

public:
    StatusBroadcast(const TodayModel& today, const ApplicationCatalog& catalog, Scheduler& scheduler,
                    QObject* parent = nullptr);

Q_SIGNALS:
    void statusChanged(const brindlemoor::TodayStatus& status);

private:
    void onChanged();
    void sendIfChanged();
    void keepQuiet();

    const TodayModel& m_today;
    const ApplicationCatalog& m_catalog;
    Scheduler& m_scheduler;
    TodayStatus m_sent;
    bool m_quiet = false;   ///< a change was sent less than a second ago
    bool m_pending = false; ///< and another came since
};

} // namespace brindlemoor
