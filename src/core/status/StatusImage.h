// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PreferencesStore.h"

#include <QString>

namespace brindlemoor {

/// What the tray image shows; the view turns it into pixels.
struct StatusImage {
    enum class Kind {
        Normal, ///< a dot in the user's colour: every watched app under its limit
        Red,    ///< one or more watched apps at their limits
        Paused, ///< a hollow ring in the label colour at half opacity
    };

    Kind kind = Kind::Normal;
    RgbColor color;      ///< the user's dot colour; used by Normal only
    bool square = false; ///< Red only: a rounded square instead of a dot
    QString badge;       ///< Red only: "" for one app, "2" to "9", "9+"

    friend bool operator==(const StatusImage&, const StatusImage&) = default;
};

} // namespace brindlemoor
