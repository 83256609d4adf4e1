// SPDX-License-Identifier: MIT
#include "core/status/TodayStatus.h"

#include "core/foundation/DurationText.h"
#include "core/foundation/Scheduler.h"
#include "core/model/PreferencesStore.h"
#include "core/model/TodayModel.h"
#include "core/settings/ApplicationCatalog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

const QString paused = QStringLiteral("paused");

// The order in which levels outrank each other.
const QStringList levels{QStringLiteral("none"), QStringLiteral("under"), QStringLiteral("near"),
                         QStringLiteral("reached")};

StatusFigures figures(const LimitProgress& progress, NearFrom near)
{
    StatusFigures figures{std::llround(progress.used), std::nullopt, levels.first()};
    if (!progress.limit)
        return figures;
    figures.limitSeconds = std::llround(progress.limit->seconds());
    figures.level = levels.at(static_cast<int>(progress.level(near)) + 1);
    return figures;
}

QJsonValue jsonLimit(const std::optional<qint64>& seconds)
{
    return seconds ? QJsonValue(*seconds) : QJsonValue(QJsonValue::Null);
}

QJsonObject jsonFigures(const StatusFigures& figures)
{
    return {{QStringLiteral("seconds"), figures.seconds},
            {QStringLiteral("limitSeconds"), jsonLimit(figures.limitSeconds)},
            {QStringLiteral("level"), figures.level}};
}

} // namespace

QString TodayStatus::overallLevel() const
{
    if (paused)
        return brindlemoor::paused;
    qsizetype highest = levels.indexOf(total.level);
    for (const AppStatus& app : apps)
        highest = std::max(highest, levels.indexOf(app.figures.level));
    return levels.value(highest, levels.first());
}

TodayStatus todayStatus(const TodayModel& today, const ApplicationCatalog& catalog)
{
    TodayStatus status{today.isPaused(), figures(today.daily(), NearFrom::At80Percent), {}};
    QStringList seen;
    for (const MonitoredAppConfig& config : today.settings().monitoredApps()) {
        if (seen.contains(config.bundleID))
            continue;
        seen.append(config.bundleID);
        // The popover's rows warn past 80 %, the daily bar from 80 %: each figure says what its view shows.
        status.apps.append({config.bundleID, applicationDisplayName(catalog, config.bundleID),
                            figures(today.app(config.bundleID), NearFrom::Past80Percent)});
    }
    std::stable_sort(status.apps.begin(), status.apps.end(),
                     [](const AppStatus& a, const AppStatus& b) { return a.figures.seconds > b.figures.seconds; });
    return status;
}

std::optional<StatusFormat> statusFormatNamed(const QString& name)
{
    if (name == QLatin1String("text"))
        return StatusFormat::Text;
    if (name == QLatin1String("json"))
        return StatusFormat::Json;
    if (name == QLatin1String("waybar"))
        return StatusFormat::Waybar;
    return std::nullopt;
}

namespace {

QString spokenFigures(const StatusFigures& figures)
{
    if (!figures.limitSeconds)
        return DurationText::spoken(static_cast<double>(figures.seconds));
    return StatusText::tr("%1 of %2")
        .arg(DurationText::spoken(static_cast<double>(figures.seconds)),
             DurationText::spoken(static_cast<double>(*figures.limitSeconds)));
}

QStringList spokenParts(const TodayStatus& status)
{
    QStringList parts;
    if (status.paused)
        parts.append(StatusText::tr("Monitoring paused"));
    parts.append(StatusText::tr("Today %1").arg(spokenFigures(status.total)));
    for (const AppStatus& app : status.apps)
        parts.append(QStringLiteral("%1 %2").arg(app.name, spokenFigures(app.figures)));
    return parts;
}

} // namespace

QByteArray StatusText::format(const TodayStatus& status, StatusFormat format)
{
    switch (format) {
    case StatusFormat::Text:
        return (spokenParts(status).join(QStringLiteral(" \u00b7 ")) + u'\n').toUtf8();
    case StatusFormat::Json: {
        QJsonArray apps;
        for (const AppStatus& app : status.apps) {
            QJsonObject object = jsonFigures(app.figures);
            object.insert(QStringLiteral("id"), app.id);
            object.insert(QStringLiteral("name"), app.name);
            apps.append(object);
        }
        const QJsonObject object{{QStringLiteral("paused"), status.paused},
                                 {QStringLiteral("total"), jsonFigures(status.total)},
                                 {QStringLiteral("apps"), apps}};
        return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    }
    case StatusFormat::Waybar: {
        QJsonObject object{{QStringLiteral("text"), DurationText::dailyUsed(static_cast<double>(status.total.seconds))},
                           {QStringLiteral("tooltip"), spokenParts(status).join(u'\n')},
                           {QStringLiteral("class"), status.overallLevel()}};
        if (status.total.limitSeconds && *status.total.limitSeconds > 0) {
            const qint64 percent = status.total.seconds * 100 / *status.total.limitSeconds;
            object.insert(QStringLiteral("percentage"), std::min<qint64>(percent, 100));
        }
        return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    }
    }
    return {};
}

StatusBroadcast::StatusBroadcast(const TodayModel& today, const ApplicationCatalog& catalog, Scheduler& scheduler,
                                 QObject* parent)
    : QObject(parent)
    , m_today(today)
    , m_catalog(catalog)
    , m_scheduler(scheduler)
    , m_sent(todayStatus(today, catalog))
{
    connect(&m_today, &TodayModel::changed, this, &StatusBroadcast::onChanged);
    connect(&m_catalog, &ApplicationCatalog::applicationsChanged, this, &StatusBroadcast::onChanged);
}

void StatusBroadcast::onChanged()
{
    if (m_quiet) {
        m_pending = true;
        return;
    }
    sendIfChanged();
    keepQuiet();
}

void StatusBroadcast::keepQuiet()
{
    m_quiet = true;
    m_scheduler.runAfter(std::chrono::seconds(1), this, [this] {
        m_quiet = false;
        if (std::exchange(m_pending, false))
            onChanged();
    });
}

void StatusBroadcast::sendIfChanged()
{
    TodayStatus status = todayStatus(m_today, m_catalog);
    if (status == m_sent)
        return;
    m_sent = std::move(status);
    Q_EMIT statusChanged(m_sent);
}

} // namespace brindlemoor
