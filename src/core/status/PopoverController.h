// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/ClickMonitor.h"
#include "core/status/PopoverHost.h"
#include "core/status/TrayIcon.h"

#include <QDateTime>
#include <QObject>
#include <QSet>

#include <chrono>
#include <memory>

namespace brindlemoor {

class Clock;
class KeyValueStore;
class Scheduler;

struct PopoverServices {
    KeyValueStore& defaults; ///< where "hasSeenWelcome" lives
    const Clock& clock;
    Scheduler& scheduler;
    ClickSource& clicks; ///< presses anywhere, for closing transient popovers
    TrayIcon& tray;
    PopoverHost& popovers;
};

/// The tray item's side that the user sees: what a click on the icon opens, the popovers'
/// actions, the first-launch welcome, and the global click monitor, which runs while a
/// transient popover is shown and for one click's length after the last one closed.
class PopoverController final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds welcomeDelay{300};
    /// A press that the click monitor sees and a tray click that the tray reports this
    /// close together are one click, whichever of the two arrives first.
    static constexpr std::chrono::milliseconds sameClickWindow{500};

    explicit PopoverController(const PopoverServices& services, QObject* parent = nullptr);
    ~PopoverController() override;

    /// Offers the welcome 0.3 s from now (once the tray item has had time to appear).
    void scheduleWelcomeOffer();

    /// The tray icon's action: the welcome until it was seen, else Alt-click or a middle
    /// click toggles the info, else the usage popover.
    void togglePopover(const TrayClick& click);
    /// Closes the usage popover and toggles the settings.
    void openSettings();
    /// Closes the usage popover and toggles the info.
    void openInfo();
    /// Shows the welcome unless it is open or was seen.
    void offerWelcome();
    /// The welcome's button: remembers it was seen, closes it and toggles the settings.
    void dismissWelcome();
    /// The application chooser closed: it took the settings' focus, so they are shown again.
    void onAppPickerFinished();

    /// Asked from outside (a second start of the program, the desktop entry's action):
    /// the usage popover, or the welcome until it was seen, in the middle of the primary
    /// screen; left open when it already is.
    void presentUsage();
    /// The same for the settings.
    void presentSettings();

    bool hasSeenWelcome() const;
    const ClickMonitor& clickMonitor() const { return *m_clickMonitor; }

Q_SIGNALS:
    /// The user asked to quit the program.
    void quitRequested();

private:
    void toggle(PopoverKind kind);
    void show(PopoverKind kind);
    void close(PopoverKind kind);
    void onPressAnywhere();
    void syncClickMonitor();
    bool isWithinSameClick(const QDateTime& at) const;
    PopoverAnchor anchorFromTray() const;

    PopoverServices m_services;
    PopoverHost& m_popovers;
    std::unique_ptr<ClickMonitor> m_clickMonitor;
    PopoverAnchor m_anchor;

    // The other half of one click, for whichever half comes second.
    QDateTime m_lastPressAt;
    QSet<PopoverKind> m_closedByLastPress;
    QDateTime m_lastTrayClickAt;
    QSet<PopoverKind> m_openedByLastTrayClick;
    /// What the last tray click took for its own press's doing; a press of its own arriving
    /// after it shows the press before was another click's.
    QSet<PopoverKind> m_heldBackByLastTrayClick;
    /// Until when the click monitor outlives the last popover; invalid while one is shown.
    QDateTime m_monitorLingersUntil;
};

} // namespace brindlemoor
