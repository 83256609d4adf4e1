// SPDX-License-Identifier: MIT
#include "views/components/HoverTracker.h"

#include <QEvent>
#include <QWidget>

namespace brindlemoor {

HoverTracker::HoverTracker(QWidget* target)
    : QObject(target)
{
    target->installEventFilter(this);
}

bool HoverTracker::eventFilter(QObject* /*watched*/, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        setHovering(true);
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        setHovering(false);
        break;
    default:
        break;
    }
    return false;
}

void HoverTracker::setHovering(bool hovering)
{
    if (hovering == m_hovering)
        return;
    m_hovering = hovering;
    Q_EMIT hoveringChanged(hovering);
}

} // namespace brindlemoor
