// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QByteArray>

#include <cstdint>
#include <memory>

class QSocketNotifier;

namespace brindlemoor {

class XcbConnection;

/// Left and right button presses anywhere on the screen, from XInput2's raw events on a
/// connection of its own. Raw events are copies: the click still goes to its window.
class XInput2ClickSource final : public ClickSource {
public:
    /// `display` as in DISPLAY; empty for the environment's.
    explicit XInput2ClickSource(const QByteArray& display = {});
    ~XInput2ClickSource() override;
    XInput2ClickSource(const XInput2ClickSource&) = delete;
    XInput2ClickSource& operator=(const XInput2ClickSource&) = delete;

    bool start() override;
    void stop() override;
    bool isAvailable() const;

private:
    bool selectRawButtonPresses(bool enabled);
    void readEvents();

    std::unique_ptr<XcbConnection> m_x;
    std::unique_ptr<QSocketNotifier> m_notifier;
    uint8_t m_inputOpcode = 0;
    bool m_available = false;
    bool m_registered = false;
};

} // namespace brindlemoor
