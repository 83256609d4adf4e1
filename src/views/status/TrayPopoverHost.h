// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/PopoverHost.h"

#include <functional>
#include <memory>

class QWidget;

namespace brindlemoor {

class AppIconProvider;
class Appearance;
class ApplicationCatalog;
class DesktopExtension;
class InfoPopoverController;
class LoginItemService;
class PopoverWindow;
class PreferencesStore;
class Scheduler;
class SettingsPopoverController;
class WelcomePopoverController;
class WindowSystem;

/// What the tray item's popovers are built on.
struct TrayPopoverContext {
    const Appearance& appearance;
    PreferencesStore& prefs;
    LoginItemService& loginItems;
    const ApplicationCatalog& catalog;
    AppIconProvider& icons;
    Scheduler& scheduler;
    WindowSystem& windowSystem; ///< whether a compositor shows the popovers' shadows
    /// Builds the usage popover's content, afresh at each opening; the content reports the
    /// user's actions through the host's signals.
    std::function<QWidget*(PopoverHost& host)> usageContent;
    /// The GNOME Shell extension, for the welcome's notice; none where none is needed.
    DesktopExtension* extension = nullptr;
};

/// The tray item's popovers as windows: the usage popover, the info popover (kept), the
/// settings popover (made on first use, then kept) and the welcome (made at each offer,
/// dropped when it closes).
class TrayPopoverHost final : public PopoverHost {
    Q_OBJECT

public:
    explicit TrayPopoverHost(TrayPopoverContext context, QObject* parent = nullptr);
    ~TrayPopoverHost() override;

    bool isShown(PopoverKind kind) const override;
    void show(PopoverKind kind, const PopoverAnchor& anchor) override;
    void close(PopoverKind kind) override;
    void reshowSettings(const PopoverAnchor& anchor) override;
    void pressedAnywhere(PopoverKind kind) override;

    /// The popover's window; null while it has none (settings before first use, a welcome not offered).
    PopoverWindow* window(PopoverKind kind) const;

private:
    InfoPopoverController& info();
    SettingsPopoverController& settings();
    void watch(PopoverWindow* window);
    /// Window managers may drop an activation asked for before the window is mapped.
    void activateSoon(PopoverWindow* window);

    TrayPopoverContext m_context;
    std::unique_ptr<PopoverWindow> m_usage;
    std::unique_ptr<InfoPopoverController> m_info;
    std::unique_ptr<SettingsPopoverController> m_settings;
    std::unique_ptr<WelcomePopoverController> m_welcome;
};

} // namespace brindlemoor
