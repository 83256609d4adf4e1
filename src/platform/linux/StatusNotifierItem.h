// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/TrayIcon.h"

#include <QDBusConnection>
#include <QImage>
#include <QList>
#include <QString>

namespace brindlemoor {

/// The tray icon as a StatusNotifierItem on the session bus: the protocol of the KDE, LXQt,
/// XFCE and MATE panels and of GNOME's AppIndicator extension. It registers with the
/// StatusNotifierWatcher once it has an icon, and again whenever the watcher's name gets a
/// new owner (a panel started late, or restarted).
class StatusNotifierItem final : public TrayIcon {
    Q_OBJECT

public:
    /// The edges, in pixels, of the images handed to hosts: the panels' icon sizes and their doubles.
    static const QList<int> pixelSizes;

    StatusNotifierItem(QDBusConnection bus, QString title, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    void setIcon(const QIcon& icon) override;
    void setToolTip(const QString& text) override;

    /// Whether a watcher runs, as the last change of its owner said.
    bool isWatcherPresent() const { return m_watcherPresent; }
    /// Whether a watcher runs, asked of the bus now.
    bool isWatcherPresentNow() const;

Q_SIGNALS:
    void watcherPresenceChanged(bool present);

private:
    class Adaptor;

    void onWatcherOwnerChanged(const QString& newOwner);
    void registerWithWatcher();
    void click(TrayClick::Button button, int x, int y);

    QDBusConnection m_bus;
    QString m_serviceName;
    QString m_title;
    QString m_toolTip;
    Adaptor* m_adaptor;
    QList<QImage> m_images;
    bool m_watcherPresent = false;
};

} // namespace brindlemoor
