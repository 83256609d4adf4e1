// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace brindlemoor {

/// The tint of an insight's icon. The core names it; the views resolve it for the
/// appearance (teal is the same in light and dark).
enum class InsightAccent {
    NeonRed,
    NeonOrange,
    Teal,
};

/// One card of the reflection panel.
struct Insight {
    QString icon; ///< a symbol name, e.g. "moon.fill"
    QString title;
    QString body;
    std::optional<InsightAccent> accent; ///< none: the card's own secondary tint
    int priority = 0;                    ///< smaller comes first

    friend bool operator==(const Insight&, const Insight&) = default;
};

} // namespace brindlemoor
