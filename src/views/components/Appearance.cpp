// SPDX-License-Identifier: MIT
#include "Appearance.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>

namespace brindlemoor {

Appearance& Appearance::instance()
{
    static Appearance appearance;
    return appearance;
}

Appearance::Appearance()
{
    followPalette();
    if (qApp)
        qApp->installEventFilter(this);
}

void Appearance::setDark(bool dark)
{
    m_pinned = true;
    if (m_dark == dark)
        return;
    m_dark = dark;
    Q_EMIT changed();
}

bool Appearance::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange && !m_pinned)
        followPalette();
    return false;
}

void Appearance::followPalette()
{
    // Without a better source, a dark window colour means a dark desktop.
    const bool dark = QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
    if (dark == m_dark)
        return;
    m_dark = dark;
    Q_EMIT changed();
}

} // namespace brindlemoor
