// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/NamedColors.h"

#include <QWidget>

class QAbstractButton;
class QKeyEvent;
class QPainter;

namespace brindlemoor {

/// Whether a control should draw its focus ring: only when the focus came from the
/// keyboard, as the desktop's own styles do; a window that regains activation
/// hands focus back without asking for a ring.
inline bool showsFocusRing(const QWidget* widget)
{
    return widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

/// The one ring every focusable control draws, just inside `outline`, in the focus colour, or
/// in `over` where the control sits on the accent's own fill (a usage card).
void paintFocusRing(QPainter& painter, const QRectF& outline, qreal radius, Scheme scheme, const QColor& over = {});

/// Return and Enter press a focused button as Space does. True when the key was taken.
bool clickOnEnter(QAbstractButton* button, const QKeyEvent* event);

/// Moves the focus by keys other than Tab (arrows), showing the ring as Tab would.
void moveKeyboardFocus(QWidget* to);

} // namespace brindlemoor
