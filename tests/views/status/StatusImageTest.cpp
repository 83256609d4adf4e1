// SPDX-License-Identifier: MIT
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "core/status/TrayIcon.h"
#include "platform/fake/ManualClock.h"
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
        appearance.setDark(false);
    }

    Appearance appearance;
};

// The device pixel that covers the logical point (x, y).
QColor at(const QImage& image, qreal x, qreal y)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(static_cast<int>(std::floor(x * ratio)), static_cast<int>(std::floor(y * ratio)));
}

StatusImage image(StatusImage::Kind kind, RgbColor color = {}, bool square = false, const QString& badge = {})
{
    return {kind, color, square, badge};
}

int distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
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

TEST_F(StatusImageTest, DotsAreTopLitInsideTheInsetAndTheRedOneMayBeASquare)
{
    const RgbColor user{0.2, 0.55, 0.3};
    const QColor systemRed = StatusDotColors::forAppearance(false).red;
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage normal = renderStatusImage(image(StatusImage::Kind::Normal, user), ratio, false);
        ASSERT_EQ(normal.size(), QSize(18, 18) * ratio);
        // Lit from the top: lighter above, and all but the user's colour itself near the bottom.
        EXPECT_GT(at(normal, 9, 4.5).lightness(), at(normal, 9, 14.5).lightness() + 20);
        EXPECT_LE(distance(at(normal, 9, 14.5), QColor::fromRgbF(user.red, user.green, user.blue)), 36);
        EXPECT_EQ(at(normal, 1.5, 9).alpha(), 0) << "nothing outside the 14 x 14 shape";

        const QImage dot = renderStatusImage(image(StatusImage::Kind::Red), ratio, false);
        const QImage square = renderStatusImage(image(StatusImage::Kind::Red, {}, true), ratio, false);
        EXPECT_LE(distance(at(dot, 9, 15), systemRed), 24) << "the red dot is the desktop's red";
        // (3.5, 3.5) lies outside the circle of radius 7 but inside the square's rounded corner;
        // (2.1, 2.1) is cut away by the radius-3 corner, which a plain square would fill.
        EXPECT_EQ(at(dot, 3.5, 3.5).alpha(), 0);
        EXPECT_EQ(at(square, 3.5, 3.5).alpha(), 255);
        EXPECT_LT(at(square, 2.1, 2.1).alpha(), 100);
        EXPECT_EQ(whiteArea(dot), QRect());
    }
}

TEST_F(StatusImageTest, PausedRingIsHalfOpaqueLabelColourWithAnEmptyMiddle)
{
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark);
        // A colour is ignored: a paused ring never takes one.
        const QImage ring = renderStatusImage(image(StatusImage::Kind::Paused, {1, 0, 0}), 2, dark);
        EXPECT_EQ(at(ring, 9, 9).alpha(), 0);
        // Top of the ring: a device pixel wholly inside the 1.5-pixel stroke around radius 7.
        const QColor top = at(ring, 9, 2);
        const int channel = dark ? 255 : 0; // the label colour: dark text on light panels, white on dark ones
        EXPECT_NEAR(top.alpha(), 128, 2);
        EXPECT_NEAR(top.red(), channel, 3);
        EXPECT_NEAR(top.blue(), channel, 3);
    }
}

TEST_F(StatusImageTest, BadgeIsWhiteTextCentredAndSmallerForTwoCharacters)
{
    const QRect two =
        whiteArea(renderStatusImage(image(StatusImage::Kind::Red, {}, false, QStringLiteral("2")), 2, false));
    const QRect many =
        whiteArea(renderStatusImage(image(StatusImage::Kind::Red, {}, true, QStringLiteral("9+")), 2, false));
    ASSERT_FALSE(two.isEmpty());
    ASSERT_FALSE(many.isEmpty());
    for (const QRect& area : {two, many}) {
        EXPECT_NEAR(area.center().x() / 2.0, 9, 1.5);
        EXPECT_NEAR(area.center().y() / 2.0, 9, 1.5);
    }
    EXPECT_GT(many.width(), two.width());
    EXPECT_GE(two.height() - many.height(), 1) << "8.5 against 9.5 pixels";
}

TEST_F(StatusImageTest, EveryTraySizeIsDrawnAfreshWithTheProportionsScaled)
{
    for (const int size : {16, 22, 44, 96}) {
        SCOPED_TRACE(size);
        const qreal unit = size / 18.0;
        const int middle = size / 2;
        const QImage dot = QIcon(new StatusIconEngine(image(StatusImage::Kind::Normal, {0.2, 0.55, 0.3}), false))
                               .pixmap(size)
                               .toImage();
        const QImage ring = QIcon(new StatusIconEngine(image(StatusImage::Kind::Paused), false)).pixmap(size).toImage();
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
    TrayIndicator indicator(appearance, tray);

    const StatusImage green = image(StatusImage::Kind::Normal, {0.1, 0.7, 0.3});
    for (int tick = 0; tick < 5; ++tick)
        indicator.setImage(green);
    ASSERT_EQ(tray.icons.size(), 1);
    indicator.setImage(image(StatusImage::Kind::Red, {}, true));
    ASSERT_EQ(tray.icons.size(), 2);
    appearance.setDark(true);
    ASSERT_EQ(tray.icons.size(), 3);
    // The icon is the dark appearance's drawing of the new image.
    const QIcon expected(new StatusIconEngine(image(StatusImage::Kind::Red, {}, true), true));
    EXPECT_EQ(tray.icons.last().pixmap(36).toImage(), expected.pixmap(36).toImage());
}

TEST_F(StatusImageTest, TrayToolTipSaysTheDayAndIsHandedOverOnlyWhenItsTextChanges)
{
    struct RecordingTray final : TrayIcon {
        void setIcon(const QIcon& /*icon*/) override {}
        void setToolTip(const QString& text) override { tips.append(text); }
        QStringList tips;
    } tray;
    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(10, 0))};
    UsageStore usage{defaults, clock};
    TodayModel today{prefs, usage};
    const QString app = QStringLiteral("org.example.Editor");
    prefs.addApp(app);
    TrayIndicator indicator(appearance, tray);
    indicator.followToday(today);

    for (int second = 0; second < 61; ++second)
        usage.tick(app);
    const qsizetype handed = tray.tips.size();
    for (int second = 0; second < 30; ++second)
        usage.tick(app);
    EXPECT_EQ(tray.tips.size(), handed) << "the same minute is handed over once";
    EXPECT_EQ(tray.tips.last(), QStringLiteral("1 min today"));
    prefs.setDailyLimitMinutes(120);
    EXPECT_EQ(tray.tips.last(), QStringLiteral("1 min of 2 h today"));
}
