// SPDX-License-Identifier: MIT
#include "views/status/OverlayBackdrop.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include <algorithm>

namespace brindlemoor {

namespace {

constexpr int shrinkFactor = 8;
constexpr int backdropBlurRadius = 3;

} // namespace

QImage captureScreen(QScreen* screen)
{
    // The offscreen and minimal platforms have no screen contents, only our own windows.
    const QString platform = QGuiApplication::platformName();
    if (!screen || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return {};
    return screen->grabWindow(0).toImage();
}

QImage frostedBackdrop(const QImage& capture, bool dark)
{
    if (capture.isNull())
        return {};
    const QSize small(std::max(1, capture.width() / shrinkFactor), std::max(1, capture.height() / shrinkFactor));
    QImage frosted =
        blurImage(capture.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), backdropBlurRadius);
    frosted.setDevicePixelRatio(1);
    QPainter painter(&frosted);
    // Frosted glass takes on the desktop's tone: milky on a light desktop, smoky on a dark one.
    painter.fillRect(frosted.rect(), dark ? QColor(22, 22, 26, 128) : QColor(255, 255, 255, 90));
    return frosted;
}

} // namespace brindlemoor
