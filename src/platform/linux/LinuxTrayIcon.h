// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/TrayIcon.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QIcon>

#include <memory>

namespace brindlemoor {

class GnomeShellExtension;
class StatusNotifierItem;
class XEmbedTrayIcon;

/// Whether the program's windows, and so Qt's tray icon, are on X11 (in a Wayland session, through XWayland).
bool hasX11Windows();

/// The tray icon on Linux: our own StatusNotifierItem while a StatusNotifierWatcher runs,
/// else the dot of the program's GNOME Shell extension in GNOME's top bar where it runs,
/// else the XEmbed tray through QSystemTrayIcon, moving between them as watchers and the
/// extension come and go, and never in two at once. Says which one carries the icon.
class LinuxTrayIcon final : public TrayIcon {
    Q_OBJECT

public:
    enum class Backend { None, StatusNotifierItem, ShellDot, XEmbed };

    /// `title` names the program to the tray host; `display` as in DISPLAY, empty for the
    /// environment's; `shell`, on GNOME's Wayland session, the extension that can show a dot.
    LinuxTrayIcon(const QDBusConnection& bus, QString title, QByteArray display = {},
                  GnomeShellExtension* shell = nullptr, QObject* parent = nullptr);
    ~LinuxTrayIcon() override;

    void setIcon(const QIcon& icon) override;
    QRect iconGeometry() const override;
    void setToolTip(const QString& text) override;

private:
    void choose();
    bool showXEmbed();
    bool hasXEmbedTray() const;
    void showShellDot();

    QString m_title;
    QByteArray m_display;
    std::unique_ptr<StatusNotifierItem> m_item;
    std::unique_ptr<XEmbedTrayIcon> m_xembed;
    GnomeShellExtension* m_shell;
    QIcon m_icon;
    QString m_toolTip;
    Backend m_backend = Backend::None;
    bool m_qtTrayIsDBus = false;
    bool m_announced = false;
};

} // namespace brindlemoor
