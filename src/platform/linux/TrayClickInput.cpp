// SPDX-License-Identifier: MIT
#include "platform/linux/TrayClickInput.h"

#include <QGuiApplication>
#include <QScreen>

namespace brindlemoor {

bool isAltHeldNow()
{
    // Asks the X server, not Qt's record of the last key event: the click went to the panel.
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

QPoint logicalFromNativePosition(QPoint native)
{
    // Qt keeps each screen's origin in the server's pixels and scales only within the screen.
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        const QRect nativeGeometry(logical.topLeft(), logical.size() * ratio);
        if (nativeGeometry.contains(native))
            return logical.topLeft() + (native - logical.topLeft()) / ratio;
    }
    return native;
}

} // namespace brindlemoor
