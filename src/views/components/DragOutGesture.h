// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointF>

#include <optional>

class QWidget;

namespace brindlemoor {

/// A left-button drag on a widget that counts only once the pointer has moved a minimum
/// distance from the press, as an event filter; shorter drags do nothing. Positions are
/// global. Presses that a child takes (a button) never reach the widget.
class DragOutGesture final : public QObject {
    Q_OBJECT

public:
    static constexpr qreal minimumDistance = 8;

    explicit DragOutGesture(QWidget* source);

    bool isActive() const { return m_active; }

Q_SIGNALS:
    /// The pointer went the minimum distance: the drag begins where the pointer is now.
    void started(const QPoint& globalPosition);
    /// Every later move while the button is held.
    void moved(const QPoint& globalPosition);
    /// The button was released after the drag began.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<QPointF> m_pressedAt;
    bool m_active = false;
};

} // namespace brindlemoor
