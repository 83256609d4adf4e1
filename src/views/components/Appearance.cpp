// SPDX-License-Identifier: MIT
#include "views/components/Appearance.h"

#include "views/components/PortalSettings.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPalette>

namespace brindlemoor {

namespace {

bool paletteIsDark()
{
    // Without a better source, a dark window colour means a dark desktop.
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

// Asking QDBusConnection::sessionBus() without a running bus would make libdbus
// autolaunch one just to learn a colour scheme.
bool sessionBusRuns()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("bus")));
}

} // namespace

Appearance::Appearance(QObject* parent)
    : QObject(parent)
{
    m_dark = qApp ? paletteIsDark() : false;
    if (qApp)
        qApp->installEventFilter(this);
    if (qApp && sessionBusRuns()) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected())
            followPortal(bus);
    }
}

void Appearance::setDark(bool dark)
{
    m_pinned = true;
    if (m_dark == dark)
        return;
    m_dark = dark;
    Q_EMIT changed();
}

void Appearance::setHighContrast(bool high)
{
    m_pinned = true;
    applyHighContrast(high);
}

void Appearance::applyHighContrast(bool high)
{
    if (m_highContrast == high)
        return;
    m_highContrast = high;
    Q_EMIT changed();
}

void Appearance::followPortal(const QDBusConnection& bus)
{
    delete m_portal;
    m_portal = new PortalSettings(bus, this);
    connect(m_portal, &PortalSettings::colorSchemeChanged, this, &Appearance::setPortalPreference);
    connect(m_portal, &PortalSettings::contrastChanged, this, [this](bool high) {
        if (!m_pinned)
            applyHighContrast(high);
    });
    m_portal->requestColorScheme();
    m_portal->requestContrast();
}

bool Appearance::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        followPalette();
    return false;
}

void Appearance::followPalette()
{
    if (!m_portalDark)
        settle();
}

void Appearance::setPortalPreference(std::optional<bool> dark)
{
    m_portalDark = dark;
    settle();
}

void Appearance::settle()
{
    if (m_pinned)
        return;
    const bool dark = m_portalDark.value_or(paletteIsDark());
    if (dark == m_dark)
        return;
    m_dark = dark;
    Q_EMIT changed();
}

} // namespace brindlemoor
