// SPDX-License-Identifier: MIT
#include "support/WidgetTesting.h"
#include "views/components/ColorWell.h"
#include "views/components/FennDot.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/FennSwitchStyle.h"
#include "views/components/NamedColors.h"
#include "views/components/Stepper.h"

#include <QColorDialog>
#include <QSignalSpy>
#include <QTest>

using namespace brindlemoor;
using brindlemoor::test::near;
using brindlemoor::test::pixel;
using brindlemoor::test::render;

namespace {

class Controls : public brindlemoor::test::WidgetTest {};

QColor rgb(double r, double g, double b)
{
    return QColor::fromRgbF(float(r), float(g), float(b));
}

// Counts paints, to see a view redraw by itself.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TEST_F(Controls, NamedColoursResolveByNameForTheAppearance)
{
    struct Case {
        const char* name;
        QColor light;
        QColor dark;
    };
    const Case cases[] = {
        {"globalAccent", rgb(0.325, 0.651, 0.486), rgb(0.322, 0.631, 0.49)},
        {"dailyBlue", rgb(0.296, 0.518, 0.74), rgb(0.398, 0.614, 0.83)},
        {"neonOrange", rgb(1.0, 0.45, 0.0), rgb(1.0, 0.6, 0.0)},
        {"neonRed", rgb(0.85, 0.0, 0.15), rgb(1.0, 0.2, 0.3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto named = namedColorFromName(QString::fromLatin1(c.name));
        ASSERT_TRUE(named.has_value());
        Appearance::instance().setDark(false);
        EXPECT_TRUE(near(namedColor(*named), c.light, 1)) << namedColor(*named).name().toStdString();
        Appearance::instance().setDark(true);
        EXPECT_TRUE(near(namedColor(*named), c.dark, 1)) << namedColor(*named).name().toStdString();
    }
    EXPECT_FALSE(namedColorFromName(u"globalaccent").has_value());
}

TEST_F(Controls, ColoursFlipWhenTheAppearanceFlipsWithoutReopening)
{
    FennSwitchStyle on(QStringLiteral("On"));
    on.setChecked(true);
    FennSwitchStyle off(QStringLiteral("Off"));
    on.show();
    off.show();
    PaintCounter counter;
    on.installEventFilter(&counter);
    QCoreApplication::processEvents();

    const auto knob = [](FennSwitchStyle& toggle) { return pixel(render(&toggle), toggle.knobCenter().toPoint()); };
    const QColor lightKnob = knob(on);
    const QColor lightOffKnob = knob(off);
    EXPECT_TRUE(near(lightKnob, colorPair(NamedColor::GlobalAccent).light, 1));

    const int paintsBefore = counter.paints;
    Appearance::instance().setDark(true);
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, paintsBefore) << "the open switch repaints by itself";
    EXPECT_TRUE(near(knob(on), colorPair(NamedColor::GlobalAccent).dark, 1));
    EXPECT_FALSE(near(knob(on), lightKnob, 1));
    // The off knob is the primary colour at 20 %: dark on light, light on dark.
    EXPECT_LT(lightOffKnob.lightness(), 128);
    EXPECT_GT(knob(off).alpha(), 0);
    EXPECT_GT(QColor(knob(off).rgb()).lightness(), 128);
}

TEST_F(Controls, SwitchTogglesFromItsLabelAndItsTrack)
{
    FennSwitchStyle toggle(QStringLiteral("Gentle sound at limit"));
    toggle.resize(toggle.sizeHint());
    toggle.show();
    QSignalSpy clicked(&toggle, &QAbstractButton::clicked);
    const QPoint onLabel(4, toggle.height() / 2);
    ASSERT_LT(onLabel.x(), toggle.trackRect().left());
    const QColor tint = namedColor(NamedColor::GlobalAccent);

    QTest::mouseClick(&toggle, Qt::LeftButton, {}, onLabel);
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_GT(toggle.knobCenter().x(), toggle.trackRect().center().x());
    EXPECT_TRUE(near(pixel(render(&toggle), toggle.knobCenter().toPoint()), tint, 1));

    QTest::mouseClick(&toggle, Qt::LeftButton, {}, toggle.trackRect().center().toPoint());
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_LT(toggle.knobCenter().x(), toggle.trackRect().center().x());
    EXPECT_FALSE(near(pixel(render(&toggle), toggle.knobCenter().toPoint()), tint, 20));
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(0).at(0).toBool(), true);

    // The store setting it is no click: it moves the knob and tells nobody.
    toggle.setChecked(true);
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_TRUE(near(pixel(render(&toggle), toggle.knobCenter().toPoint()), tint, 1));

    // A hidden label takes no room and leaves only the switch to click.
    FennSwitchStyle bare(QStringLiteral("Gentle sound at limit"));
    bare.setLabelHidden(true);
    EXPECT_LT(bare.sizeHint().width(), toggle.sizeHint().width());
    EXPECT_EQ(bare.sizeHint().width(), FennSwitchStyle::trackWidth + 2);
}

TEST_F(Controls, SegmentedPickerChoosesOtherSegmentsOnly)
{
    FennSegmentedPicker picker({{QStringLiteral("Used"), false}, {QStringLiteral("Remaining"), true}}, 70);
    picker.resize(picker.sizeHint());
    picker.show();
    EXPECT_EQ(picker.sizeHint(), QSize(2 * 70 + 4, 26));
    FennSegmentedPicker wordy({{QStringLiteral("Verbrauchte Zeit"), false}, {QStringLiteral("Rest"), true}}, 70);
    EXPECT_GT(wordy.sizeHint().width(), 2 * 70 + 4) << "a label that does not fit widens every segment";
    EXPECT_EQ(wordy.segmentRect(1).width(), wordy.segmentRect(0).width());
    picker.setSelection(false);
    QSignalSpy changed(&picker, &FennSegmentedPicker::selectionChanged);
    const QImage before = render(&picker);
    const QColor tint = namedColor(NamedColor::GlobalAccent);
    const QPoint insideFirst = picker.segmentRect(0).topLeft().toPoint() + QPoint(14, 3);
    const QPoint insideSecond = picker.segmentRect(1).topLeft().toPoint() + QPoint(14, 3);
    EXPECT_TRUE(near(pixel(before, insideFirst), tint, 1));

    QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.segmentRect(0).center().toPoint());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(picker.selection(), QVariant(false));
    EXPECT_EQ(picker.highlightRect(), picker.segmentRect(0));
    EXPECT_EQ(render(&picker), before);

    // A press on one segment released on the other is no tap.
    QTest::mousePress(&picker, Qt::LeftButton, {}, picker.segmentRect(0).center().toPoint());
    QTest::mouseRelease(&picker, Qt::LeftButton, {}, picker.segmentRect(1).center().toPoint());
    EXPECT_EQ(changed.count(), 0);

    QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.segmentRect(1).center().toPoint());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0), QVariant(true));
    EXPECT_EQ(picker.highlightRect(), picker.segmentRect(1));
    const QImage after = render(&picker);
    EXPECT_TRUE(near(pixel(after, insideSecond), tint, 1));
    EXPECT_FALSE(near(pixel(after, insideFirst), tint, 20));
}

TEST_F(Controls, InactiveDotIgnoresItsColour)
{
    const auto draw = [](const QColor& color, bool active) {
        FennDot dot(color, 10, active);
        dot.resize(dot.sizeHint());
        return render(&dot);
    };
    const QColor red = namedColor(NamedColor::NeonRed);
    const QColor blue = namedColor(NamedColor::DailyBlue);
    EXPECT_EQ(draw(red, false), draw(blue, false));
    EXPECT_NE(draw(red, true), draw(blue, true));

    const QImage active = draw(red, true);
    const QPoint center(10, 10);
    // The body in its colour under a 3 % overlay, and a glow outside the body.
    EXPECT_TRUE(near(pixel(active, center), red, 8));
    EXPECT_GT(pixel(active, QPoint(center.x() + 7, center.y())).alpha(), 0);
    const QImage inactive = draw(red, false);
    EXPECT_LT(pixel(inactive, center).alpha(), 40);
    EXPECT_EQ(pixel(inactive, QPoint(center.x() + 7, center.y())).alpha(), 0);

    // The rim follows the colour scheme.
    Appearance::instance().setDark(true);
    EXPECT_NE(draw(red, true), active);
}

TEST_F(Controls, ColorWellTakesTheUsersColourOnceAndIgnoresItsEcho)
{
    ColorWell well;
    well.show();
    QSignalSpy changed(&well, &ColorWell::colorChanged);
    const QColor teal = QColor::fromRgbF(0.2f, 0.78f, 0.74f);
    well.setColor(teal);
    well.setColor(teal.toHsv()); // the same colour in another colour model is the same colour
    EXPECT_EQ(well.color(), well.color().toRgb()) << "kept in RGB, the model the first assignment had";
    EXPECT_TRUE(near(pixel(render(&well), QPoint(22, 11)), teal, 1));
    EXPECT_EQ(changed.count(), 0) << "setting a colour is not the user choosing one";

    QTest::mouseClick(&well, Qt::LeftButton, {}, QPoint(22, 11));
    ASSERT_NE(well.dialog(), nullptr);
    EXPECT_EQ(well.dialog()->currentColor().rgb(), teal.rgb());

    // The user picks orange in the dialog; the store echoes it back into the well.
    const QColor orange(255, 128, 0);
    QObject::connect(&well, &ColorWell::colorChanged, &well, [&](const QColor& picked) { well.setColor(picked); });
    QSignalSpy dialogChanges(well.dialog(), &QColorDialog::currentColorChanged);
    well.dialog()->setCurrentColor(orange);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QColor>().rgb(), orange.rgb());
    EXPECT_EQ(dialogChanges.count(), 1);
    EXPECT_EQ(well.dialog()->currentColor().rgb(), orange.rgb());

    // A change from elsewhere while the dialog is open shows in the dialog, quietly.
    well.setColor(teal);
    EXPECT_EQ(well.dialog()->currentColor().rgb(), teal.rgb());
    EXPECT_EQ(changed.count(), 1);
    well.dialog()->close();
}

TEST_F(Controls, StepperStaysWithinItsRange)
{
    struct Case {
        int minimum, maximum, step, value, direction;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {1, 60, 5, 15, +1, 20},
        {1, 60, 5, 60, +1, std::nullopt},
        {1, 60, 5, 58, +1, 60},
        {1, 60, 5, 1, -1, std::nullopt},
        {1, 60, 5, 4, -1, 1},
        {1, 60, 5, 200, -1, 55},
        {1, 60, 5, 200, +1, std::nullopt},
        {1, 60, 5, 0, +1, 6},
        {1, 60, 5, 0, -1, std::nullopt},
        {0, 1440, 30, 1440, +1, std::nullopt},
        {0, 1440, 30, 0, -1, std::nullopt},
        {0, 1440, 30, 0, +1, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << (c.direction > 0 ? " up" : " down") << " in " << c.minimum
                                        << "..." << c.maximum);
        EXPECT_EQ(Stepper::stepped(c.value, c.direction, c.minimum, c.maximum, c.step), c.expected);
    }

    Stepper stepper(1, 60, 5);
    stepper.show();
    stepper.setValue(58);
    QSignalSpy changed(&stepper, &Stepper::valueChanged);
    QTest::mouseClick(&stepper, Qt::LeftButton, {}, stepper.upRect().center());
    QTest::mouseClick(&stepper, Qt::LeftButton, {}, stepper.upRect().center());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 60);
    QTest::mouseClick(&stepper, Qt::LeftButton, {}, stepper.downRect().center());
    EXPECT_EQ(stepper.value(), 55);
}

TEST(Spring, SettlesOnItsTargetAndOvershootsOnlyBelowCriticalDamping)
{
    for (const Spring spring : {kStandardSpring, Spring{0.3, 1.0}, Spring{0.5, 1.4}}) {
        SCOPED_TRACE(testing::Message() << "damping " << spring.dampingFraction);
        EXPECT_DOUBLE_EQ(spring.position(0), 0);
        const double settle = spring.settlingTime().count() / 1000.0;
        double peak = 0;
        for (double t = 0; t <= settle; t += 0.001)
            peak = std::max(peak, spring.position(t));
        for (double t = settle; t < settle + 1; t += 0.01)
            EXPECT_NEAR(spring.position(t), 1, 1e-3);
        if (spring.dampingFraction < 1) {
            EXPECT_GT(peak, 1.01);
            EXPECT_LT(peak, 1.1);
        } else {
            EXPECT_LE(peak, 1 + 1e-9);
        }
    }
    // 0.3 s response, 0.7 damping: about half a second of motion.
    EXPECT_GT(kStandardSpring.settlingTime().count(), 400);
    EXPECT_LT(kStandardSpring.settlingTime().count(), 600);

    SpringAnimation animation;
    SpringAnimation::setMotionEnabled(true);
    animation.animate(0.0, 14.0);
    animation.setCurrentTime(animation.duration());
    EXPECT_EQ(animation.currentValue().toDouble(), 14.0) << "the last frame lands exactly";
    animation.stop();
    SpringAnimation::setMotionEnabled(false);
    animation.animate(QRectF(0, 0, 70, 22), QRectF(70, 0, 70, 22));
    EXPECT_EQ(animation.state(), QAbstractAnimation::Stopped);
    EXPECT_EQ(animation.currentValue().toRectF(), QRectF(70, 0, 70, 22));
}
