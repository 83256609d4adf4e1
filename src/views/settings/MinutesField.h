// SPDX-License-Identifier: MIT
#pragma once

#include "views/settings/MinutesFormatter.h"

#include <QLineEdit>

namespace brindlemoor {

/// A minutes setting (or another whole number, within its range) as text. What the formatter
/// rejects is not committed, and the field goes back to the setting's value.
class MinutesField final : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int fieldWidth = 50;

    explicit MinutesField(const QString& placeholder, QWidget* parent = nullptr);
    MinutesField(const QString& placeholder, qint64 minimum, qint64 maximum, QWidget* parent = nullptr);

    qint64 value() const { return m_value; }
    /// Shows the bound value, unless the user is typing over it.
    void setValue(qint64 value);

Q_SIGNALS:
    /// The user entered a whole number the formatter accepts, different from the value.
    void committed(qint64 value);

private:
    void commit();

    MinutesFormatter m_formatter;
    qint64 m_value = 0;
};

} // namespace brindlemoor
