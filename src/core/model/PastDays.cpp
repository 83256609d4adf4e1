// SPDX-License-Identifier: MIT
#include "core/model/PastDays.h"

#include "core/foundation/CoreLogging.h"
#include "core/foundation/JsonCoding.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/SettingsKeys.h"

#include <QJsonObject>

namespace brindlemoor {

namespace {

std::optional<DayHistory> decodeHistory(const QByteArray& data)
{
    const auto object = json::parseObject(data);
    if (!object)
        return std::nullopt;
    DayHistory history;
    for (auto it = object->begin(); it != object->end(); ++it) {
        const auto value = json::readInteger(it.value());
        if (!value)
            return std::nullopt;
        history.insert(it.key(), *value);
    }
    return history;
}

std::optional<BreachHoursByDay> decodeBreachHoursByDay(const QByteArray& data)
{
    const auto object = json::parseObject(data);
    if (!object)
        return std::nullopt;
    BreachHoursByDay byDay;
    for (auto it = object->begin(); it != object->end(); ++it) {
        auto hours = decodeBreachHours(it.value());
        if (!hours)
            return std::nullopt;
        byDay.insert(it.key(), *hours);
    }
    return byDay;
}

} // namespace

PastDays::PastDays(KeyValueStore& defaults)
    : m_defaults(defaults)
{
}

DayHistory PastDays::history() const
{
    const QByteArray data = m_defaults.dataValue(keys::mindfulnessHistory);
    if (data.isEmpty())
        return {};
    if (auto decoded = decodeHistory(data))
        return *decoded;
    qCWarning(lcCore).noquote() << QStringLiteral("cannot decode historyData \u2014 returning an empty history");
    return {};
}

void PastDays::saveHistory(const DayHistory& history)
{
    QJsonObject object;
    for (auto it = history.begin(); it != history.end(); ++it)
        object.insert(it.key(), it.value());
    m_defaults.setValue(keys::mindfulnessHistory, json::compact(object));
}

BreachHoursByDay PastDays::breachHoursByDay() const
{
    return decodeBreachHoursByDay(m_defaults.dataValue(keys::breachHoursByDay)).value_or(BreachHoursByDay{});
}

void PastDays::recordBreachHours(const BreachHours& hours, const QString& day)
{
    if (hours.isEmpty())
        return;
    BreachHoursByDay byDay = breachHoursByDay();
    byDay.insert(day, hours);
    keepLatestDays(byDay);
    QJsonObject object;
    for (auto it = byDay.begin(); it != byDay.end(); ++it)
        object.insert(it.key(), encodeBreachHours(it.value()));
    m_defaults.setValue(keys::breachHoursByDay, json::compact(object));
}

} // namespace brindlemoor
