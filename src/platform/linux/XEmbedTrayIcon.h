// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/TrayIcon.h"

class QSystemTrayIcon;

namespace brindlemoor {

/// The tray icon in an XEmbed system tray (trayer, tint2, lxpanel and the like), through
/// QSystemTrayIcon, which embeds it again by itself when the tray restarts or starts late.
///
/// Qt decides once per process, when its first tray icon is made, whether QSystemTrayIcon
/// speaks XEmbed or D-Bus: D-Bus when a StatusNotifierWatcher with a host runs at that
/// moment (the platform theme's rule). Make this only while no watcher runs.
class XEmbedTrayIcon final : public TrayIcon {
    Q_OBJECT

public:
    XEmbedTrayIcon(const QString& toolTip, QObject* parent = nullptr);

    void setIcon(const QIcon& icon) override;
    QRect iconGeometry() const override;
    void setToolTip(const QString& text) override;

    /// Shows the icon, in the tray now or in the next one that starts. False, and hidden,
    /// when Qt carries the icon over D-Bus instead: then it is not ours to show.
    bool show();
    void hide();

private:
    QSystemTrayIcon* m_tray;
    QString m_title;
};

} // namespace brindlemoor
