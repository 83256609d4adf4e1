// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

namespace brindlemoor {

/// A minutes setting as text. What the shared formatter rejects is not committed,
/// and the field goes back to the setting's value.
class MinutesField final : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int fieldWidth = 50;

    explicit MinutesField(const QString& placeholder, QWidget* parent = nullptr);

    qint64 value() const { return m_value; }
    /// Shows the bound value, unless the user is typing over it.
    void setValue(qint64 value);

Q_SIGNALS:
    /// The user entered a whole number the formatter accepts, different from the value.
    void committed(qint64 value);

private:
    void commit();

    qint64 m_value = 0;
};

} // namespace brindlemoor
