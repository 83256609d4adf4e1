// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/Appearance.h"
#include "views/components/Spring.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

namespace brindlemoor::test {

/// Pixel tests need one font, springs that land at once, and a known appearance.
class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
        SpringAnimation::setMotionEnabled(false);
        appearance.setDark(false);
    }

    Appearance appearance;
};

/// The widget as it paints now, at device pixel ratio 1.
inline QImage render(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

inline QColor pixel(const QImage& image, QPoint at)
{
    return image.pixelColor(at);
}

/// Colours equal to within `tolerance` on each 8-bit channel, alpha included.
inline bool near(const QColor& a, const QColor& b, int tolerance = 2)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

} // namespace brindlemoor::test

inline void PrintTo(const QColor& color, std::ostream* out)
{
    *out << color.name(QColor::HexArgb).toStdString();
}
