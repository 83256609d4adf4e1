// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace brindlemoor {

/// The formatter of the number fields: whole numbers within a range, no grouping; minutes from 0
/// to 1440 unless told otherwise.
class MinutesFormatter final {
public:
    static constexpr qint64 minutesMinimum = 0;
    static constexpr qint64 minutesMaximum = 1440;

    explicit MinutesFormatter(qint64 minimum = minutesMinimum, qint64 maximum = minutesMaximum)
        : m_minimum(minimum)
        , m_maximum(maximum)
    {
    }

    /// The number the text says, or none when the formatter rejects it.
    std::optional<qint64> value(const QString& text) const;
    QString text(qint64 value) const { return QString::number(value); }

private:
    qint64 m_minimum;
    qint64 m_maximum;
};

} // namespace brindlemoor
