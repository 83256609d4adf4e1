// SPDX-License-Identifier: MIT
#include "views/status/OverlayButton.h"

#include "views/components/FocusRing.h"
#include "views/components/SymbolPainter.h"
#include "views/status/OverlayBackdrop.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

constexpr qreal paddingX = 22;
constexpr qreal paddingY = 13;
constexpr qreal leadingSize = 16;
constexpr qreal leadingSpacing = 8;
constexpr int shadowBlur = 8;
constexpr int shadowOffsetY = 4;

// The overlay always uses the dark scheme, whose primary foreground is white.
QColor primary(qreal alpha)
{
    QColor color(Qt::white);
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

QPainterPath capsule(const QRectF& rect)
{
    QPainterPath path;
    const qreal radius = rect.height() / 2;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

OverlayButton::OverlayButton(const QString& label, QString icon, bool showCountdown, bool highContrast, QWidget* parent)
    : QAbstractButton(parent)
    , m_icon(std::move(icon))
    , m_showCountdown(showCountdown)
    , m_highContrast(highContrast)
{
    setText(label);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    resize(sizeHint());
}

void OverlayButton::setTimerProgress(qreal progress)
{
    progress = std::clamp(progress, 0.0, 1.0);
    if (qFuzzyCompare(progress + 1, m_timerProgress + 1))
        return;
    m_timerProgress = progress;
    update();
}

QMargins OverlayButton::shadowMargins()
{
    return {shadowBlur, std::max(0, shadowBlur - shadowOffsetY), shadowBlur, shadowBlur + shadowOffsetY};
}

QFont OverlayButton::labelFont() const
{
    QFont font = this->font();
    font.setPixelSize(15);
    font.setWeight(QFont::DemiBold);
    return font;
}

QSize OverlayButton::sizeHint() const
{
    const QFontMetricsF metrics(labelFont());
    const qreal width = leadingSize + leadingSpacing + metrics.horizontalAdvance(text()) + 2 * paddingX;
    const qreal height = std::max(leadingSize, metrics.height()) + 2 * paddingY;
    const QMargins margins = shadowMargins();
    return {static_cast<int>(std::ceil(width)) + margins.left() + margins.right(),
            static_cast<int>(std::ceil(height)) + margins.top() + margins.bottom()};
}

QRectF OverlayButton::capsuleRect() const
{
    return {rect().marginsRemoved(shadowMargins())};
}

bool OverlayButton::hitButton(const QPoint& pos) const
{
    return capsule(capsuleRect()).contains(QPointF(pos));
}

void OverlayButton::paintLeading(QPainter& painter, const QRectF& box) const
{
    if (m_showCountdown) {
        painter.setPen(QPen(primary(0.25), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box);
        if (m_timerProgress > 0) {
            QPen arc(primary(0.85), 2);
            arc.setCapStyle(Qt::FlatCap);
            painter.setPen(arc);
            // From twelve o'clock, clockwise; Qt counts angles anticlockwise in 1/16 degree.
            painter.drawArc(box, 90 * 16, -qRound(m_timerProgress * 360 * 16));
        }
        return;
    }
    if (const auto symbol = symbolFromName(m_icon))
        SymbolPainter::paint(painter, *symbol, box, QFont::DemiBold, primary(1));
}

void OverlayButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = capsuleRect();

    // The blurred shadow is the costly part; it changes only with size and scale.
    const qreal ratio = devicePixelRatioF();
    if (m_shadow.isNull() || m_shadow.deviceIndependentSize() != QSizeF(size()) || m_shadowRatio != ratio) {
        QImage shape(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        shape.setDevicePixelRatio(ratio);
        shape.fill(Qt::transparent);
        QPainter shadowPainter(&shape);
        shadowPainter.setRenderHint(QPainter::Antialiasing);
        shadowPainter.fillPath(capsule(body.translated(0, shadowOffsetY)), QColor(0, 0, 0, 46));
        shadowPainter.end();
        m_shadow = blurImage(shape, qRound(shadowBlur * ratio / 2.5));
        m_shadow.setDevicePixelRatio(ratio);
        m_shadowRatio = ratio;
    }
    painter.drawImage(QPointF(0, 0), m_shadow);

    const qreal fill = isDown() ? 0.26 : (underMouse() ? 0.20 : 0.12);
    const QPainterPath outline = capsule(body.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.fillPath(outline, primary(fill));
    painter.strokePath(outline, QPen(primary(1), 1));

    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    const qreal contentWidth = leadingSize + leadingSpacing + metrics.horizontalAdvance(text());
    const qreal left = body.center().x() - contentWidth / 2;
    paintLeading(painter, QRectF(left, body.center().y() - leadingSize / 2, leadingSize, leadingSize));

    painter.setFont(font);
    painter.setPen(primary(1));
    const qreal baseline = body.center().y() - metrics.height() / 2 + metrics.ascent();
    painter.drawText(QPointF(left + leadingSize + leadingSpacing, baseline), text());

    // Over a frosted picture of the screen, the ring is white like the outline, a step outside it.
    if (showsFocusRing(this))
        paintFocusRing(painter, body.adjusted(-3, -3, 3, 3), body.height() / 2 + 3,
                       Scheme{.dark = true, .highContrast = m_highContrast}, primary(1));
}

void OverlayButton::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace brindlemoor
