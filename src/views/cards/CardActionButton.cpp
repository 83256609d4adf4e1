// SPDX-License-Identifier: MIT
#include "views/cards/CardActionButton.h"

namespace brindlemoor {

CardActionButton::CardActionButton(const QString& accessibleName, QWidget* parent)
    : QAbstractButton(parent)
{
    setAccessibleName(accessibleName);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    // The card shows through: pressing darkens the symbol the card paints.
    connect(this, &QAbstractButton::pressed, this, [this] { parentWidget()->update(); });
    connect(this, &QAbstractButton::released, this, [this] { parentWidget()->update(); });
}

} // namespace brindlemoor
