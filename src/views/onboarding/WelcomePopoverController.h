// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/PopoverWindow.h"

#include <QObject>

namespace brindlemoor {

class Appearance;
class DesktopExtension;
class WelcomeView;

/// The welcome popover: application-defined, so a click elsewhere leaves it open and only
/// the program closes it. Made each time the welcome is offered.
class WelcomePopoverController final : public QObject {
    Q_OBJECT

public:
    /// `extension` may be null: then the welcome says nothing about it.
    WelcomePopoverController(const Appearance& appearance, DesktopExtension* extension, QObject* parent = nullptr);
    ~WelcomePopoverController() override;
    WelcomePopoverController(const WelcomePopoverController&) = delete;
    WelcomePopoverController& operator=(const WelcomePopoverController&) = delete;

    /// Shows it pointing at `anchor`, with the keyboard focus on its button.
    void show(const PopoverAnchor& anchor);

    PopoverWindow& popover() { return *m_popover; }
    WelcomeView& view() { return *m_view; }

Q_SIGNALS:
    /// The button was pressed.
    void continueRequested();

private:
    PopoverWindow* m_popover;
    WelcomeView* m_view;
};

} // namespace brindlemoor
