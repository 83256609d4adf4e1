// SPDX-License-Identifier: MIT
#include "views/components/DragOutGesture.h"

#include <QLineF>
#include <QMouseEvent>
#include <QWidget>

namespace brindlemoor {

DragOutGesture::DragOutGesture(QWidget* source)
    : QObject(source)
{
    source->installEventFilter(this);
}

bool DragOutGesture::eventFilter(QObject* /*watched*/, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            return false;
        m_pressedAt = press->globalPosition();
        m_active = false;
        // Taking the press keeps the moves coming here, even once the pointer leaves the popover.
        return true;
    }
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (!m_pressedAt || !move->buttons().testFlag(Qt::LeftButton))
            return false;
        const QPoint at = move->globalPosition().toPoint();
        if (m_active) {
            Q_EMIT moved(at);
        } else if (QLineF(*m_pressedAt, move->globalPosition()).length() >= minimumDistance) {
            m_active = true;
            Q_EMIT started(at);
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!m_pressedAt || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        m_pressedAt.reset();
        if (m_active) {
            m_active = false;
            Q_EMIT finished();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace brindlemoor
