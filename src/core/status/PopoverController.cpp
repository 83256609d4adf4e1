// SPDX-License-Identifier: MIT
#include "core/status/PopoverController.h"

#include "core/foundation/Clock.h"
#include "core/foundation/CoreLogging.h"
#include "core/foundation/KeyValueStore.h"
#include "core/foundation/Scheduler.h"
#include "core/model/SettingsKeys.h"

#include <utility>

namespace brindlemoor {

namespace {

constexpr PopoverKind transientKinds[] = {PopoverKind::Usage, PopoverKind::Info, PopoverKind::Settings};

} // namespace

PopoverController::PopoverController(const PopoverServices& services, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_popovers(services.popovers)
    , m_anchor(anchorFromTray())
{
    m_clickMonitor = std::make_unique<ClickMonitor>(services.clicks);
    connect(m_clickMonitor.get(), &ClickMonitor::pressed, this, &PopoverController::onPressAnywhere);
    connect(&services.tray, &TrayIcon::clicked, this, &PopoverController::togglePopover);
    connect(&m_popovers, &PopoverHost::visibilityChanged, this, &PopoverController::syncClickMonitor);
    connect(&m_popovers, &PopoverHost::welcomeContinued, this, &PopoverController::dismissWelcome);
    connect(&m_popovers, &PopoverHost::appPickerFinished, this, &PopoverController::onAppPickerFinished);
    connect(&m_popovers, &PopoverHost::settingsRequested, this, &PopoverController::openSettings);
    connect(&m_popovers, &PopoverHost::infoRequested, this, &PopoverController::openInfo);
    connect(&m_popovers, &PopoverHost::quitRequested, this, &PopoverController::quitRequested);
}

PopoverController::~PopoverController() = default;

void PopoverController::scheduleWelcomeOffer()
{
    m_services.scheduler.runAfter(welcomeDelay, this, [this] {
        // Where the tray item is may be known only now that the tray has shown it.
        m_anchor = anchorFromTray();
        offerWelcome();
    });
}

bool PopoverController::hasSeenWelcome() const
{
    return m_services.defaults.boolValue(keys::hasSeenWelcome, false);
}

PopoverAnchor PopoverController::anchorFromTray() const
{
    const QRect icon = m_services.tray.iconGeometry();
    return icon.isEmpty() ? PopoverAnchor::centered() : PopoverAnchor::fromRect(icon);
}

void PopoverController::togglePopover(const TrayClick& click)
{
    // A StatusNotifierItem host tells only where the click was.
    m_anchor = click.iconGeometry.isEmpty() ? PopoverAnchor::fromPoint(click.position)
                                            : PopoverAnchor::fromRect(click.iconGeometry);
    m_lastTrayClickAt = m_services.clock.now();
    m_openedByLastTrayClick.clear();
    m_heldBackByLastTrayClick.clear();
    qCDebug(lcCore) << "tray click at" << click.position << "alt" << click.altHeld << "middle"
                    << (click.button == TrayClick::Button::Middle);
    if (!hasSeenWelcome()) {
        offerWelcome();
        return;
    }
    if (click.altHeld || click.button == TrayClick::Button::Middle)
        toggle(PopoverKind::Info);
    else
        toggle(PopoverKind::Usage);
}

void PopoverController::toggle(PopoverKind kind)
{
    if (m_popovers.isShown(kind)) {
        close(kind);
        return;
    }
    // The press on the tray icon closed it a moment ago: this click has done its toggle.
    if (isWithinSameClick(m_lastPressAt) && m_closedByLastPress.contains(kind)) {
        m_closedByLastPress.remove(kind);
        m_heldBackByLastTrayClick.insert(kind);
        return;
    }
    show(kind);
    m_openedByLastTrayClick.insert(kind);
}

void PopoverController::show(PopoverKind kind)
{
    m_popovers.show(kind, m_anchor);
    syncClickMonitor();
}

void PopoverController::close(PopoverKind kind)
{
    m_popovers.close(kind);
    syncClickMonitor();
}

void PopoverController::openSettings()
{
    close(PopoverKind::Usage);
    if (m_popovers.isShown(PopoverKind::Settings))
        close(PopoverKind::Settings);
    else
        show(PopoverKind::Settings);
}

void PopoverController::openInfo()
{
    close(PopoverKind::Usage);
    if (m_popovers.isShown(PopoverKind::Info))
        close(PopoverKind::Info);
    else
        show(PopoverKind::Info);
}

void PopoverController::offerWelcome()
{
    if (m_popovers.isShown(PopoverKind::Welcome) || hasSeenWelcome())
        return;
    show(PopoverKind::Welcome);
}

void PopoverController::dismissWelcome()
{
    m_services.defaults.setValue(keys::hasSeenWelcome, true);
    close(PopoverKind::Welcome);
    if (m_popovers.isShown(PopoverKind::Settings))
        close(PopoverKind::Settings);
    else
        show(PopoverKind::Settings);
}

void PopoverController::onAppPickerFinished()
{
    m_popovers.reshowSettings(m_anchor);
}

void PopoverController::presentUsage()
{
    m_anchor = PopoverAnchor::centered();
    if (!hasSeenWelcome())
        offerWelcome();
    else if (!m_popovers.isShown(PopoverKind::Usage))
        show(PopoverKind::Usage);
}

void PopoverController::presentSettings()
{
    m_anchor = PopoverAnchor::centered();
    if (!m_popovers.isShown(PopoverKind::Settings))
        show(PopoverKind::Settings);
}

void PopoverController::onPressAnywhere()
{
    const bool partOfTrayClick = isWithinSameClick(m_lastTrayClickAt);
    m_lastPressAt = m_services.clock.now();
    m_closedByLastPress.clear();
    // The tray click held back for a press that closed its popover, and now its own press
    // comes: that earlier press was a click elsewhere, and this click opens.
    const QSet<PopoverKind> heldBack = std::exchange(m_heldBackByLastTrayClick, {});
    if (partOfTrayClick) {
        for (const PopoverKind kind : heldBack) {
            m_popovers.show(kind, m_anchor);
            m_openedByLastTrayClick.insert(kind);
        }
    }
    for (const PopoverKind kind : transientKinds) {
        // The tray click came first and opened it; this is that click's own press.
        if (partOfTrayClick && m_openedByLastTrayClick.contains(kind))
            continue;
        if (!m_popovers.isShown(kind))
            continue;
        m_popovers.pressedAnywhere(kind);
        if (!m_popovers.isShown(kind))
            m_closedByLastPress.insert(kind);
    }
    qCDebug(lcCore) << "press anywhere closed" << m_closedByLastPress.size() << "popovers"
                    << (partOfTrayClick ? "(after a tray click)" : "");
    syncClickMonitor();
}

bool PopoverController::isWithinSameClick(const QDateTime& at) const
{
    return at.isValid() && at.msecsTo(m_services.clock.now()) <= sameClickWindow.count();
}

void PopoverController::syncClickMonitor()
{
    bool anyShown = false;
    for (const PopoverKind kind : transientKinds)
        anyShown = anyShown || m_popovers.isShown(kind);
    if (anyShown) {
        m_monitorLingersUntil = {};
        if (!m_clickMonitor->isRunning())
            m_clickMonitor->start();
        return;
    }
    if (!m_clickMonitor->isRunning())
        return;
    // A click elsewhere that closed the popover, then at once a click on the tray icon: the
    // second press has to be seen, or the tray click would be taken for the first one's.
    const QDateTime now = m_services.clock.now();
    if (!m_monitorLingersUntil.isValid()) {
        m_monitorLingersUntil = now.addMSecs(sameClickWindow.count());
        m_services.scheduler.runAfter(sameClickWindow, this, [this] { syncClickMonitor(); });
    } else if (now >= m_monitorLingersUntil) {
        m_monitorLingersUntil = {};
        m_heldBackByLastTrayClick.clear();
        m_clickMonitor->stop();
    }
}

} // namespace brindlemoor
