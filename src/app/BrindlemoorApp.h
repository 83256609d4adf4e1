// SPDX-License-Identifier: MIT
#pragma once

#include "app/RunningInstance.h"
#include "core/foundation/Clock.h"
#include "core/foundation/RetryingKeyValueStore.h"
#include "core/foundation/Scheduler.h"
#include "core/model/PreferencesStore.h"
#include "views/components/Appearance.h"

#include <QObject>

#include <memory>
#include <optional>

class QWidget;

namespace brindlemoor {

class AppIconProvider;
class BreakOverlayController;
class CanberraSoundPlayer;
class FloatingWidgetManager;
class GnomeShellExtension;
class HistoryWindow;
class LinuxActivitySources;
class LinuxTrayIcon;
class NullHapticPerformer;
class PopoverHost;
class TrackingController;
class PopoverController;
class TodayModel;
class TrayIndicator;
class TrayPopoverHost;
class UsageStore;
class WindowSystem;
class XdgAutostart;
struct TrayClick;

/// The running program: the one settings store from process start, and the controller
/// that owns everything else once the window system is ready. Every change is saved when it
/// happens; at exit only what the disk refused is tried once more.
class BrindlemoorApp final : public QObject {
    Q_OBJECT

public:
    /// `door` answers on the session bus once launching has finished.
    BrindlemoorApp(KeyValueStore& defaults, RunningInstance& door, QObject* parent = nullptr);
    ~BrindlemoorApp() override;

    /// Builds the controller, then offers the welcome shortly after, or opens what
    /// `request` asks for; later calls do nothing.
    void finishLaunching(std::optional<RunningInstance::Request> request = std::nullopt);

    /// Opens what a second start of the program asked for; kept until launching finished.
    void handleRequest(RunningInstance::Request request);

private:
    /// The usage popover's content, new at each opening, its actions sent on through `host`.
    QWidget* makeUsageContent(PopoverHost& host);
    /// Closes the usage popover for the history's window, made at the first asking.
    void showHistory();

    // Declared in the order they are built, so that each goes before what it points into.
    // Everything reads and writes through it, so a full disk or a locked database costs nothing counted.
    RunningInstance& m_door;
    RetryingKeyValueStore m_defaults;
    PreferencesStore m_prefs;
    SystemClock m_clock;
    QtScheduler m_scheduler;
    // Light or dark for every view below, all of which go before it.
    Appearance m_appearance;
    std::unique_ptr<UsageStore> m_usage;
    std::unique_ptr<TodayModel> m_today;
    std::unique_ptr<GnomeShellExtension> m_shellExtension;
    std::unique_ptr<LinuxActivitySources> m_sources;
    std::unique_ptr<WindowSystem> m_windowSystem;
    std::unique_ptr<LinuxTrayIcon> m_trayIcon;
    std::unique_ptr<TrayIndicator> m_tray;
    std::unique_ptr<BreakOverlayController> m_overlay;
    std::unique_ptr<CanberraSoundPlayer> m_sound;
    std::unique_ptr<NullHapticPerformer> m_haptics;
    std::unique_ptr<TrackingController> m_tracking;
    std::unique_ptr<AppIconProvider> m_icons;
    std::unique_ptr<FloatingWidgetManager> m_widgets;
    std::unique_ptr<XdgAutostart> m_loginItems;
    std::unique_ptr<TrayPopoverHost> m_popovers;
    std::unique_ptr<PopoverController> m_popoverController;
    std::optional<RunningInstance::Request> m_pendingRequest;
    // Last, so that it goes first: it reads the model, the catalogue and the appearance.
    std::unique_ptr<HistoryWindow> m_history;
};

} // namespace brindlemoor
