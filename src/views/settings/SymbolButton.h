// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

namespace brindlemoor {

/// The table bar's "plus" and "minus" symbols, drawn by the program, in a 16 × 16 frame.
class SymbolButton final : public QAbstractButton {
    Q_OBJECT

public:
    enum class Symbol { Plus, Minus };
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
