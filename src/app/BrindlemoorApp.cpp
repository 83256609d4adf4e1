// SPDX-License-Identifier: MIT
#include "app/BrindlemoorApp.h"

#include "app/AppLogging.h"
#include "core/status/StatusBarController.h"
#include "core/status/TrayIcon.h"
#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/LinuxActivitySources.h"
#include "platform/linux/LinuxTrayIcon.h"
#include "platform/linux/NullHapticPerformer.h"
#include "platform/linux/X11WindowSystem.h"
#include "views/settings/AppIconProvider.h"
#include "views/status/BreakOverlayController.h"
#include "views/status/BreakOverlayView.h"
#include "views/status/TrayIndicator.h"
#include "views/widgets/FloatingWidgetManager.h"

#include <QDBusConnection>

namespace brindlemoor {

BrindlemoorApp::BrindlemoorApp(KeyValueStore& defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_prefs(defaults)
{
}

// The widgets show the controller's usage store, and the controller points into everything else.
BrindlemoorApp::~BrindlemoorApp()
{
    m_widgets.reset();
    m_controller.reset();
}

void BrindlemoorApp::finishLaunching()
{
    if (m_controller)
        return;
    m_sources = std::make_unique<LinuxActivitySources>(m_scheduler);
    m_trayIcon = std::make_unique<LinuxTrayIcon>(QDBusConnection::sessionBus(), QStringLiteral("Brindlemoor"));
    connect(m_trayIcon.get(), &TrayIcon::clicked, this, &BrindlemoorApp::onTrayClicked);
    m_tray = std::make_unique<TrayIndicator>(*m_trayIcon);
    m_windowSystem = X11WindowSystem::forApplication();
    m_overlay = std::make_unique<BreakOverlayController>(m_scheduler, *m_windowSystem);
    m_sound = std::make_unique<CanberraSoundPlayer>();
    m_haptics = std::make_unique<NullHapticPerformer>();
    m_controller = std::make_unique<StatusBarController>(
        m_prefs,
        StatusBarServices{m_defaults, m_clock, m_scheduler, m_sources->activeApps(), m_sources->idleTime(),
                          m_sources->lockSignals(), m_sources->clicks(), *m_tray, *m_overlay, *m_sound, *m_haptics});
    // The widgets open at the last quit come back now.
    m_icons = std::make_unique<AppIconProvider>(m_sources->catalog());
    m_widgets = std::make_unique<FloatingWidgetManager>();
    connect(m_widgets.get(), &FloatingWidgetManager::resetAppRequested, m_controller.get(),
            &StatusBarController::resetUsage);
    m_widgets->configure({m_defaults, m_prefs, m_controller->usageStore(), m_sources->catalog(), *m_icons,
                          m_sources->activeApps(), *m_windowSystem});
}

void BrindlemoorApp::onTrayClicked(const TrayClick& click)
{
    qCDebug(lcApp) << "tray click:" << (click.button == TrayClick::Button::Middle ? "middle" : "primary") << "at"
                   << click.position << "icon" << click.iconGeometry << "alt" << click.altHeld;
}

} // namespace brindlemoor
