// SPDX-License-Identifier: MIT
#include "core/foundation/JsonCoding.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace brindlemoor::json {

namespace {
// 2001-01-01 00:00:00 UTC in milliseconds since the Unix epoch.
constexpr qint64 referenceEpochMs = 978307200000LL;
} // namespace

double timestampFromDateTime(const QDateTime& dateTime)
{
    return static_cast<double>(dateTime.toMSecsSinceEpoch() - referenceEpochMs) / 1000.0;
}

QDateTime dateTimeFromTimestamp(double seconds)
{
    // A stored number may be anything; bounded far past any date, it can be neither out of llround's
    // range nor overflow when the reference is added.
    constexpr double boundMs = 4e18;
    const double ms = std::isnan(seconds) ? 0.0 : std::clamp(seconds * 1000.0, -boundMs, boundMs);
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    return QDateTime::fromMSecsSinceEpoch(referenceEpochMs + std::llround(ms), QTimeZone::UTC);
#else
    return QDateTime::fromMSecsSinceEpoch(referenceEpochMs + std::llround(ms), Qt::UTC);
#endif
}

QString uuidText(const QUuid& uuid)
{
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> uuidFromText(const QString& text)
{
    if (text.size() != 36)
        return std::nullopt;
    const QUuid uuid = QUuid::fromString(text);
    if (uuid.isNull() && text != QStringLiteral("00000000-0000-0000-0000-000000000000"))
        return std::nullopt;
    return uuid;
}

QByteArray compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<QJsonObject> parseObject(const QByteArray& data)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

std::optional<QString> readString(const QJsonValue& value)
{
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<double> readNumber(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    return value.toDouble();
}

std::optional<qint64> readInteger(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    // 2^63 is the first double past qint64's range.
    if (!std::isfinite(number) || std::trunc(number) != number || number < -9223372036854775808.0 ||
        number >= 9223372036854775808.0)
        return std::nullopt;
    return static_cast<qint64>(number);
}

bool isEncodable(double value)
{
    return std::isfinite(value);
}

} // namespace brindlemoor::json
