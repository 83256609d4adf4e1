// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/Clock.h"
#include "core/foundation/Scheduler.h"
#include "core/model/PreferencesStore.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace brindlemoor {

class BreakOverlayController;
class CanberraSoundPlayer;
class KeyValueStore;
class LinuxActivitySources;
class NullHapticPerformer;
class StatusBarController;
class TrayIndicator;
class UsageStore;
class WindowSystem;

/// The running program: the one settings store from process start, and the controller
/// that owns everything else once the window system is ready. Nothing is saved at exit,
/// because every change was saved when it happened.
class BrindlemoorApp final : public QObject {
    Q_OBJECT

public:
    explicit BrindlemoorApp(KeyValueStore& defaults, QObject* parent = nullptr);
    ~BrindlemoorApp() override;

    /// Builds the controller; later calls do nothing.
    void finishLaunching();

private:
    void watchForTrayHost();

    KeyValueStore& m_defaults;
    PreferencesStore m_prefs;
    SystemClock m_clock;
    QtScheduler m_scheduler;
    std::unique_ptr<UsageStore> m_usage;
    std::unique_ptr<LinuxActivitySources> m_sources;
    std::unique_ptr<WindowSystem> m_windowSystem;
    std::unique_ptr<TrayIndicator> m_tray;
    std::unique_ptr<BreakOverlayController> m_overlay;
    std::unique_ptr<CanberraSoundPlayer> m_sound;
    std::unique_ptr<NullHapticPerformer> m_haptics;
    std::unique_ptr<StatusBarController> m_controller;
    QTimer m_trayHostPoll;
};

} // namespace brindlemoor
