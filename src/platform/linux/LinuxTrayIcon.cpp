// SPDX-License-Identifier: MIT
#include "platform/linux/LinuxTrayIcon.h"

#include "platform/linux/GnomeShellExtension.h"
#include "platform/linux/PlatformLogging.h"
#include "platform/linux/StatusNotifierItem.h"
#include "platform/linux/XcbConnection.h"
#include "platform/linux/XEmbedTrayIcon.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <utility>

namespace brindlemoor {

bool hasX11Windows()
{
    // qGuiApp casts whatever application there is; a program without a GUI has a plain QCoreApplication.
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr &&
           QGuiApplication::platformName() == u"xcb";
}

LinuxTrayIcon::LinuxTrayIcon(const QDBusConnection& bus, QString title, QByteArray display, GnomeShellExtension* shell,
                             QObject* parent)
    : TrayIcon(parent)
    , m_title(std::move(title))
    , m_display(std::move(display))
    , m_item(std::make_unique<StatusNotifierItem>(bus, m_title))
    , m_shell(shell)
{
    connect(m_item.get(), &TrayIcon::clicked, this, &TrayIcon::clicked);
    connect(m_item.get(), &StatusNotifierItem::watcherPresenceChanged, this, &LinuxTrayIcon::choose);
    if (m_shell) {
        connect(m_shell, &GnomeShellExtension::dotClicked, this, [this](const TrayClick& click) {
            if (m_backend == Backend::ShellDot)
                Q_EMIT clicked(click);
        });
        // A new instance of the extension shows nothing until it is handed the image.
        connect(m_shell, &GnomeShellExtension::presenceChanged, this, &LinuxTrayIcon::choose);
    }
}

LinuxTrayIcon::~LinuxTrayIcon() = default;

void LinuxTrayIcon::setIcon(const QIcon& icon)
{
    const bool first = m_icon.isNull();
    m_icon = icon;
    // Both keep the icon, so that a move from one to the other shows it at once.
    m_item->setIcon(icon);
    if (m_xembed)
        m_xembed->setIcon(icon);
    if (m_backend == Backend::ShellDot)
        showShellDot();
    if (first)
        choose();
}

void LinuxTrayIcon::showShellDot()
{
    const int pixels = m_shell->dotPixels();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_icon.pixmap(QSize(pixels, pixels), 1.0).toImage().save(&buffer, "PNG");
    m_shell->setDot(png);
}

void LinuxTrayIcon::setToolTip(const QString& text)
{
    m_toolTip = text;
    m_item->setToolTip(text);
    if (m_xembed)
        m_xembed->setToolTip(text);
}

QRect LinuxTrayIcon::iconGeometry() const
{
    return m_backend == Backend::XEmbed && m_xembed ? m_xembed->iconGeometry() : QRect();
}

void LinuxTrayIcon::choose()
{
    if (m_icon.isNull())
        return;
    const Backend previous = m_backend;
    if (m_item->isWatcherPresent())
        m_backend = Backend::StatusNotifierItem;
    else if (m_shell && m_shell->isPresent())
        m_backend = Backend::ShellDot;
    else
        m_backend = showXEmbed() ? Backend::XEmbed : Backend::None;
    if (m_backend != Backend::XEmbed && m_xembed)
        m_xembed->hide();
    if (m_backend == Backend::ShellDot)
        showShellDot();
    else if (m_shell)
        m_shell->hideDot();
    // The first choice is said even when it is none.
    if (m_backend == previous && m_announced)
        return;
    m_announced = true;

    switch (m_backend) {
    case Backend::StatusNotifierItem:
        qCInfo(lcPlatform) << "tray icon: our StatusNotifierItem, for the StatusNotifierWatcher on the session bus";
        break;
    case Backend::ShellDot:
        qCInfo(lcPlatform)
            << "tray icon: the GNOME Shell extension's dot in the top bar (no StatusNotifierWatcher runs)";
        break;
    case Backend::XEmbed:
        if (hasXEmbedTray())
            qCInfo(lcPlatform) << "tray icon: XEmbed, in the system tray (no StatusNotifierWatcher runs)";
        else
            qCWarning(lcPlatform) << "no system tray is running (neither a StatusNotifierWatcher nor an XEmbed tray);"
                                     " tracking goes on, and the icon appears once a tray starts";
        break;
    case Backend::None:
        if (!hasX11Windows())
            qCWarning(lcPlatform) << "no StatusNotifierWatcher runs; tracking goes on, and the icon appears once one"
                                     " starts";
        else if (m_qtTrayIsDBus)
            qCWarning(lcPlatform) << "no StatusNotifierWatcher runs, and Qt's tray icon cannot use an XEmbed tray in"
                                     " this process; tracking goes on, and the icon appears once a watcher starts";
        break;
    }
}

bool LinuxTrayIcon::showXEmbed()
{
    // Qt's XEmbed tray icon lives on X11 alone; a native Wayland program has none to show.
    if (m_qtTrayIsDBus || !hasX11Windows())
        return false;
    if (!m_xembed) {
        // Qt settles on XEmbed or D-Bus with its first tray icon, by whether a watcher runs at
        // that moment: ask the bus now rather than trust the last owner change seen. One that
        // has just started is announced soon, and the item takes over then.
        if (m_item->isWatcherPresentNow())
            return false;
        m_xembed = std::make_unique<XEmbedTrayIcon>(m_title);
        connect(m_xembed.get(), &TrayIcon::clicked, this, &TrayIcon::clicked);
        m_xembed->setIcon(m_icon);
        m_xembed->setToolTip(m_toolTip);
    }
    if (m_xembed->show())
        return true;
    // A platform theme of other rules chose D-Bus: a second StatusNotifierItem, never shown.
    m_qtTrayIsDBus = true;
    m_xembed.reset();
    return false;
}

bool LinuxTrayIcon::hasXEmbedTray() const
{
    const XcbConnection x(m_display);
    const QByteArray selection = "_NET_SYSTEM_TRAY_S" + QByteArray::number(x.screenNumber());
    return x.selectionOwner(x.atom(selection.constData())) != XCB_WINDOW_NONE;
}

} // namespace brindlemoor
