// SPDX-License-Identifier: MIT
#include "views/onboarding/WelcomeLogoView.h"

#include <QPainter>
#include <QRadialGradient>

namespace brindlemoor {

WelcomeLogoView::WelcomeLogoView(int side, QWidget* parent)
    : QWidget(parent)
    , m_side(side)
{
    setFixedSize(side, side);
}

void WelcomeLogoView::paint(QPainter& painter, const QRectF& box)
{
    // The application icon's drawing (data/io.github.brindlemoor.Brindlemoor.svg) on its
    // 256-unit grid, so that the welcome and the info show the icon the desktop shows.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 256.0, box.height() / 256.0);
    const QPointF centre(128, 128);

    QLinearGradient tile(0, 16, 0, 240);
    tile.setColorAt(0, QColor(0x24, 0x48, 0x5a));
    tile.setColorAt(1, QColor(0x14, 0x2a, 0x36));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(16, 16, 224, 224), 52, 52);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 31), 3));
    painter.drawRoundedRect(QRectF(17.5, 17.5, 221, 221), 50.5, 50.5);

    // The day's ring, most of it used, clockwise from twelve o'clock.
    const QRectF ring(centre - QPointF(72, 72), QSizeF(144, 144));
    painter.setPen(QPen(QColor(255, 255, 255, 41), 18));
    painter.drawEllipse(ring);
    painter.setPen(QPen(QColor(0x33, 0xc7, 0xbd), 18, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, 90 * 16, -qRound(316.0 / 452.4 * 360 * 16));

    QRadialGradient glow(centre, 58);
    glow.setColorAt(0.55, QColor(0x33, 0xc7, 0xbd, 115));
    glow.setColorAt(1, QColor(0x33, 0xc7, 0xbd, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 58, 58);

    QRadialGradient dot(QPointF(128 - 38 + 0.38 * 76, 128 - 38 + 0.34 * 76), 0.75 * 76);
    dot.setColorAt(0, QColor(0x7a, 0xe8, 0xdf));
    dot.setColorAt(0.55, QColor(0x33, 0xc7, 0xbd));
    dot.setColorAt(1, QColor(0x25, 0xa3, 0x9b));
    painter.setBrush(dot);
    painter.drawEllipse(centre, 38, 38);

    painter.translate(115, 110);
    painter.rotate(-30);
    painter.setBrush(QColor(255, 255, 255, 89));
    painter.drawEllipse(QPointF(0, 0), 15, 10);
    painter.restore();
}

void WelcomeLogoView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()));
}

} // namespace brindlemoor
