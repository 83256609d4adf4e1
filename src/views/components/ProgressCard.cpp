// SPDX-License-Identifier: MIT
#include "views/components/ProgressCard.h"

#include "views/components/Blur.h"
#include "views/components/NamedColors.h"
#include "views/components/SymbolPainter.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brindlemoor::progresscard {

namespace {

constexpr qreal fillCornerRadius = 2;
constexpr qreal glowDiameter = 6;
constexpr qreal glowColorOpacity = 0.9;
constexpr qreal glowOpacity = 0.6;
constexpr qreal glowSigma = 3;
constexpr qreal shadowOffset = 0.5;
constexpr qreal shadowRadius = 1;

constexpr qreal timerSize = 14;
constexpr qreal timerShadowRadius = 3;
const QColor timerTop = QColor::fromRgbF(0.45f, 0.55f, 0.92f);
const QColor timerBottom = QColor::fromRgbF(0.35f, 0.48f, 0.85f);
const QColor timerShadow = QColor::fromRgbF(0.4f, 0.5f, 0.9f, 0.4f);

// The corner's curve starts this many radii from the corner and pulls its control points
// in so that it meets the edge without a kink and bulges about as far as a circle would.
constexpr qreal cornerReach = 1.28;
constexpr qreal cornerControl = 0.373;

} // namespace

QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    const qreal reach = std::min({radius * cornerReach, rect.width() / 2, rect.height() / 2});
    if (reach <= 0) {
        path.addRect(rect);
        return path;
    }
    const qreal control = reach * cornerControl / cornerReach;
    const qreal l = rect.left();
    const qreal t = rect.top();
    const qreal r = rect.right();
    const qreal b = rect.bottom();
    path.moveTo(l + reach, t);
    path.lineTo(r - reach, t);
    path.cubicTo(r - control, t, r, t + control, r, t + reach);
    path.lineTo(r, b - reach);
    path.cubicTo(r, b - control, r - control, b, r - reach, b);
    path.lineTo(l + reach, b);
    path.cubicTo(l + control, b, l, b - control, l, b - reach);
    path.lineTo(l, t + reach);
    path.cubicTo(l, t + control, l + control, t, l + reach, t);
    path.closeSubpath();
    return path;
}

void paintFill(QPainter& painter, const QRectF& card, qreal fraction, const QColor& color, qreal fadeStop)
{
    const qreal clamped = std::clamp(fraction, 0.0, 1.0);
    const qreal width = card.width() * clamped;
    if (width <= 0)
        return;
    const QRectF fill(card.left(), card.top(), width, card.height());
    const qreal corner = std::min(fillCornerRadius, width / 2);
    QPainterPath shape;
    shape.moveTo(fill.topLeft());
    shape.lineTo(fill.topRight());
    shape.lineTo(fill.right(), fill.bottom() - corner);
    shape.quadTo(fill.bottomRight(), QPointF(fill.right() - corner, fill.bottom()));
    shape.lineTo(fill.left() + corner, fill.bottom());
    shape.quadTo(fill.bottomLeft(), QPointF(fill.left(), fill.bottom() - corner));
    shape.closeSubpath();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (clamped <= unmaskedFraction) {
        QLinearGradient fade(fill.topLeft(), fill.topRight());
        fade.setColorAt(0, color);
        fade.setColorAt(fadeStop, color);
        fade.setColorAt(1, withOpacity(color, 0));
        painter.fillPath(shape, fade);
    } else {
        painter.fillPath(shape, color);
    }
    painter.restore();
}

void paintGlow(QPainter& painter, const QRectF& card, qreal fraction, const QColor& color)
{
    const qreal clamped = std::clamp(fraction, 0.0, 1.0);
    if (clamped <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF center(card.left() + card.width() * clamped, card.center().y());
    const qreal radius = glowDiameter / 2;
    paintBlurredDisc(painter, center, radius, glowSigma, radius + 3 * glowSigma, withOpacity(color, glowColorOpacity),
                     glowOpacity);
    painter.restore();
}

void paintGloss(QPainter& painter, const QRectF& card, qreal whiteOpacity)
{
    QLinearGradient gloss(card.topLeft(), card.bottomLeft());
    gloss.setColorAt(0, withOpacity(Qt::white, whiteOpacity));
    gloss.setColorAt(1, withOpacity(Qt::white, 0));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(card, cornerRadius), gloss);
    painter.restore();
}

void paintBorder(QPainter& painter, const QRectF& card, qreal width, const QColor& color)
{
    const qreal inset = width / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousRoundedRect(card.adjusted(inset, inset, -inset, -inset), cornerRadius - inset));
    painter.restore();
}

void paintWithShadow(QPainter& painter, const QRectF& area, const QColor& shadow,
                     const std::function<void(QPainter&)>& draw)
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    const int blur = std::max(1, static_cast<int>(std::lround(shadowRadius * ratio)));
    // Room for the blur around the content; whole points, so that the text lands on the same pixels.
    const QRectF padded =
        area.adjusted(-2 * shadowRadius, -2 * shadowRadius, 2 * shadowRadius, 2 * shadowRadius).toAlignedRect();
    QImage layer((padded.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter content(&layer);
        content.translate(-padded.topLeft());
        content.setFont(painter.font());
        draw(content);
    }
    QImage silhouette = layer;
    {
        QPainter tint(&silhouette);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(QRectF(QPointF(0, 0), padded.size()), shadow);
    }
    QImage blurred = blurImage(silhouette, blur);
    blurred.setDevicePixelRatio(ratio);
    painter.drawImage(padded.topLeft() + QPointF(0, shadowOffset), blurred);
    painter.drawImage(padded.topLeft(), layer);
}

QColor contentShadow(bool dark)
{
    return dark ? withOpacity(Qt::black, 0.5) : withOpacity(Qt::white, 0.6);
}

QMarginsF shadowReach(qreal radius, qreal offsetY)
{
    // A shadow's radius reads as about twice the Gaussian's deviation, which fades out by three deviations.
    const qreal spread = std::ceil(radius * 1.5);
    return {spread, std::max(0.0, spread - offsetY), spread, spread + offsetY};
}

void paintDropShadow(QPainter& painter, const QRectF& card, const QColor& color, qreal radius, qreal offsetY)
{
    if (color.alpha() == 0)
        return;
    const qreal ratio = painter.device()->devicePixelRatioF();
    const qreal spread = std::ceil(radius * 1.5);
    const QRectF area = card.adjusted(-spread, -spread, spread, spread);
    QImage shape((area.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter fill(&shape);
        fill.setRenderHint(QPainter::Antialiasing);
        fill.scale(ratio, ratio);
        fill.fillPath(continuousRoundedRect(card.translated(-area.topLeft()), cornerRadius), color);
    }
    // Three box passes of radius r come to a deviation of about r + 0.5.
    QImage blurred = blurImage(shape, std::max(1, static_cast<int>(std::lround(radius / 2 * ratio - 0.5))));
    {
        // Around the card only: under a see-through card the shadow would grey the card itself.
        QPainter cut(&blurred);
        cut.setRenderHint(QPainter::Antialiasing);
        cut.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        cut.scale(ratio, ratio);
        cut.fillPath(continuousRoundedRect(card.translated(-area.topLeft() - QPointF(0, offsetY)), cornerRadius),
                     Qt::black);
    }
    blurred.setDevicePixelRatio(ratio);
    painter.drawImage(area.topLeft() + QPointF(0, offsetY), blurred);
}

qreal dailyTimerSide()
{
    return SymbolPainter::side(timerSize);
}

void paintDailyTimer(QPainter& painter, const QPointF& centre)
{
    const QRectF box = SymbolPainter::box(centre, timerSize);
    SymbolPainter::paintShadow(painter, Symbol::Timer, box, QFont::DemiBold, timerShadow, timerShadowRadius);
    // Spans the symbol itself, top-leading to bottom-trailing.
    QLinearGradient gradient(0, 0, 1, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, timerTop);
    gradient.setColorAt(1, timerBottom);
    SymbolPainter::paint(painter, Symbol::Timer, box, QFont::DemiBold, gradient);
}

} // namespace brindlemoor::progresscard
