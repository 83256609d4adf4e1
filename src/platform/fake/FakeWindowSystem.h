// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/WindowSystem.h"

#include <QList>

namespace brindlemoor {

/// Records what the views asked of the window system, and answers a compositor state the test sets.
class FakeWindowSystem final : public WindowSystem {
public:
    bool compositorRunning() const override { return compositor; }
    void placeOnAllDesktops(QWindow* window) override { onAllDesktops.append(window); }
    void placeAboveEverything(QWindow* window) override { aboveEverything.append(window); }
    void keepAbove(QWindow* window) override { keptAbove.append(window); }
    void skipTaskbarAndPager(QWindow* window) override { outOfTaskbars.append(window); }

    bool compositor = false;
    QList<QWindow*> onAllDesktops;
    QList<QWindow*> aboveEverything;
    QList<QWindow*> keptAbove;
    QList<QWindow*> outOfTaskbars;
};

} // namespace brindlemoor
