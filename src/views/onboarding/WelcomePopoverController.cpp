// SPDX-License-Identifier: MIT
#include "views/onboarding/WelcomePopoverController.h"

#include "views/onboarding/WelcomeView.h"

namespace brindlemoor {

WelcomePopoverController::WelcomePopoverController(const Appearance& appearance, DesktopExtension* extension,
                                                   QObject* parent)
    : QObject(parent)
    , m_popover(new PopoverWindow(appearance, PopoverWindow::Behavior::ApplicationDefined))
    , m_view(new WelcomeView(appearance, extension, m_popover))
{
    m_popover->setWindowTitle(tr("Welcome to Brindlemoor"));
    connect(m_view, &WelcomeView::continueRequested, this, &WelcomePopoverController::continueRequested);
}

WelcomePopoverController::~WelcomePopoverController()
{
    delete m_popover;
}

void WelcomePopoverController::show(const PopoverAnchor& anchor)
{
    m_popover->showPopover(m_view, anchor);
    m_view->setFocus(Qt::OtherFocusReason);
}

} // namespace brindlemoor
