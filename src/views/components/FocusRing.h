// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brindlemoor {

/// Whether a control should draw its focus ring: only when the focus came from the
/// keyboard, as the desktop's own styles do; a window that regains activation
/// hands focus back without asking for a ring.
inline bool showsFocusRing(const QWidget* widget)
{
    return widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

} // namespace brindlemoor
