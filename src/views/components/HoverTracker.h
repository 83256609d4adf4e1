// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QWidget;

namespace brindlemoor {

/// Tells whether the pointer is over a widget, as an event filter any view can attach.
class HoverTracker final : public QObject {
    Q_OBJECT

public:
    explicit HoverTracker(QWidget* target);

Q_SIGNALS:
    void hoveringChanged(bool hovering);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHovering(bool hovering);

    bool m_hovering = false;
};

} // namespace brindlemoor
