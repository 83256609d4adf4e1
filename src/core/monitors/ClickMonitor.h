// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QObject>

namespace brindlemoor {

/// Watches left and right button presses anywhere, to close a popover on a click elsewhere.
class ClickMonitor final : public QObject {
    Q_OBJECT

public:
    explicit ClickMonitor(ClickSource& source, QObject* parent = nullptr);
    ~ClickMonitor() override;

    /// Replaces any running registration with a new one.
    void start();
    void stop();
    bool isRunning() const { return m_registered; }

Q_SIGNALS:
    /// A press anywhere while running.
    void pressed();

private:
    ClickSource& m_source;
    bool m_registered = false;
};

} // namespace brindlemoor
