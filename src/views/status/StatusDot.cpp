// SPDX-License-Identifier: MIT
#include "views/status/StatusDot.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

constexpr qreal inset = 2;
constexpr qreal cornerRadius = 3;
constexpr qreal ringWidth = 1.5;
constexpr qreal highlightFraction = 0.4;

QColor blendTowardWhite(const QColor& color, qreal fraction)
{
    const auto blend = [fraction](qreal component) { return component + (1.0 - component) * fraction; };
    return QColor::fromRgbF(static_cast<float>(blend(color.redF())), static_cast<float>(blend(color.greenF())),
                            static_cast<float>(blend(color.blueF())), static_cast<float>(blend(color.alphaF())));
}

// Fonts are sized in pixels; a point size converted with the device's own resolution
// keeps the fractional sizes (9.5, 8.5) that QFont::setPixelSize would round away.
QFont badgeFont(const QString& badge, qreal unit, const QPaintDevice* device)
{
    QFont font = QGuiApplication::font();
    font.setBold(true);
    const qreal pixels = (badge.size() == 1 ? 9.5 : 8.5) * unit;
    const int dpi = device ? device->logicalDpiY() : 96;
    font.setPointSizeF(pixels * 72.0 / (dpi > 0 ? dpi : 96));
    return font;
}

} // namespace

StatusDotColors StatusDotColors::forAppearance(bool dark)
{
    // GNOME's text colours and reds (the lighter red on dark panels), so the image sits
    // among the panel's other icons; the ring replaces the label's alpha with its own.
    if (dark)
        return {QColor(0xff, 0xff, 0xff), QColor(0xed, 0x33, 0x3b)};
    return {QColor(0, 0, 0, 204), QColor(0xe0, 0x1b, 0x24)};
}

void drawStatusDot(QPainter& painter, QRectF rect, bool hollow, QColor color, const QString& shape,
                   const QString& badge, QColor label)
{
    QColor tint = hollow ? label : color.toRgb();
    if (!tint.isValid())
        tint = color;
    if (hollow)
        tint.setAlphaF(0.5F);

    // The design is the 18-point image; a tray host that wants another size gets every
    // measure scaled with it, drawn afresh rather than an 18-point bitmap enlarged.
    const qreal side = std::min(rect.width(), rect.height());
    const qreal unit = side / statusImageSize;
    const QRectF square(rect.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    // An inset of whole device pixels keeps the square's sides and the dot's extremes
    // crisp at sizes that are not multiples of 18.
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const qreal margin = std::round(inset * unit * ratio) / ratio;
    const QRectF shapeRect = square.adjusted(margin, margin, -margin, -margin);
    QPainterPath path;
    if (shape == QLatin1String("square"))
        path.addRoundedRect(shapeRect, cornerRadius * unit, cornerRadius * unit);
    else
        path.addEllipse(shapeRect);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (hollow) {
        painter.strokePath(path, QPen(tint, ringWidth * unit));
        painter.restore();
        return;
    }

    QLinearGradient gradient(shapeRect.center().x(), shapeRect.top(), shapeRect.center().x(), shapeRect.bottom());
    gradient.setColorAt(0, blendTowardWhite(tint, highlightFraction));
    gradient.setColorAt(1, tint);
    painter.fillPath(path, gradient);

    if (!badge.isEmpty()) {
        const QFont font = badgeFont(badge, unit, painter.device());
        const QFontMetricsF metrics(font, painter.device());
        const QSizeF size(metrics.horizontalAdvance(badge), metrics.height());
        const QPointF origin = shapeRect.center() - QPointF(size.width() / 2, size.height() / 2);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(origin.x(), origin.y() + metrics.ascent()), badge);
    }
    painter.restore();
}

void paintStatusImage(QPainter& painter, const QRectF& bounds, const StatusImage& image, bool dark)
{
    const StatusDotColors colors = StatusDotColors::forAppearance(dark);
    switch (image.kind) {
    case StatusImage::Kind::Paused:
        drawStatusDot(painter, bounds, true, colors.label, QStringLiteral("circle"), {}, colors.label);
        break;
    case StatusImage::Kind::Red:
        drawStatusDot(painter, bounds, false, colors.red,
                      image.square ? QStringLiteral("square") : QStringLiteral("circle"), image.badge, colors.label);
        break;
    case StatusImage::Kind::Normal:
        drawStatusDot(painter, bounds, false,
                      QColor::fromRgbF(static_cast<float>(image.color.red), static_cast<float>(image.color.green),
                                       static_cast<float>(image.color.blue)),
                      QStringLiteral("circle"), {}, colors.label);
        break;
    }
}

QImage renderStatusImage(const StatusImage& image, qreal devicePixelRatio, bool dark)
{
    const int pixels = qRound(statusImageSize * devicePixelRatio);
    QImage result(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    paintStatusImage(painter, QRectF(0, 0, statusImageSize, statusImageSize), image, dark);
    return result;
}

} // namespace brindlemoor
