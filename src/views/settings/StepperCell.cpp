// SPDX-License-Identifier: MIT
#include "views/settings/StepperCell.h"

#include "views/components/Fonts.h"
#include "views/components/Stepper.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace brindlemoor {

StepperCell::StepperCell(const Appearance& appearance, QWidget* parent)
    : QWidget(parent)
    , m_valueLabel(new QLabel(this))
    , m_stepper(new Stepper(appearance, minimum, maximum, step, this))
{
    // The common UI fonts have digits of one width, so the numbers line up as they are.
    m_valueLabel->setFont(fonts::system(13, QFont::Medium));
    m_valueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_valueLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_valueLabel->setMinimumWidth(m_valueLabel->fontMetrics().horizontalAdvance(QStringLiteral("600")));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 2, 0);
    row->setSpacing(6);
    row->addStretch(1);
    row->addWidget(m_valueLabel, 0, Qt::AlignVCenter);
    row->addWidget(m_stepper, 0, Qt::AlignVCenter);
    connect(m_stepper, &Stepper::valueChanged, this, &StepperCell::stepperChanged);
}

int StepperCell::displayValue(qint64 minutes)
{
    return static_cast<int>(std::clamp<qint64>(minutes / step * step, minimum, maximum));
}

void StepperCell::configure(qint64 minutes)
{
    const int shown = displayValue(minutes);
    m_stepper->setValue(shown);
    m_valueLabel->setText(QString::number(shown));
}

QString StepperCell::valueText() const
{
    return m_valueLabel->text();
}

void StepperCell::stepperChanged(int value)
{
    m_valueLabel->setText(QString::number(value));
    Q_EMIT valueChanged(value);
}

} // namespace brindlemoor
