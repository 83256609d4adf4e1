// SPDX-License-Identifier: MIT
#include "views/status/OverlayBackdrop.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <array>
#include <vector>

namespace brindlemoor {

namespace {

constexpr int shrinkFactor = 8;
constexpr int backdropBlurRadius = 3;

// One box pass along a line of `count` pixels that lie `step` pixels apart.
void boxPass(QRgb* line, int count, int step, int radius, std::vector<QRgb>& scratch)
{
    scratch.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        scratch[static_cast<size_t>(i)] = line[static_cast<ptrdiff_t>(i) * step];

    const auto at = [&](int i) { return scratch[static_cast<size_t>(std::clamp(i, 0, count - 1))]; };
    std::array<int, 4> sum{};
    const auto add = [&sum](QRgb pixel, int sign) {
        sum[0] += sign * qAlpha(pixel);
        sum[1] += sign * qRed(pixel);
        sum[2] += sign * qGreen(pixel);
        sum[3] += sign * qBlue(pixel);
    };
    for (int i = -radius; i <= radius; ++i)
        add(at(i), 1);
    const int width = 2 * radius + 1;
    for (int i = 0; i < count; ++i) {
        line[static_cast<ptrdiff_t>(i) * step] = qRgba(sum[1] / width, sum[2] / width, sum[3] / width, sum[0] / width);
        add(at(i - radius), -1);
        add(at(i + radius + 1), 1);
    }
}

} // namespace

QImage blurImage(const QImage& image, int radius)
{
    // Premultiplied pixels keep transparent edges from bleeding dark colour into the blur.
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius <= 0 || result.isNull())
        return result;
    const int w = result.width();
    const int h = result.height();
    const int stride = static_cast<int>(result.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb)));
    auto* pixels = reinterpret_cast<QRgb*>(result.bits());
    std::vector<QRgb> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            boxPass(pixels + static_cast<ptrdiff_t>(y) * stride, w, 1, radius, scratch);
        for (int x = 0; x < w; ++x)
            boxPass(pixels + x, h, stride, radius, scratch);
    }
    return result;
}

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
