// SPDX-License-Identifier: MIT
#include "views/status/TrayPopoverHost.h"

#include "core/foundation/Scheduler.h"
#include "core/foundation/WindowSystem.h"
#include "views/components/PopoverWindow.h"
#include "views/onboarding/InfoPopoverController.h"
#include "views/onboarding/WelcomePopoverController.h"
#include "views/settings/PreferencesView.h"
#include "views/settings/SettingsPopoverController.h"

#include <QPointer>

namespace brindlemoor {

TrayPopoverHost::TrayPopoverHost(TrayPopoverContext context, QObject* parent)
    : PopoverHost(parent)
    , m_context(std::move(context))
    , m_usage(std::make_unique<PopoverWindow>(m_context.appearance, PopoverWindow::Behavior::Transient))
{
    m_usage->setWindowTitle(tr("Today in Brindlemoor"));
    watch(m_usage.get());
}

TrayPopoverHost::~TrayPopoverHost() = default;

void TrayPopoverHost::watch(PopoverWindow* window)
{
    connect(window, &PopoverWindow::shown, this, &PopoverHost::visibilityChanged);
    connect(window, &PopoverWindow::closed, this, &PopoverHost::visibilityChanged);
}

PopoverWindow* TrayPopoverHost::window(PopoverKind kind) const
{
    switch (kind) {
    case PopoverKind::Usage:
        return m_usage.get();
    case PopoverKind::Info:
        return m_info ? &m_info->popover() : nullptr;
    case PopoverKind::Settings:
        return m_settings ? &m_settings->popover() : nullptr;
    case PopoverKind::Welcome:
        return m_welcome ? &m_welcome->popover() : nullptr;
    }
    return nullptr;
}

bool TrayPopoverHost::isShown(PopoverKind kind) const
{
    const PopoverWindow* popover = window(kind);
    return popover && popover->isShown();
}

// Built at its first opening: laying out its text loads the fonts, a third of the start-up.
InfoPopoverController& TrayPopoverHost::info()
{
    if (!m_info) {
        m_info = std::make_unique<InfoPopoverController>(m_context.appearance);
        watch(&m_info->popover());
    }
    return *m_info;
}

SettingsPopoverController& TrayPopoverHost::settings()
{
    if (!m_settings) {
        auto* view = new PreferencesView(m_context.appearance, m_context.prefs, m_context.loginItems, m_context.catalog,
                                         m_context.icons);
        connect(view, &PreferencesView::appPickerFinished, this, &TrayPopoverHost::appPickerFinished);
        m_settings = std::make_unique<SettingsPopoverController>(m_context.appearance, view, m_context.scheduler);
        m_settings->popover().setWindowTitle(tr("Brindlemoor Settings"));
        watch(&m_settings->popover());
    }
    return *m_settings;
}

void TrayPopoverHost::show(PopoverKind kind, const PopoverAnchor& anchor)
{
    // A compositor may have started or stopped since the last opening.
    const bool compositing = m_context.windowSystem.compositorRunning();
    m_usage->setCompositing(compositing);
    switch (kind) {
    case PopoverKind::Usage:
        m_usage->showPopover(m_context.usageContent(*this), anchor);
        activateSoon(m_usage.get());
        break;
    case PopoverKind::Info:
        info().popover().setCompositing(compositing);
        if (!info().popover().isShown())
            info().toggle(anchor);
        activateSoon(&info().popover());
        break;
    case PopoverKind::Settings:
        settings().popover().setCompositing(compositing);
        settings().show(anchor);
        activateSoon(&settings().popover());
        break;
    case PopoverKind::Welcome:
        if (!m_welcome) {
            m_welcome = std::make_unique<WelcomePopoverController>(m_context.appearance, m_context.extension);
            watch(&m_welcome->popover());
            connect(m_welcome.get(), &WelcomePopoverController::continueRequested, this,
                    &PopoverHost::welcomeContinued);
        }
        m_welcome->popover().setCompositing(compositing);
        m_welcome->show(anchor);
        activateSoon(&m_welcome->popover());
        break;
    }
}

void TrayPopoverHost::close(PopoverKind kind)
{
    if (kind == PopoverKind::Welcome && m_welcome) {
        // Dropped once closed; its own button's signal may be what led here, so not at once.
        WelcomePopoverController* welcome = m_welcome.release();
        welcome->popover().closePopover();
        welcome->deleteLater();
        return;
    }
    if (PopoverWindow* popover = window(kind))
        popover->closePopover();
}

void TrayPopoverHost::reshowSettings(const PopoverAnchor& anchor)
{
    settings().reshow(anchor);
}

void TrayPopoverHost::pressedAnywhere(PopoverKind kind)
{
    if (PopoverWindow* popover = window(kind))
        popover->handleGlobalClick();
}

void TrayPopoverHost::activateSoon(PopoverWindow* window)
{
    m_context.scheduler.runAfter(std::chrono::milliseconds(0), window, [this, window] {
        if (window->isShown()) {
            window->raise();
            window->activateWindow();
            m_context.windowSystem.activate(window->windowHandle());
        }
    });
}

} // namespace brindlemoor
