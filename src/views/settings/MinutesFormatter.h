// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace brindlemoor {

/// The formatter of the minute fields: whole numbers from 0 to 1440, no grouping.
class MinutesFormatter final {
public:
    static constexpr qint64 minimum = 0;
    static constexpr qint64 maximum = 1440;

    /// The number the text says, or none when the formatter rejects it.
    std::optional<qint64> value(const QString& text) const;
    QString text(qint64 value) const { return QString::number(value); }
};

} // namespace brindlemoor
