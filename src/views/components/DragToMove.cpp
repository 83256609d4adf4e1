// SPDX-License-Identifier: MIT
#include "views/components/DragToMove.h"

#include <QMouseEvent>
#include <QWidget>

namespace brindlemoor {

DragToMove::DragToMove(QWidget* handle)
    : QObject(handle)
    , m_handle(handle)
{
    handle->installEventFilter(this);
}

bool DragToMove::eventFilter(QObject* /*watched*/, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            return false;
        m_pressedAt = press->globalPosition();
        m_windowAtPress = m_handle->window()->pos();
        return true;
    }
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (!m_pressedAt || !move->buttons().testFlag(Qt::LeftButton))
            return false;
        m_handle->window()->move(m_windowAtPress + (move->globalPosition() - *m_pressedAt).toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!m_pressedAt || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        m_pressedAt.reset();
        return true;
    }
    default:
        return false;
    }
}

} // namespace brindlemoor
