// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/PopoverWindow.h"

#include <QObject>

#include <chrono>

namespace brindlemoor {

class Appearance;
class PreferencesView;
class Scheduler;

/// Owns the settings popover, a transient popover that holds one PreferencesView
/// for the whole life of the process.
class SettingsPopoverController final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds reshowDelay{100};

    /// Takes the view; the popover owns it from now on.
    SettingsPopoverController(const Appearance& appearance, PreferencesView* view, Scheduler& scheduler,
                              QObject* parent = nullptr);
    ~SettingsPopoverController() override;
    SettingsPopoverController(const SettingsPopoverController&) = delete;
    SettingsPopoverController& operator=(const SettingsPopoverController&) = delete;

    /// Shows the popover under (or above) the anchor, then activates it on the next turn.
    void show(const PopoverAnchor& anchor);
    /// Closes now and shows again 0.1 s later: the application chooser took the
    /// focus, and the transient popover closed when it did.
    void reshow(const PopoverAnchor& anchor);

    /// Closing and the question whether it is shown go through the popover itself.
    PopoverWindow& popover() { return *m_popover; }
    PreferencesView& view() { return *m_view; }

private:
    PopoverWindow* m_popover;
    PreferencesView* m_view;
    Scheduler& m_scheduler;
};

} // namespace brindlemoor
