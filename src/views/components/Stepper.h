// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <optional>

namespace brindlemoor {

class Appearance;

/// Two small arrows that step a whole number up or down within a range. The value
/// it shows may lie outside the range (a bound setting typed elsewhere); a step
/// starts from the nearest end of the range and never leaves it.
class Stepper final : public QWidget {
    Q_OBJECT

public:
    static constexpr int stepperWidth = 13;
    static constexpr int stepperHeight = 22;

    Stepper(const Appearance& appearance, int minimum, int maximum, int step, QWidget* parent = nullptr);

    int value() const { return m_value; }
    /// Shows a value without sending valueChanged().
    void setValue(int value);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int step() const { return m_step; }
    /// What Page Up and Page Down step by; 0, the default, leaves those keys to the parent.
    void setPageStep(int step) { m_pageStep = step; }

    /// One step up (+1) or down (-1), as a click on an arrow does.
    void stepBy(int direction);
    /// The value one step up (+1) or down (-1) from `value`, or none when it is at that end.
    static std::optional<int> stepped(int value, int direction, int minimum, int maximum, int step);

    QRect upRect() const;
    QRect downRect() const;

    QSize sizeHint() const override { return {stepperWidth, stepperHeight}; }

Q_SIGNALS:
    /// The user stepped; the stepper already shows `value`.
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void stepBy(int direction, int step);

    const Appearance& m_appearance;
    int m_minimum;
    int m_maximum;
    int m_step;
    int m_pageStep = 0;
    int m_value;
    int m_pressed = 0; // +1 up, -1 down, 0 none
};

} // namespace brindlemoor
