// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QPoint>

#include <optional>

namespace brindlemoor {

/// The floating widgets' stored positions by app; anything but an object of objects of numbers is none at all.
QJsonObject decodeWidgetPositions(const QByteArray& data);
/// The window origin a stored position holds, bounded to a usable coordinate; none without both "x" and "y".
std::optional<QPoint> widgetOriginOf(const QJsonValue& value);
QJsonObject encodeWidgetOrigin(const QPoint& origin);

} // namespace brindlemoor
