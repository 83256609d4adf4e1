// SPDX-License-Identifier: MIT
#include "views/components/Blur.h"

#include "views/components/NamedColors.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace brindlemoor {

namespace {

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

// Across its edge the disc fades like the normal distribution.
void paintBlurredDisc(QPainter& painter, const QPointF& center, qreal radius, qreal sigma, qreal limit,
                      const QColor& color, qreal opacity)
{
    const auto coverage = [&](qreal r) { return 0.5 * std::erfc((r - radius) / (sigma * std::sqrt(2.0))); };
    const qreal outer = std::min(radius + 3 * sigma, limit);
    const qreal floor = coverage(outer);
    QRadialGradient gradient(center, outer);
    constexpr int stops = 12;
    for (int i = 0; i <= stops; ++i) {
        const qreal r = outer * i / stops;
        const qreal eased = (coverage(r) - floor) / (1 - floor);
        gradient.setColorAt(static_cast<qreal>(i) / stops, withOpacity(color, opacity * eased));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(center, outer, outer);
}

} // namespace brindlemoor
