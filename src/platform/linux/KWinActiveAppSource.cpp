// SPDX-License-Identifier: MIT
#include "platform/linux/KWinActiveAppSource.h"

#include "platform/linux/KWinScript.h"
#include "platform/linux/ReportedWindow.h"

namespace brindlemoor {

KWinActiveAppSource::KWinActiveAppSource(const DesktopEntryRegistry& registry, const QDBusConnection& bus,
                                         const QString& scriptPath)
    : m_registry(registry)
    , m_script(std::make_unique<KWinScript>(bus, scriptPath))
{
    // The script's first report comes over the bus, after this.
    connect(m_script.get(), &KWinScript::activeWindowReported, this, &KWinActiveAppSource::report);
    connect(m_script.get(), &KWinScript::loadedChanged, this, [this](bool loaded) {
        // Whatever was in front is no longer known to be; the next report tells again.
        if (!loaded && m_front && m_front->bundleID) {
            m_front = RunningApp{};
            Q_EMIT activated(m_front);
        }
    });
}

KWinActiveAppSource::~KWinActiveAppSource() = default;

bool KWinActiveAppSource::isAvailable() const
{
    return m_script->isLoaded();
}

void KWinActiveAppSource::report(const ReportedWindow& window)
{
    // Focus on nothing (the desktop, a closed window's gap) is no activation, as on X11.
    if (window.isEmpty())
        return;
    m_front = applicationOf(window, m_registry);
    Q_EMIT activated(m_front);
}

} // namespace brindlemoor
