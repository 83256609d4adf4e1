// SPDX-License-Identifier: MIT
#include "core/model/UsageHistory.h"

#include "core/foundation/CoreLogging.h"
#include "core/foundation/DayKey.h"
#include "core/foundation/JsonCoding.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/SettingsKeys.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace brindlemoor {

namespace {

const QString appsKey = QStringLiteral("apps");
const QString idKey = QStringLiteral("bundleID");
const QString secondsKey = QStringLiteral("seconds");
const QString limitKey = QStringLiteral("limitSeconds");
const QString overKey = QStringLiteral("over");
const QString totalKey = QStringLiteral("totalSeconds");
const QString dailyLimitKey = QStringLiteral("dailyLimitSeconds");
const QString outcomeKey = QStringLiteral("outcome");

void insertLimit(QJsonObject& object, const QString& key, const std::optional<double>& seconds)
{
    if (seconds)
        object.insert(key, *seconds);
}

// Absent is no limit; present must be a number.
bool readLimit(const QJsonObject& object, const QString& key, std::optional<double>& seconds)
{
    if (!object.contains(key))
        return true;
    seconds = json::readNumber(object.value(key));
    return seconds.has_value();
}

std::optional<AppDayRecord> decodeApp(const QJsonValue& value)
{
    const QJsonObject object = value.toObject();
    const auto id = json::readString(object.value(idKey));
    const auto seconds = json::readNumber(object.value(secondsKey));
    const QJsonValue over = object.value(overKey);
    AppDayRecord app;
    if (!value.isObject() || !id || !seconds || !over.isBool() || !readLimit(object, limitKey, app.limitSeconds))
        return std::nullopt;
    app.bundleID = *id;
    app.seconds = *seconds;
    app.overLimit = over.toBool();
    return app;
}

std::optional<DayRecord> decodeDay(const QString& day, const QJsonValue& value)
{
    const QJsonObject object = value.toObject();
    const auto total = json::readNumber(object.value(totalKey));
    const auto outcome = json::readInteger(object.value(outcomeKey));
    const QJsonValue apps = object.value(appsKey);
    DayRecord record;
    if (!value.isObject() || !dateFromDayKey(day) || !total || !outcome || !apps.isArray() ||
        !readLimit(object, dailyLimitKey, record.dailyLimitSeconds))
        return std::nullopt;
    record.day = day;
    record.totalSeconds = *total;
    record.outcome =
        *outcome == static_cast<qint64>(DayOutcome::OverLimit) ? DayOutcome::OverLimit : DayOutcome::WithinLimits;
    for (const auto& item : apps.toArray()) {
        auto app = decodeApp(item);
        if (!app)
            return std::nullopt;
        record.apps.append(std::move(*app));
    }
    return record;
}

} // namespace

const AppDayRecord* DayRecord::app(const QString& bundleID) const
{
    const auto it =
        std::find_if(apps.begin(), apps.end(), [&](const AppDayRecord& app) { return app.bundleID == bundleID; });
    return it == apps.end() ? nullptr : &*it;
}

UsageHistory::UsageHistory(KeyValueStore& defaults)
    : m_defaults(defaults)
{
}

DayRecords UsageHistory::days() const
{
    const QByteArray data = m_defaults.dataValue(keys::usageHistory);
    if (data.isEmpty())
        return {};
    if (auto days = decode(data))
        return *days;
    qCWarning(lcCore).noquote()
        << QStringLiteral("cannot decode %1 \u2014 reading no past days").arg(keys::usageHistory);
    return {};
}

bool UsageHistory::record(const DayRecord& record, qint64 keptDays)
{
    const QByteArray data = m_defaults.dataValue(keys::usageHistory);
    auto decoded = data.isEmpty() ? std::optional<DayRecords>(DayRecords{}) : decode(data);
    if (!decoded) {
        // Set aside, not overwritten: what was kept may still be read by hand, and so may whatever
        // was set aside before.
        QString aside = keys::unreadableUsageHistory;
        for (int copy = 2; m_defaults.value(aside).isValid(); ++copy)
            aside = keys::unreadableUsageHistory + QLatin1Char('.') + QString::number(copy);
        qCWarning(lcCore).noquote() << QStringLiteral("cannot decode %1 \u2014 keeping it as %2 and beginning anew")
                                           .arg(keys::usageHistory, aside);
        if (!m_defaults.setValue(aside, data))
            return false;
        decoded.emplace();
    }
    DayRecords& days = *decoded;
    days.insert(record.day, record);
    // Day keys sort as dates. Days after the recorded one were written by a clock that was ahead:
    // they would outlive every real day, so they go too.
    const QDate last = *dateFromDayKey(record.day);
    const QString first = dayKey(last.addDays(1 - std::clamp<qint64>(keptDays, 1, maxKeptDays)).startOfDay());
    days.erase(days.begin(), days.lowerBound(first));
    days.erase(days.upperBound(record.day), days.end());
    return m_defaults.setValue(keys::usageHistory, encode(days));
}

QByteArray UsageHistory::encode(const DayRecords& days)
{
    QJsonObject document;
    for (const DayRecord& day : days) {
        QJsonArray apps;
        for (const AppDayRecord& app : day.apps) {
            QJsonObject object{{idKey, app.bundleID}, {secondsKey, app.seconds}, {overKey, app.overLimit}};
            insertLimit(object, limitKey, app.limitSeconds);
            apps.append(object);
        }
        QJsonObject object{
            {appsKey, apps}, {totalKey, day.totalSeconds}, {outcomeKey, static_cast<qint64>(day.outcome)}};
        insertLimit(object, dailyLimitKey, day.dailyLimitSeconds);
        document.insert(day.day, object);
    }
    return json::compact(document);
}

std::optional<DayRecords> UsageHistory::decode(const QByteArray& data)
{
    const auto object = json::parseObject(data);
    if (!object)
        return std::nullopt;
    DayRecords days;
    for (auto it = object->begin(); it != object->end(); ++it) {
        auto day = decodeDay(it.key(), it.value());
        if (!day)
            return std::nullopt;
        days.insert(it.key(), *day);
    }
    return days;
}

} // namespace brindlemoor
