// SPDX-License-Identifier: MIT
#include "core/foundation/RetryingKeyValueStore.h"

#include "core/foundation/CoreLogging.h"

namespace brindlemoor {

RetryingKeyValueStore::RetryingKeyValueStore(KeyValueStore& store)
    : m_store(store)
{
}

RetryingKeyValueStore::~RetryingKeyValueStore()
{
    if (!m_unsaved.isEmpty() && !writeUnsaved())
        qCWarning(lcCore).noquote() << QStringLiteral("brindlemoor: quitting with changes that could not be saved (%1)")
                                           .arg(m_store.errorText());
}

QVariant RetryingKeyValueStore::value(const QString& key) const
{
    auto it = m_known.constFind(key);
    if (it == m_known.constEnd())
        it = m_known.insert(key, m_store.value(key));
    return *it;
}

bool RetryingKeyValueStore::setValue(const QString& key, const QVariant& value)
{
    const QVariant normalized = normalizedStoreValue(value);
    m_known.insert(key, normalized);
    m_unsaved.insert(key, normalized);
    return writeUnsaved();
}

bool RetryingKeyValueStore::remove(const QString& key)
{
    m_known.insert(key, QVariant());
    m_unsaved.insert(key, QVariant());
    return writeUnsaved();
}

bool RetryingKeyValueStore::writeUnsaved()
{
    for (auto it = m_unsaved.begin(); it != m_unsaved.end(); it = m_unsaved.erase(it)) {
        const bool written = it->isValid() ? m_store.setValue(it.key(), *it) : m_store.remove(it.key());
        if (written)
            continue;
        // A locked database may make each try wait, so one failure ends this round.
        if (!m_failing)
            qCWarning(lcCore).noquote()
                << QStringLiteral("brindlemoor: cannot save settings and usage (%1); they are kept in memory and "
                                  "saved again with each change")
                       .arg(m_store.errorText());
        m_failing = true;
        return false;
    }
    if (m_failing)
        qCInfo(lcCore).noquote() << QStringLiteral("brindlemoor: settings and usage are saved again");
    m_failing = false;
    return true;
}

} // namespace brindlemoor
