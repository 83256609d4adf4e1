// SPDX-License-Identifier: MIT
#include "views/onboarding/InfoPopoverController.h"

#include "views/onboarding/InfoPopoverView.h"

namespace brindlemoor {

InfoPopoverController::InfoPopoverController(const Appearance& appearance, QObject* parent)
    : QObject(parent)
    , m_popover(new PopoverWindow(appearance, PopoverWindow::Behavior::Transient))
    , m_view(new InfoPopoverView(appearance, m_popover))
{
    m_popover->setWindowTitle(tr("About Brindlemoor"));
}

InfoPopoverController::~InfoPopoverController()
{
    delete m_popover;
}

void InfoPopoverController::toggle(const PopoverAnchor& anchor)
{
    if (m_popover->isShown()) {
        m_popover->closePopover();
        return;
    }
    m_popover->showPopover(m_view, anchor);
    m_popover->setFocus(Qt::OtherFocusReason);
}

} // namespace brindlemoor
