// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace brindlemoor {

/// "yyyy-MM-dd" of the instant's date in the local calendar and time zone.
/// Keys of the same calendar sort chronologically as plain strings.
QString dayKey(const QDateTime& instant);

/// The date a day key names, or none when the text is not a valid "yyyy-MM-dd" date.
std::optional<QDate> dateFromDayKey(const QString& key);

} // namespace brindlemoor
