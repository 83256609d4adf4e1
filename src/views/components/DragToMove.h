// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointF>

#include <optional>

class QWidget;

namespace brindlemoor {

/// Moves a window by dragging `handle` with the left button, as an event filter. Presses
/// that a child takes (a button) never reach the handle, so only its background drags.
class DragToMove final : public QObject {
    Q_OBJECT

public:
    explicit DragToMove(QWidget* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_handle;
    std::optional<QPointF> m_pressedAt; // global pointer position at the press
    QPoint m_windowAtPress;
};

} // namespace brindlemoor
