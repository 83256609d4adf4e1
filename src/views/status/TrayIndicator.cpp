// SPDX-License-Identifier: MIT
#include "views/status/TrayIndicator.h"

#include "core/status/TrayIcon.h"
#include "views/components/Appearance.h"
#include "views/status/StatusIconEngine.h"

#include <QIcon>

namespace brindlemoor {

TrayIndicator::TrayIndicator(const Appearance& appearance, TrayIcon& tray, QObject* parent)
    : QObject(parent)
    , m_appearance(appearance)
    , m_tray(tray)
{
    connect(&m_appearance, &Appearance::changed, this, &TrayIndicator::refresh);
}

void TrayIndicator::setImage(const StatusImage& image)
{
    m_image = image;
    refresh();
}

void TrayIndicator::refresh()
{
    if (!m_image)
        return;
    const Key key{*m_image, m_appearance.isDark()};
    if (m_drawn == key)
        return;
    m_drawn = key;
    m_tray.setIcon(QIcon(new StatusIconEngine(key.image, key.dark)));
}

} // namespace brindlemoor
