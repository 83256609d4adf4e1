// SPDX-License-Identifier: MIT
#include "app/BrindlemoorApp.h"

#include "app/AppLogging.h"
#include "core/model/UsageStore.h"
#include "core/status/StatusBarController.h"
#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/LinuxActivitySources.h"
#include "platform/linux/NullHapticPerformer.h"
#include "platform/linux/X11WindowSystem.h"
#include "views/status/BreakOverlayController.h"
#include "views/status/BreakOverlayView.h"
#include "views/status/TrayIndicator.h"

#include <QSystemTrayIcon>

namespace brindlemoor {

BrindlemoorApp::BrindlemoorApp(KeyValueStore& defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_prefs(defaults)
{
}

// The controller goes first: it points into everything else.
BrindlemoorApp::~BrindlemoorApp()
{
    m_controller.reset();
}

void BrindlemoorApp::finishLaunching()
{
    if (m_controller)
        return;
    m_usage = std::make_unique<UsageStore>(m_defaults, m_clock);
    m_sources = std::make_unique<LinuxActivitySources>(m_scheduler);
    m_tray = std::make_unique<TrayIndicator>();
    m_windowSystem = X11WindowSystem::forApplication();
    m_overlay = std::make_unique<BreakOverlayController>(m_scheduler, *m_windowSystem);
    m_sound = std::make_unique<CanberraSoundPlayer>();
    m_haptics = std::make_unique<NullHapticPerformer>();
    m_controller = std::make_unique<StatusBarController>(
        m_prefs, *m_usage,
        StatusBarServices{m_clock, m_scheduler, m_sources->activeApps(), m_sources->idleTime(),
                          m_sources->lockSignals(), m_sources->clicks(), *m_tray, *m_overlay, *m_sound, *m_haptics});
    watchForTrayHost();
}

void BrindlemoorApp::watchForTrayHost()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        return;
    qCWarning(lcApp) << "brindlemoor: no system tray is running (neither a StatusNotifier host nor an XEmbed tray); "
                        "tracking goes on, and the icon appears once a tray starts";
    // Qt does not re-embed an icon by itself when a tray starts later, so look now and then.
    m_trayHostPoll.setInterval(std::chrono::seconds(2));
    connect(&m_trayHostPoll, &QTimer::timeout, this, [this] {
        if (!QSystemTrayIcon::isSystemTrayAvailable())
            return;
        m_trayHostPoll.stop();
        m_tray->trayIcon().hide();
        m_tray->trayIcon().show();
    });
    m_trayHostPoll.start();
}

} // namespace brindlemoor
