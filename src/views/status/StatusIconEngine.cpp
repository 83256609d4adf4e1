// SPDX-License-Identifier: MIT
#include "views/status/StatusIconEngine.h"

#include "views/status/StatusDot.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <utility>

namespace brindlemoor {

StatusIconEngine::StatusIconEngine(StatusImage image, bool dark)
    : m_image(std::move(image))
    , m_dark(dark)
{
}

void StatusIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/, QIcon::State /*state*/)
{
    paintStatusImage(*painter, rect, m_image, m_dark);
}

QSize StatusIconEngine::actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/)
{
    // Square, so that QIcon::paint centres the image in a wider tray slot.
    const int side = std::min(size.width(), size.height());
    return {side, side};
}

QPixmap StatusIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(&painter, image.rect(), mode, state);
    painter.end();
    return QPixmap::fromImage(std::move(image));
}

QPixmap StatusIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal /*scale*/)
{
    // `size` is already in device pixels: drawn at that size, never scaled.
    return pixmap(size, mode, state);
}

QIconEngine* StatusIconEngine::clone() const
{
    return new StatusIconEngine(*this);
}

QString StatusIconEngine::key() const
{
    return QStringLiteral("brindlemoor-status");
}

} // namespace brindlemoor
