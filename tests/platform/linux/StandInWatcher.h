// SPDX-License-Identifier: MIT
#pragma once

#include "ScriptedBusService.h"

#include <QStringList>

#include <mutex>

namespace brindlemoor::test {

/// A stand-in for a panel's StatusNotifierWatcher: it takes every item that registers and
/// remembers the service names it was given.
class StandInWatcher final {
public:
    explicit StandInWatcher(const QString& busAddress)
        : m_service(busAddress, QStringLiteral("org.kde.StatusNotifierWatcher"),
                    QStringLiteral("/StatusNotifierWatcher"),
                    [this](const QDBusMessage& call) -> std::optional<QVariantList> {
                        if (call.member() != u"RegisterStatusNotifierItem")
                            return std::nullopt;
                        const std::lock_guard lock(m_mutex);
                        m_registered.append(call.arguments().value(0).toString());
                        return QVariantList{};
                    })
    {
    }

    bool isReady() const { return m_service.isReady(); }
    QStringList registered() const
    {
        const std::lock_guard lock(m_mutex);
        return m_registered;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_registered;
    ScriptedBusService m_service; // last: it answers calls until it is gone
};

} // namespace brindlemoor::test
