// SPDX-License-Identifier: MIT
#include "views/cards/CardActionButton.h"

#include "views/components/FocusRing.h"

#include <QKeyEvent>

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

void CardActionButton::keyPressEvent(QKeyEvent* event)
{
    // Up and down belong to the list of cards, which moves between its rows.
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        event->ignore();
        return;
    }
    if (!clickOnEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

void CardActionButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    parentWidget()->update();
}

void CardActionButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    parentWidget()->update();
}

} // namespace brindlemoor
