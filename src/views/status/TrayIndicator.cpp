// SPDX-License-Identifier: MIT
#include "views/status/TrayIndicator.h"

#include "views/components/Appearance.h"
#include "views/status/StatusDot.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>

namespace brindlemoor {

TrayIndicator::TrayIndicator(QObject* parent)
    : QObject(parent)
    , m_tray(new QSystemTrayIcon(this))
{
    connect(&Appearance::instance(), &Appearance::changed, this, &TrayIndicator::refresh);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::primaryScreenChanged, this, &TrayIndicator::followPrimaryScreen);
    }
    followPrimaryScreen();
}

TrayIndicator::~TrayIndicator() = default;

void TrayIndicator::setImage(const StatusImage& image)
{
    m_image = image;
    refresh();
}

void TrayIndicator::setDevicePixelRatio(qreal ratio)
{
    m_ratioPinned = true;
    m_devicePixelRatio = ratio;
    refresh();
}

void TrayIndicator::followPrimaryScreen()
{
    if (m_ratioPinned)
        return;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A scale change of the screen arrives as a change of its logical resolution.
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &TrayIndicator::followPrimaryScreen,
            Qt::UniqueConnection);
    m_devicePixelRatio = screen->devicePixelRatio();
    refresh();
}

void TrayIndicator::refresh()
{
    if (!m_image)
        return;
    const Key key{*m_image, m_devicePixelRatio, Appearance::instance().isDark()};
    if (m_drawn == key)
        return;
    m_drawn = key;
    // A different request can still give the same pixels (a coloured dot looks the same on
    // a light and a dark panel); the tray host is not asked to redraw for nothing.
    QImage image = renderStatusImage(key.image, key.devicePixelRatio, key.dark);
    if (image == m_current)
        return;
    m_current = std::move(image);
    ++m_replacements;
    m_tray->setIcon(QIcon(QPixmap::fromImage(m_current)));
    if (!m_tray->isVisible())
        m_tray->show();
}

} // namespace brindlemoor
