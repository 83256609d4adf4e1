// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;

namespace brindlemoor {

class Appearance;
class Stepper;

/// The "red" cell of the monitored-apps table: the limit in minutes and a stepper
/// from 5 to 600 in steps of 5.
class StepperCell final : public QWidget {
    Q_OBJECT

public:
    static constexpr int minimum = 5;
    static constexpr int maximum = 600;
    static constexpr int step = 5;

    explicit StepperCell(const Appearance& appearance, QWidget* parent = nullptr);

    /// Shows a stored limit on the stepper's grid. Only the display is clamped: a
    /// stored 7 shows as 5 and stays 7 until the user steps.
    void configure(qint64 minutes);
    static int displayValue(qint64 minutes);

    QString valueText() const;
    Stepper* stepper() const { return m_stepper; }

Q_SIGNALS:
    /// The user stepped to `value`.
    void valueChanged(int value);

private:
    void stepperChanged(int value);

    QLabel* m_valueLabel;
    Stepper* m_stepper;
};

} // namespace brindlemoor
