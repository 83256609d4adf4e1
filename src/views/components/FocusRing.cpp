// SPDX-License-Identifier: MIT
#include "views/components/FocusRing.h"

#include "views/components/NamedColors.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>

namespace brindlemoor {

void paintFocusRing(QPainter& painter, const QRectF& outline, qreal radius, Scheme scheme, const QColor& over)
{
    const qreal width = scheme.highContrast ? 2.0 : 1.5;
    const qreal inset = width / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(over.isValid() ? over : roleColor(ColorRole::FocusRing, scheme), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(outline.adjusted(inset, inset, -inset, -inset), std::max(0.0, radius - inset),
                            std::max(0.0, radius - inset));
    painter.restore();
}

bool clickOnEnter(QAbstractButton* button, const QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (button->isEnabled())
        button->click();
    return true;
}

void moveKeyboardFocus(QWidget* to)
{
    if (!to)
        return;
    to->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    to->setFocus(Qt::OtherFocusReason);
}

} // namespace brindlemoor
