// SPDX-License-Identifier: MIT
#include "views/settings/MinutesFormatter.h"

namespace brindlemoor {

std::optional<qint64> MinutesFormatter::value(const QString& text) const
{
    const QString trimmed = text.trimmed();
    // Digits only: no sign, no fraction, no grouping; too many digits cannot be in range anyway.
    if (trimmed.isEmpty() || trimmed.size() > 9)
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qint64 number = trimmed.toLongLong();
    if (number < m_minimum || number > m_maximum)
        return std::nullopt;
    return number;
}

} // namespace brindlemoor
