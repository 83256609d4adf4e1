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
        qCWarning(lcCore).noquote()
            << QStringLiteral("quitting with changes that could not be saved (%1)").arg(m_store.errorText());
}

QVariant RetryingKeyValueStore::value(const QString& key) const
{
    if (const auto unsaved = m_unsaved.constFind(key); unsaved != m_unsaved.constEnd())
        return *unsaved;
    if (const auto known = m_known.constFind(key); known != m_known.constEnd())
        return *known;
    QVariant stored = m_store.value(key);
    remember(key, stored);
    return stored;
}

bool RetryingKeyValueStore::setValue(const QString& key, const QVariant& value)
{
    const QVariant normalized = normalizedStoreValue(value);
    remember(key, normalized);
    m_unsaved.insert(key, normalized);
    return writeUnsaved();
}

void RetryingKeyValueStore::remember(const QString& key, const QVariant& value) const
{
    // Data is read once, when its owner loads it, and the usage document can be large: keeping a copy
    // here would only double what the program holds.
    if (value.typeId() == QMetaType::QByteArray)
        m_known.remove(key);
    else
        m_known.insert(key, value);
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
                << QStringLiteral("cannot save settings and usage (%1); they are kept in memory and saved again "
                                  "with each change")
                       .arg(m_store.errorText());
        m_failing = true;
        return false;
    }
    if (m_failing)
        qCInfo(lcCore).noquote() << QStringLiteral("settings and usage are saved again");
    m_failing = false;
    return true;
}

} // namespace brindlemoor
