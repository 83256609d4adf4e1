// SPDX-License-Identifier: MIT
#include "views/onboarding/WelcomeLogoView.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace brindlemoor {

WelcomeLogoView::WelcomeLogoView(int side, QWidget* parent)
    : QWidget(parent)
    , m_side(side)
{
    setFixedSize(side, side);
    setAccessibleName(QString());
}

void WelcomeLogoView::paint(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = box.width() / 100.0; // drawn on a 100-unit grid
    const QRectF tile = box.adjusted(4 * s, 4 * s, -4 * s, -4 * s);
    const qreal radius = 22 * s;

    // The tile: deep teal below, the dot's own teal above.
    QLinearGradient ground(tile.topLeft(), tile.bottomRight());
    ground.setColorAt(0, QColor(0x3d, 0xd2, 0xc6));
    ground.setColorAt(1, QColor(0x0e, 0x6b, 0x6b));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRoundedRect(tile, radius, radius);
    QLinearGradient sheen(tile.topLeft(), tile.bottomLeft());
    sheen.setColorAt(0, QColor(255, 255, 255, 46));
    sheen.setColorAt(0.55, QColor(255, 255, 255, 0));
    painter.setBrush(sheen);
    painter.drawRoundedRect(tile, radius, radius);

    // Rings going out from the dot, fainter as they widen: time noticed, gently.
    const QPointF centre = tile.center() + QPointF(0, 1 * s);
    const struct {
        qreal radius;
        int alpha;
    } rings[] = {{19, 150}, {28, 90}, {37, 40}};
    painter.setBrush(Qt::NoBrush);
    for (const auto& ring : rings) {
        painter.setPen(QPen(QColor(255, 255, 255, ring.alpha), 2.6 * s));
        painter.drawEllipse(centre, ring.radius * s, ring.radius * s);
    }

    // The dot with its glow.
    QRadialGradient glow(centre, 18 * s);
    glow.setColorAt(0, QColor(255, 255, 255, 120));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 18 * s, 18 * s);
    QRadialGradient dot(centre - QPointF(3 * s, 3 * s), 12 * s);
    dot.setColorAt(0, QColor(0xff, 0xff, 0xff));
    dot.setColorAt(1, QColor(0xd9, 0xfb, 0xf7));
    painter.setBrush(dot);
    painter.drawEllipse(centre, 10.5 * s, 10.5 * s);

    // A fine rim keeps the tile apart from a light or a dark panel.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.75 * s));
    painter.drawRoundedRect(tile.adjusted(0.4 * s, 0.4 * s, -0.4 * s, -0.4 * s), radius, radius);
    painter.restore();
}

void WelcomeLogoView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()));
}

} // namespace brindlemoor
