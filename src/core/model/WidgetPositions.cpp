// SPDX-License-Identifier: MIT
#include "core/model/WidgetPositions.h"

#include "core/foundation/JsonCoding.h"

#include <algorithm>

namespace brindlemoor {

namespace {

// Far beyond any screen, and well inside an int: a stored number is bounded before it becomes a coordinate.
constexpr double coordinateBound = 1e6;

bool isPosition(const QJsonValue& value)
{
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    return std::all_of(object.begin(), object.end(), [](const QJsonValue& field) { return field.isDouble(); });
}

} // namespace

QJsonObject decodeWidgetPositions(const QByteArray& data)
{
    const auto object = json::parseObject(data);
    if (!object ||
        !std::all_of(object->begin(), object->end(), [](const QJsonValue& entry) { return isPosition(entry); }))
        return {};
    return *object;
}

std::optional<QPoint> widgetOriginOf(const QJsonValue& value)
{
    if (!isPosition(value))
        return std::nullopt;
    const QJsonObject object = value.toObject();
    if (!object.contains(QStringLiteral("x")) || !object.contains(QStringLiteral("y")))
        return std::nullopt;
    const auto coordinate = [&](const QString& name) {
        return qRound(std::clamp(object.value(name).toDouble(), -coordinateBound, coordinateBound));
    };
    return QPoint(coordinate(QStringLiteral("x")), coordinate(QStringLiteral("y")));
}

QJsonObject encodeWidgetOrigin(const QPoint& origin)
{
    return {{QStringLiteral("x"), origin.x()}, {QStringLiteral("y"), origin.y()}};
}

} // namespace brindlemoor
