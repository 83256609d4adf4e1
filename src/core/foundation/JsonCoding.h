// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QUuid>

#include <optional>

namespace brindlemoor::json {

// The stored documents keep the encoding rules of the program's first platform:
// timestamps as fractional seconds since 2001-01-01 00:00:00 UTC, UUIDs as
// 36-character upper-case text, absent optional fields left out, compact output.

double timestampFromDateTime(const QDateTime& dateTime);
QDateTime dateTimeFromTimestamp(double seconds);

QString uuidText(const QUuid& uuid);
std::optional<QUuid> uuidFromText(const QString& text);

QByteArray compact(const QJsonObject& object);

/// Parses bytes that must hold one JSON object; garbage, truncation or another top-level type give none.
std::optional<QJsonObject> parseObject(const QByteArray& data);

// Strict readers: a value of the wrong JSON type gives none, as a typed decoder would.
std::optional<QString> readString(const QJsonValue& value);
std::optional<double> readNumber(const QJsonValue& value);
/// A JSON number that is a whole number within 64-bit range.
std::optional<qint64> readInteger(const QJsonValue& value);

/// A number that JSON can carry (no NaN or infinity).
bool isEncodable(double value);

} // namespace brindlemoor::json
