// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/Symbol.h"

#include <QAbstractButton>

namespace brindlemoor {

/// A symbol as a button in a 16 × 16 frame: the table bar's "plus" and "minus".
class SymbolButton final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int side = 16;

    SymbolButton(Symbol symbol, const QString& accessibleName, QWidget* parent = nullptr);

    /// Primary style when it has something to act on, secondary otherwise.
    void setProminent(bool prominent);
    bool isProminent() const { return m_prominent; }

    QSize sizeHint() const override { return {side, side}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Symbol m_symbol;
    bool m_prominent = true;
};

} // namespace brindlemoor
