// SPDX-License-Identifier: MIT
#include "core/foundation/DayKey.h"

#include <QRegularExpression>

namespace brindlemoor {

QString dayKey(const QDateTime& instant)
{
    // Formatting with an explicit pattern uses ASCII digits whatever the user's locale.
    return instant.toLocalTime().date().toString(QStringLiteral("yyyy-MM-dd"));
}

std::optional<QDate> dateFromDayKey(const QString& key)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!pattern.match(key).hasMatch())
        return std::nullopt;
    const QDate date = QDate::fromString(key, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace brindlemoor
