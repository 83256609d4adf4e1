// SPDX-License-Identifier: MIT
#include "views/settings/MinutesField.h"

#include "views/components/Fonts.h"
#include "views/settings/MinutesFormatter.h"

namespace brindlemoor {

MinutesField::MinutesField(const QString& placeholder, QWidget* parent)
    : MinutesField(placeholder, MinutesFormatter::minutesMinimum, MinutesFormatter::minutesMaximum, parent)
{
}

MinutesField::MinutesField(const QString& placeholder, qint64 minimum, qint64 maximum, QWidget* parent)
    : QLineEdit(parent)
    , m_formatter(minimum, maximum)
{
    setFont(fonts::body());
    setPlaceholderText(placeholder);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFixedWidth(fieldWidth);
    setText(m_formatter.text(m_value));
    connect(this, &QLineEdit::editingFinished, this, &MinutesField::commit);
}

void MinutesField::setValue(qint64 value)
{
    m_value = value;
    if (hasFocus() && isModified())
        return;
    setText(m_formatter.text(value));
}

void MinutesField::commit()
{
    const auto entered = m_formatter.value(text());
    if (entered && *entered != m_value) {
        m_value = *entered;
        Q_EMIT committed(*entered);
    }
    setText(m_formatter.text(m_value));
    setModified(false);
}

} // namespace brindlemoor
