// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/CuePorts.h"

#include <QObject>
#include <QPointer>

namespace brindlemoor {

class Appearance;
class BreakOverlayView;
class Scheduler;
class WindowSystem;

/// Owns the one break overlay window: shows it over the primary screen, fades it in and
/// out, and closes it on Close, on Extend (after the caller's action), on a click on the
/// backdrop and by itself after seven seconds.
class BreakOverlayController final : public QObject, public BreakOverlayPresenter {
    Q_OBJECT

public:
    BreakOverlayController(const Appearance& appearance, Scheduler& scheduler, WindowSystem& windowSystem,
                           QObject* parent = nullptr);
    ~BreakOverlayController() override;

    void show(qint64 extensionMinutes, std::function<void()> onExtend) override;
    /// Closes the overlay, fading it out when `animated` and the desktop can fade windows.
    void dismiss(bool animated);
    bool isShown() const { return !m_view.isNull(); }
    /// The overlay on screen, or null.
    BreakOverlayView* view() const { return m_view; }

private:
    const Appearance& m_appearance;
    Scheduler& m_scheduler;
    WindowSystem& m_windowSystem;
    QPointer<BreakOverlayView> m_view;
};

} // namespace brindlemoor
