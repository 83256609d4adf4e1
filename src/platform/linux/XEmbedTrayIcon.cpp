// SPDX-License-Identifier: MIT
#include "platform/linux/XEmbedTrayIcon.h"

#include "platform/linux/PlatformLogging.h"
#include "platform/linux/TrayClickInput.h"

#include <QCursor>
#include <QSystemTrayIcon>

#include <algorithm>

namespace brindlemoor {

XEmbedTrayIcon::XEmbedTrayIcon(const QString& toolTip, QObject* parent)
    : TrayIcon(parent)
    , m_tray(new QSystemTrayIcon(this))
    , m_title(toolTip)
{
    m_tray->setToolTip(toolTip);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        TrayClick click;
        switch (reason) {
        // Each press counts, as on every other tray: a double click is a second click.
        case QSystemTrayIcon::Trigger:
        case QSystemTrayIcon::DoubleClick:
            click.button = TrayClick::Button::Primary;
            break;
        case QSystemTrayIcon::MiddleClick:
            click.button = TrayClick::Button::Middle;
            break;
        case QSystemTrayIcon::Context:
        case QSystemTrayIcon::Unknown:
            qCDebug(lcPlatform) << "tray click ignored:" << reason;
            return;
        }
        click.position = QCursor::pos();
        click.iconGeometry = m_tray->geometry();
        click.altHeld = isAltHeldNow();
        Q_EMIT clicked(click);
    });
}

void XEmbedTrayIcon::setToolTip(const QString& text)
{
    m_tray->setToolTip(text.isEmpty() ? m_title : tr("%1 — %2").arg(m_title, text));
}

void XEmbedTrayIcon::setIcon(const QIcon& icon)
{
    m_tray->setIcon(icon);
}

QRect XEmbedTrayIcon::iconGeometry() const
{
    return m_tray->isVisible() ? m_tray->geometry() : QRect();
}

bool XEmbedTrayIcon::show()
{
    m_tray->show();
    // Shown over XEmbed, QSystemTrayIcon gives itself a child that watches for trays
    // starting; over D-Bus it does not.
    const QList<QObject*> children = m_tray->findChildren<QObject*>(Qt::FindDirectChildrenOnly);
    const bool xembed = std::any_of(children.cbegin(), children.cend(),
                                    [](QObject* child) { return child->inherits("QSystemTrayWatcher"); });
    if (!xembed)
        m_tray->hide();
    return xembed;
}

void XEmbedTrayIcon::hide()
{
    m_tray->hide();
}

} // namespace brindlemoor
