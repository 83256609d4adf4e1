// SPDX-License-Identifier: MIT
#include "support/WidgetTesting.h"
#include "views/components/ColorWell.h"
#include "views/components/FennDot.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/FennSwitch.h"
#include "views/components/NamedColors.h"
#include "views/components/Stepper.h"
#include "views/components/TabularDigits.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QtMath>

#include <iostream>

using namespace brindlemoor;
using brindlemoor::test::near;
using brindlemoor::test::pixel;
using brindlemoor::test::render;

namespace {

class Controls : public brindlemoor::test::WidgetTest {};

class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TEST_F(Controls, SwitchTogglesFromItsLabelAndRepaintsWhenTheAppearanceFlips)
{
    FennSwitch toggle(appearance, QStringLiteral("Gentle sound at limit"));
    toggle.resize(toggle.sizeHint());
    toggle.show();
    QSignalSpy clicked(&toggle, &QAbstractButton::clicked);
    const auto knob = [&] { return pixel(render(&toggle), toggle.knobCenter().toPoint()); };
    const QPoint onLabel(4, toggle.height() / 2);
    ASSERT_LT(onLabel.x(), toggle.trackRect().left());

    QTest::mouseClick(&toggle, Qt::LeftButton, {}, onLabel);
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_GT(toggle.knobCenter().x(), toggle.trackRect().center().x());
    EXPECT_TRUE(near(knob(), colorPair(NamedColor::GlobalAccent, false).light, 1));
    QTest::mouseClick(&toggle, Qt::LeftButton, {}, toggle.trackRect().center().toPoint());
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_LT(QColor(knob().rgb()).lightness(), 128) << "off: the primary colour, dark on light";
    EXPECT_EQ(clicked.count(), 2);
    toggle.setChecked(true); // the store setting it is no click
    EXPECT_EQ(clicked.count(), 2);

    // An open switch repaints in the other appearance by itself.
    QCoreApplication::processEvents();
    PaintCounter counter;
    toggle.installEventFilter(&counter);
    appearance.setDark(true);
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(near(knob(), colorPair(NamedColor::GlobalAccent, false).dark, 1));
}

TEST_F(Controls, SegmentedPickerChoosesOtherSegmentsOnly)
{
    FennSegmentedPicker picker(appearance, {{QStringLiteral("Used"), false}, {QStringLiteral("Remaining"), true}}, 70);
    picker.resize(picker.sizeHint());
    picker.show();
    FennSegmentedPicker wordy(appearance, {{QStringLiteral("Verbrauchte Zeit"), false}, {QStringLiteral("Rest"), true}},
                              70);
    EXPECT_GT(wordy.segmentRect(1).width(), 70) << "a label that does not fit widens every segment";
    EXPECT_EQ(wordy.segmentRect(1).width(), wordy.segmentRect(0).width());
    picker.setSelection(false);
    QSignalSpy changed(&picker, &FennSegmentedPicker::selectionChanged);
    const QColor tint = namedColor(NamedColor::GlobalAccent, appearance.scheme());
    const auto segment = [&](int index) { return picker.segmentRect(index).center().toPoint(); };
    const auto tinted = [&](int index) {
        return near(pixel(render(&picker), segment(index) - QPoint(20, 5)), tint, 1);
    };

    QTest::mouseClick(&picker, Qt::LeftButton, {}, segment(0));
    QTest::mousePress(&picker, Qt::LeftButton, {}, segment(0)); // released on the other: no tap
    QTest::mouseRelease(&picker, Qt::LeftButton, {}, segment(1));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(tinted(0));

    QTest::mouseClick(&picker, Qt::LeftButton, {}, segment(1));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0), QVariant(true));
    EXPECT_TRUE(tinted(1));
    EXPECT_FALSE(tinted(0));
}

TEST_F(Controls, InactiveDotIgnoresItsColour)
{
    const auto draw = [this](const QColor& color, bool active) {
        FennDot dot(appearance, color, 10, active);
        dot.resize(dot.sizeHint());
        return render(&dot);
    };
    const QColor red = namedColor(NamedColor::NeonRed, appearance.scheme());
    EXPECT_EQ(draw(red, false), draw(namedColor(NamedColor::DailyBlue, appearance.scheme()), false));
    // The body in its colour under a 3 % overlay, and a glow outside it that an inactive dot lacks.
    const QImage active = draw(red, true);
    EXPECT_TRUE(near(pixel(active, {10, 10}), red, 8));
    EXPECT_GT(pixel(active, {17, 10}).alpha(), 0);
    EXPECT_EQ(pixel(draw(red, false), {17, 10}).alpha(), 0);
}

TEST_F(Controls, ColorWellTakesTheUsersColourOnceAndIgnoresItsEcho)
{
    ColorWell well(appearance);
    well.show();
    QSignalSpy changed(&well, &ColorWell::colorChanged);
    const QColor teal = QColor::fromRgbF(0.2f, 0.78f, 0.74f);
    well.setColor(teal);
    well.setColor(teal.toHsv()); // the same colour in another colour model is the same colour
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
    EXPECT_EQ(dialogChanges.count(), 1) << "the echo does not reset the dialog";

    // A change from elsewhere while the dialog is open shows in the dialog, quietly.
    well.setColor(teal);
    EXPECT_EQ(well.dialog()->currentColor().rgb(), teal.rgb());
    EXPECT_EQ(changed.count(), 1);
    well.dialog()->close();
}

TEST_F(Controls, StepperStaysWithinItsRange)
{
    struct Case {
        int value, direction;
        std::optional<int> expected;
    };
    const Case cases[] = {{15, +1, 20},          {58, +1, 60},  {60, +1, std::nullopt},  {4, -1, 1},
                          {1, -1, std::nullopt}, {200, -1, 55}, {200, +1, std::nullopt}, {0, +1, 6}};
    for (const Case& c : cases)
        EXPECT_EQ(Stepper::stepped(c.value, c.direction, 1, 60, 5), c.expected) << c.value << " by " << c.direction;

    Stepper stepper(appearance, 1, 60, 5);
    stepper.show();
    stepper.setValue(58);
    QSignalSpy changed(&stepper, &Stepper::valueChanged);
    QTest::mouseClick(&stepper, Qt::LeftButton, {}, stepper.upRect().center());
    QTest::mouseClick(&stepper, Qt::LeftButton, {}, stepper.upRect().center());
    EXPECT_EQ(changed, QList<QVariantList>{{60}});
}

// The pinned font's digits share one width already; a font whose digits do not shows the helper at
// work (here only a symbol font has such digits: the helper does not care what they look like).
TEST_F(Controls, CountingTimesKeepTheirWidthWhateverTheDigits)
{
    const QString ones = QStringLiteral("11:11");
    const QString zeros = QStringLiteral("00:00");
    QFont proportional;
    bool found = false;
    for (const QString& family : QFontDatabase::families()) {
        const QFont font(family, 20);
        const QFontMetricsF metrics(font);
        if (QFontInfo(font).family() == family && metrics.horizontalAdvance(ones) != metrics.horizontalAdvance(zeros)) {
            proportional = font;
            found = true;
            break;
        }
    }
    if (!found)
        GTEST_SKIP() << "no installed font has digits of different widths";
    std::cout << "proportional digits in " << proportional.family().toStdString() << '\n';
    EXPECT_EQ(tabular::width(proportional, ones), tabular::width(proportional, zeros));

    // Left-aligned, a changed digit moves nothing after it: ":11" is drawn on the same pixels.
    const auto drawn = [&](const QString& text) {
        QImage image(200, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(proportional);
        painter.setPen(Qt::black);
        tabular::draw(painter, QRectF(0, 0, 200, 40), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter.end();
        return image;
    };
    const int rest = qCeil(tabular::width(proportional, QStringLiteral("00")));
    EXPECT_EQ(drawn(ones).copy(rest, 0, 200 - rest, 40), drawn(QStringLiteral("10:11")).copy(rest, 0, 200 - rest, 40));
}
