// SPDX-License-Identifier: MIT
#include "core/model/UsageRecords.h"

#include "core/foundation/JsonCoding.h"

#include <QJsonArray>
#include <QJsonObject>

namespace brindlemoor {

namespace {

// The closed intervals end the saved document, written after this text and before "]}".
constexpr QByteArrayView intervalsOpening(R"(,"todayIntervals":[)");

QString key(const char* name)
{
    return QString::fromLatin1(name);
}

QJsonObject encodeInterval(const UsageInterval& interval)
{
    QJsonObject object{{key("id"), json::uuidText(interval.id)},
                       {key("bundleID"), interval.bundleID},
                       {key("start"), json::timestampFromDateTime(interval.start)}};
    if (interval.end)
        object.insert(key("end"), json::timestampFromDateTime(*interval.end));
    return object;
}

std::optional<UsageInterval> decodeInterval(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto idText = json::readString(object.value(key("id")));
    const auto bundleID = json::readString(object.value(key("bundleID")));
    const auto start = json::readNumber(object.value(key("start")));
    if (!idText || !bundleID || !start)
        return std::nullopt;
    const auto id = json::uuidFromText(*idText);
    if (!id)
        return std::nullopt;
    UsageInterval interval{*id, *bundleID, json::dateTimeFromTimestamp(*start), std::nullopt};
    if (object.contains(key("end"))) {
        const auto end = json::readNumber(object.value(key("end")));
        if (!end)
            return std::nullopt;
        interval.end = json::dateTimeFromTimestamp(*end);
    }
    return interval;
}

std::optional<Entry> decodeEntry(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto bundleID = json::readString(object.value(key("bundleID")));
    const auto session = json::readNumber(object.value(key("sessionSeconds")));
    const auto cumulative = json::readNumber(object.value(key("cumulativeSeconds")));
    const auto switches = json::readInteger(object.value(key("switchCount")));
    if (!bundleID || !session || !cumulative || !switches)
        return std::nullopt;
    return Entry{*bundleID, *session, *cumulative, *switches};
}

} // namespace

QJsonObject encodeBreachHours(const BreachHours& hours)
{
    QJsonObject object;
    for (auto it = hours.begin(); it != hours.end(); ++it) {
        QJsonArray list;
        for (qint64 hour : it.value())
            list.append(hour);
        object.insert(it.key(), list);
    }
    return object;
}

std::optional<BreachHours> decodeBreachHours(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    BreachHours hours;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isArray())
            return std::nullopt;
        QList<qint64> list;
        for (const auto& hour : it.value().toArray()) {
            const auto number = json::readInteger(hour);
            if (!number)
                return std::nullopt;
            list.append(*number);
        }
        hours.insert(it.key(), list);
    }
    return hours;
}

const QByteArray& EncodedIntervals::update(const QList<UsageInterval>& intervals)
{
    if (intervals.size() < m_count || (m_count > 0 && intervals.at(m_count - 1) != *m_last)) {
        m_bytes.clear();
        m_count = 0;
    }
    for (; m_count < intervals.size(); ++m_count) {
        if (m_count > 0)
            m_bytes.append(',');
        m_bytes.append(json::compact(encodeInterval(intervals.at(m_count))));
    }
    m_last = m_count > 0 ? std::optional(intervals.last()) : std::nullopt;
    return m_bytes;
}

void EncodedIntervals::adopt(const QByteArray& document, const QList<UsageInterval>& intervals)
{
    const qsizetype at = document.lastIndexOf(intervalsOpening);
    if (at < 0 || !document.endsWith("]}"))
        return;
    // Everything before the key must close as an object without that key of its own: the key is then the
    // document's last member and not text within one of the intervals, and what follows it is that array.
    const auto front = json::parseObject(document.left(at) + '}');
    if (!front || front->contains(key("todayIntervals")))
        return;
    const qsizetype begin = at + intervalsOpening.size();
    m_bytes = document.mid(begin, document.size() - 2 - begin);
    m_count = intervals.size();
    m_last = intervals.isEmpty() ? std::nullopt : std::optional(intervals.last());
}

std::optional<QByteArray> PersistedState::encode() const
{
    EncodedIntervals intervals;
    return encode(intervals);
}

std::optional<QByteArray> PersistedState::encode(EncodedIntervals& intervals) const
{
    QJsonObject entriesObject;
    for (const Entry& entry : entries) {
        if (!json::isEncodable(entry.sessionSeconds) || !json::isEncodable(entry.cumulativeSeconds))
            return std::nullopt;
        entriesObject.insert(entry.bundleID, QJsonObject{{key("bundleID"), entry.bundleID},
                                                         {key("sessionSeconds"), entry.sessionSeconds},
                                                         {key("cumulativeSeconds"), entry.cumulativeSeconds},
                                                         {key("switchCount"), entry.switchCount}});
    }
    QJsonObject extensions;
    for (auto it = appExtensions.begin(); it != appExtensions.end(); ++it) {
        if (!json::isEncodable(it.value()))
            return std::nullopt;
        extensions.insert(it.key(), it.value());
    }
    if (!json::isEncodable(dailyExtension))
        return std::nullopt;

    QJsonObject document{{key("entries"), entriesObject},
                         {key("lastResetDay"), lastResetDay},
                         {key("todayBreachHours"), encodeBreachHours(todayBreachHours)},
                         {key("appExtensions"), extensions},
                         {key("dailyExtension"), dailyExtension}};
    if (currentInterval)
        document.insert(key("currentInterval"), encodeInterval(*currentInterval));
    // The intervals go last, where a JSON encoder that sorts keys puts them too. Only the counts at the
    // front change from one second to the next, so an unchanged length leaves the rest of the stored
    // bytes as they were, and SQLite rewrites only the pages that changed.
    const QByteArray& closed = intervals.update(todayIntervals);
    QByteArray bytes = json::compact(document);
    bytes.chop(1);
    bytes.reserve(bytes.size() + intervalsOpening.size() + closed.size() + 2);
    bytes.append(intervalsOpening).append(closed).append("]}");
    return bytes;
}

std::optional<PersistedState> PersistedState::decode(const QByteArray& data)
{
    const auto document = json::parseObject(data);
    if (!document)
        return std::nullopt;
    PersistedState state;

    const QJsonValue entriesValue = document->value(key("entries"));
    if (!entriesValue.isObject())
        return std::nullopt;
    const QJsonObject entriesObject = entriesValue.toObject();
    for (auto it = entriesObject.begin(); it != entriesObject.end(); ++it) {
        const auto entry = decodeEntry(it.value());
        if (!entry)
            return std::nullopt;
        state.entries.insert(it.key(), *entry);
    }

    const QJsonValue intervalsValue = document->value(key("todayIntervals"));
    if (!intervalsValue.isArray())
        return std::nullopt;
    for (const auto& item : intervalsValue.toArray()) {
        const auto interval = decodeInterval(item);
        if (!interval)
            return std::nullopt;
        state.todayIntervals.append(*interval);
    }

    if (document->contains(key("currentInterval"))) {
        const QJsonValue value = document->value(key("currentInterval"));
        // An explicit null is how some encoders write an absent optional.
        if (!value.isNull()) {
            const auto interval = decodeInterval(value);
            if (!interval)
                return std::nullopt;
            state.currentInterval = *interval;
        }
    }

    const auto lastResetDay = json::readString(document->value(key("lastResetDay")));
    if (!lastResetDay)
        return std::nullopt;
    state.lastResetDay = *lastResetDay;

    if (document->contains(key("todayBreachHours"))) {
        auto hours = decodeBreachHours(document->value(key("todayBreachHours")));
        if (!hours)
            return std::nullopt;
        state.todayBreachHours = std::move(*hours);
    }

    if (document->contains(key("appExtensions"))) {
        const QJsonValue value = document->value(key("appExtensions"));
        if (!value.isObject())
            return std::nullopt;
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const auto seconds = json::readNumber(it.value());
            if (!seconds)
                return std::nullopt;
            state.appExtensions.insert(it.key(), *seconds);
        }
    }

    if (document->contains(key("dailyExtension"))) {
        const auto seconds = json::readNumber(document->value(key("dailyExtension")));
        if (!seconds)
            return std::nullopt;
        state.dailyExtension = *seconds;
    }
    return state;
}

} // namespace brindlemoor
