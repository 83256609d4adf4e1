// SPDX-License-Identifier: MIT
#include "views/settings/SettingsPopoverController.h"

#include "core/foundation/Scheduler.h"
#include "views/settings/PreferencesView.h"

namespace brindlemoor {

SettingsPopoverController::SettingsPopoverController(const Appearance& appearance, PreferencesView* view,
                                                     Scheduler& scheduler, QObject* parent)
    : QObject(parent)
    , m_popover(new PopoverWindow(appearance, PopoverWindow::Behavior::Transient))
    , m_view(view)
    , m_scheduler(scheduler)
{
    m_view->setParent(m_popover);
}

SettingsPopoverController::~SettingsPopoverController()
{
    delete m_popover;
}

void SettingsPopoverController::show(const PopoverAnchor& anchor)
{
    m_popover->showPopover(m_view, anchor);
    // Window managers may drop an activation asked for before the window is mapped.
    m_scheduler.runAfter(std::chrono::milliseconds(0), m_popover, [popover = m_popover] {
        if (popover->isShown()) {
            popover->raise();
            popover->activateWindow();
        }
    });
}

void SettingsPopoverController::reshow(const PopoverAnchor& anchor)
{
    m_popover->closePopover();
    m_scheduler.runAfter(reshowDelay, this, [this, anchor] { show(anchor); });
}

} // namespace brindlemoor
