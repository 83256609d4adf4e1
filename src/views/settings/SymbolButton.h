// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/Symbol.h"

#include <QAbstractButton>

namespace brindlemoor {

class Appearance;

/// A symbol as a button in a 16 × 16 frame (the table bar's "plus" and "minus"), or a
/// larger one for a larger symbol (the popover's header).
class SymbolButton final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int side = 16;

    SymbolButton(const Appearance& appearance, Symbol symbol, const QString& accessibleName, QWidget* parent = nullptr);

    /// Primary style when it has something to act on, secondary otherwise.
    void setProminent(bool prominent);
    bool isProminent() const { return m_prominent; }
    void setSymbol(Symbol symbol);
    Symbol symbol() const { return m_symbol; }
    /// The symbol's size; the frame grows to hold a symbol larger than the default.
    void setPointSize(qreal points);

    QSize sizeHint() const override { return size(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const Appearance& m_appearance;
    Symbol m_symbol;
    bool m_prominent = true;
    qreal m_points = 15;
};

} // namespace brindlemoor
