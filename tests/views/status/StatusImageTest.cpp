// SPDX-License-Identifier: MIT
#include "core/status/TrayIcon.h"
#include "views/components/Appearance.h"
#include "views/status/StatusDot.h"
#include "views/status/StatusIconEngine.h"
#include "views/status/TrayIndicator.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QtMath>

#include <gtest/gtest.h>

#include <cmath>

using namespace brindlemoor;

namespace {

class StatusImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 13));
        Appearance::instance().setDark(false);
    }
    void TearDown() override { Appearance::instance().setDark(false); }
};

// The device pixel that covers the logical point (x, y).
QColor at(const QImage& image, qreal x, qreal y)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(std::floor(x * ratio)), static_cast<int>(std::floor(y * ratio)));
}

StatusImage red(bool square, const QString& badge = {})
{
    StatusImage image;
    image.kind = StatusImage::Kind::Red;
    image.square = square;
    image.badge = badge;
    return image;
}

StatusImage normal(RgbColor color)
{
    StatusImage image;
    image.color = color;
    return image;
}

StatusImage paused()
{
    StatusImage image;
    image.kind = StatusImage::Kind::Paused;
    image.color = {1, 0, 0}; // ignored: a paused ring never takes a colour
    return image;
}

// Pixels bright on all three channels and opaque: the white badge text, nothing else.
QRect whiteArea(const QImage& image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && std::min({c.red(), c.green(), c.blue()}) > 200)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

} // namespace

TEST_F(StatusImageTest, NormalDotIsTheUsersColourLitFromTheTop)
{
    const RgbColor user{0.2, 0.55, 0.3};
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage image = renderStatusImage(normal(user), ratio, false);
        ASSERT_EQ(image.size(), QSize(18, 18) * ratio);
        EXPECT_EQ(image.deviceIndependentSize(), QSizeF(18, 18));

        // Down the middle the colour runs from 40 % toward white at the inset edge to the colour itself.
        for (const qreal y : {4.5, 9.0, 14.5}) {
            const qreal t = (y - 2) / 14;
            const qreal whiteness = 0.4 * (1 - t);
            const QColor pixel = at(image, 9, y);
            EXPECT_EQ(pixel.alpha(), 255);
            EXPECT_NEAR(pixel.redF(), user.red + (1 - user.red) * whiteness, 0.03) << y;
            EXPECT_NEAR(pixel.greenF(), user.green + (1 - user.green) * whiteness, 0.03) << y;
            EXPECT_NEAR(pixel.blueF(), user.blue + (1 - user.blue) * whiteness, 0.03) << y;
        }
        EXPECT_GT(at(image, 9, 4).lightness(), at(image, 9, 14).lightness() + 20);
        // The 2-pixel inset: nothing outside the 14 x 14 shape.
        EXPECT_EQ(at(image, 1.5, 9).alpha(), 0);
        EXPECT_EQ(at(image, 9, 16.5).alpha(), 0);
    }
}

TEST_F(StatusImageTest, RedShapeIsAnOvalOrARoundedSquare)
{
    const QColor systemRed = StatusDotColors::forAppearance(false).red;
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage dot = renderStatusImage(red(false), ratio, false);
        const QImage square = renderStatusImage(red(true), ratio, false);

        // Near the bottom the gradient has all but reached the desktop's red.
        const QColor bottom = at(dot, 9, 15);
        EXPECT_NEAR(bottom.red(), systemRed.red(), 12);
        EXPECT_NEAR(bottom.green(), systemRed.green(), 12);
        EXPECT_NEAR(bottom.blue(), systemRed.blue(), 12);

        // (3.5, 3.5) lies outside the circle of radius 7 but inside the square's rounded corner;
        // (2.1, 2.1) is cut away by the radius-3 corner, which a plain square would fill.
        EXPECT_EQ(at(dot, 3.5, 3.5).alpha(), 0);
        EXPECT_EQ(at(square, 3.5, 3.5).alpha(), 255);
        EXPECT_LT(at(square, 2.1, 2.1).alpha(), 100);
        EXPECT_EQ(at(square, 15.9, 9).alpha(), 255);
        EXPECT_EQ(at(square, 9, 16.2).alpha(), 0);
        EXPECT_EQ(whiteArea(dot), QRect());
    }
}

TEST_F(StatusImageTest, PausedRingIsHalfOpaqueLabelColourWithAnEmptyMiddle)
{
    struct Case {
        bool dark;
        int channel; // the label colour's channels: dark text on light panels, white on dark ones
    };
    for (const Case& c : {Case{false, 0}, Case{true, 255}}) {
        SCOPED_TRACE(c.dark);
        const QImage image = renderStatusImage(paused(), 2, c.dark);
        EXPECT_EQ(at(image, 9, 9).alpha(), 0);
        EXPECT_EQ(at(image, 9, 5).alpha(), 0);
        // Top of the ring: a device pixel wholly inside the 1.5-pixel stroke around radius 7.
        const QColor ring = at(image, 9, 2);
        EXPECT_NEAR(ring.alpha(), 128, 2);
        EXPECT_NEAR(ring.red(), c.channel, 3);
        EXPECT_NEAR(ring.green(), c.channel, 3);
        EXPECT_NEAR(ring.blue(), c.channel, 3);
        int strongest = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                strongest = std::max(strongest, image.pixelColor(x, y).alpha());
        EXPECT_LE(strongest, 130);
    }
}

TEST_F(StatusImageTest, BadgeIsWhiteTextCentredAndSmallerForTwoCharacters)
{
    const QImage two = renderStatusImage(red(false, QStringLiteral("2")), 2, false);
    const QImage many = renderStatusImage(red(true, QStringLiteral("9+")), 2, false);
    const QRect twoArea = whiteArea(two);
    const QRect manyArea = whiteArea(many);
    ASSERT_FALSE(twoArea.isEmpty());
    ASSERT_FALSE(manyArea.isEmpty());
    for (const QRect& area : {twoArea, manyArea}) {
        EXPECT_NEAR(area.center().x() / 2.0, 9, 1.5);
        EXPECT_NEAR(area.center().y() / 2.0, 9, 1.5);
    }
    EXPECT_GT(manyArea.width(), twoArea.width());
    // 8.5 against 9.5 pixels: the digit of "9+" stands about 1.5 device pixels lower than "2".
    EXPECT_GE(twoArea.height() - manyArea.height(), 1);
    EXPECT_LT(twoArea.height() / 2.0, 9.5);
}

TEST_F(StatusImageTest, EveryTraySizeIsDrawnAfreshWithTheProportionsScaled)
{
    for (const int size : {16, 22, 44, 96}) {
        SCOPED_TRACE(size);
        const qreal unit = size / 18.0;
        const int middle = size / 2;
        const QImage dot = QIcon(new StatusIconEngine(normal({0.2, 0.55, 0.3}), false)).pixmap(size).toImage();
        const QImage ring = QIcon(new StatusIconEngine(paused(), false)).pixmap(size).toImage();
        ASSERT_EQ(dot.size(), QSize(size, size));

        // Along the middle row: clear in the inset, a soft edge one pixel or so wide (an
        // enlarged 18-pixel image blurs it over several), then solid.
        int soft = 0;
        for (int x = 0; x < middle; ++x) {
            const int alpha = dot.pixelColor(x, middle).alpha();
            if (x < 2 * unit - 1) {
                EXPECT_EQ(alpha, 0) << x;
            }
            soft += alpha > 0 && alpha < 255 ? 1 : 0;
        }
        EXPECT_LE(soft, 2);
        EXPECT_EQ(dot.pixelColor(qCeil(2 * unit) + 1, middle).alpha(), 255);

        // The ring is 1.5 of 18 parts wide at every size.
        int ringAlpha = 0;
        for (int x = 0; x < middle; ++x)
            ringAlpha += ring.pixelColor(x, middle).alpha();
        EXPECT_NEAR(ringAlpha / 127.5, 1.5 * unit, 0.5);
    }
}

TEST_F(StatusImageTest, TrayIsHandedAnIconOnlyWhenTheImageOrTheAppearanceChanges)
{
    struct RecordingTray final : TrayIcon {
        void setIcon(const QIcon& icon) override { icons.append(icon); }
        QList<QIcon> icons;
    } tray;
    TrayIndicator indicator(tray);

    const StatusImage green = normal({0.1, 0.7, 0.3});
    for (int tick = 0; tick < 5; ++tick)
        indicator.setImage(green);
    ASSERT_EQ(tray.icons.size(), 1);
    indicator.setImage(red(true));
    ASSERT_EQ(tray.icons.size(), 2);
    Appearance::instance().setDark(true);
    ASSERT_EQ(tray.icons.size(), 3);
    // The icon draws what it was given, as the 18-point image does at twice the size.
    const QImage drawn = tray.icons.last().pixmap(36).toImage();
    // Rounded corners rasterise a shade differently through a scale than through a ratio.
    const QImage expected = renderStatusImage(red(true), 2, true);
    int worst = 0;
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 36; ++x) {
            const QColor a = drawn.pixelColor(x, y);
            const QColor b = expected.pixelColor(x, y);
            worst = std::max({worst, std::abs(a.alpha() - b.alpha()), std::abs(a.red() - b.red()),
                              std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
        }
    }
    EXPECT_LE(worst, 8);
}
