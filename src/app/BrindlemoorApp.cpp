// SPDX-License-Identifier: MIT
#include "app/BrindlemoorApp.h"

#include "app/AppLogging.h"
#include "app/QuitOnSignals.h"
#include "core/foundation/ProgramIdentity.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "core/status/PopoverController.h"
#include "core/status/TrackingController.h"
#include "core/status/TrayIcon.h"
#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/GnomeShellExtension.h"
#include "platform/linux/LinuxActivitySources.h"
#include "platform/linux/LinuxTrayIcon.h"
#include "platform/linux/NullHapticPerformer.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XdgAutostart.h"
#include "views/cards/FloatingWidgetManager.h"
#include "views/history/HistoryWindow.h"
#include "views/popover/MenuRootView.h"
#include "views/settings/AppIconProvider.h"
#include "views/status/BreakOverlayController.h"
#include "views/status/BreakOverlayView.h"
#include "views/status/TrayIndicator.h"
#include "views/status/TrayPopoverHost.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QGuiApplication>

#include <functional>

namespace brindlemoor {

BrindlemoorApp::BrindlemoorApp(KeyValueStore& defaults, RunningInstance& door, QObject* parent)
    : QObject(parent)
    , m_door(door)
    , m_defaults(defaults)
    , m_prefs(m_defaults)
{
}

BrindlemoorApp::~BrindlemoorApp()
{
    m_door.stopServing();
}

void BrindlemoorApp::finishLaunching(std::optional<RunningInstance::Request> request)
{
    if (m_tracking)
        return;
    m_usage = std::make_unique<UsageStore>(m_defaults, m_clock);
    // The last seconds counted wait in memory for their save. A session manager ending the session
    // asks for them first; an X server that goes away makes Qt exit() without unwinding to main.
    connect(qApp, &QGuiApplication::commitDataRequest, m_usage.get(), &UsageStore::flush);
    flushAtExit(*m_usage, std::bind_front(&UsageStore::flush, m_usage.get()));
    DesktopSessionAccess session = DesktopSessionAccess::fromEnvironment();
    if (session.kind == SessionKind::GnomeWayland) {
        m_shellExtension = std::make_unique<GnomeShellExtension>(session.sessionBus);
        session.shellExtension = m_shellExtension.get();
    }
    m_sources = std::make_unique<LinuxActivitySources>(m_scheduler, session);
    m_trayIcon =
        std::make_unique<LinuxTrayIcon>(session.sessionBus, QString(programName), QByteArray(), m_shellExtension.get());
    m_tray = std::make_unique<TrayIndicator>(m_appearance, *m_trayIcon);
    m_windowSystem = X11WindowSystem::forApplication(isWayland(session.kind));
    m_overlay = std::make_unique<BreakOverlayController>(m_appearance, m_scheduler, *m_windowSystem);
    m_sound = std::make_unique<CanberraSoundPlayer>();
    // Not on the way to the tray icon: the sound service's connection costs as much as the rest.
    m_scheduler.runAfter(std::chrono::seconds(1), this, [this] { m_sound->prepare(); });
    m_haptics = std::make_unique<NullHapticPerformer>();
    m_today = std::make_unique<TodayModel>(m_prefs, *m_usage);
    m_tray->followToday(*m_today);
    m_tracking = std::make_unique<TrackingController>(*m_today, m_prefs, *m_usage,
                                                      TrackingServices{m_clock, m_scheduler, m_sources->activeApps(),
                                                                       m_sources->idleTime(), m_sources->lockSignals(),
                                                                       *m_tray, *m_overlay, *m_sound, *m_haptics});
    // The widgets open at the last quit come back now.
    m_icons = std::make_unique<AppIconProvider>(m_sources->catalog());
    m_widgets = std::make_unique<FloatingWidgetManager>();
    m_widgets->configure(
        {m_appearance, m_defaults, *m_today, m_sources->catalog(), *m_icons, m_sources->activeApps(), *m_windowSystem});

    m_door.serve(*m_today, m_sources->catalog(), m_clock, m_scheduler);

    m_loginItems = std::make_unique<XdgAutostart>();
    m_popovers = std::make_unique<TrayPopoverHost>(TrayPopoverContext{
        m_appearance, m_prefs, *m_loginItems, m_sources->catalog(), *m_icons, m_scheduler, *m_windowSystem,
        [this](PopoverHost& host) -> QWidget* { return makeUsageContent(host); }, m_shellExtension.get()});
    m_popoverController = std::make_unique<PopoverController>(
        PopoverServices{m_defaults, m_clock, m_scheduler, m_sources->clicks(), *m_trayIcon, *m_popovers});
    connect(m_popoverController.get(), &PopoverController::quitRequested, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
    connect(m_popovers.get(), &PopoverHost::historyRequested, this, &BrindlemoorApp::showHistory);

    if (!request)
        request = std::exchange(m_pendingRequest, std::nullopt);
    if (request)
        handleRequest(*request);
    else
        m_popoverController->scheduleWelcomeOffer();
}

QWidget* BrindlemoorApp::makeUsageContent(PopoverHost& host)
{
    auto* menu = new MenuRootView(
        {m_appearance, *m_today, m_sources->catalog(), *m_icons, m_clock, m_widgets.get(), m_shellExtension.get()});
    connect(menu, &MenuRootView::openSettingsRequested, &host, &PopoverHost::settingsRequested);
    connect(menu, &MenuRootView::openInfoRequested, &host, &PopoverHost::infoRequested);
    connect(menu, &MenuRootView::openHistoryRequested, &host, &PopoverHost::historyRequested);
    connect(menu, &MenuRootView::quitRequested, &host, &PopoverHost::quitRequested);
    return menu;
}

void BrindlemoorApp::showHistory()
{
    m_popovers->close(PopoverKind::Usage);
    if (!m_history)
        m_history = std::make_unique<HistoryWindow>(m_appearance, *m_today, m_sources->catalog(), m_clock);
    m_history->present();
}

void BrindlemoorApp::handleRequest(RunningInstance::Request request)
{
    if (!m_popoverController) {
        m_pendingRequest = request;
        return;
    }
    qCInfo(lcApp) << "asked for"
                  << (request == RunningInstance::Request::Settings ? "the settings" : "the usage popover");
    if (request == RunningInstance::Request::Settings)
        m_popoverController->presentSettings();
    else
        m_popoverController->presentUsage();
}

} // namespace brindlemoor
