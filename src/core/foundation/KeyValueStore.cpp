// SPDX-License-Identifier: MIT
#include "core/foundation/KeyValueStore.h"

namespace brindlemoor {

QVariant normalizedStoreValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return QVariant::fromValue<qlonglong>(value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return QVariant::fromValue<qlonglong>(value.toLongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return QVariant::fromValue<double>(value.toDouble());
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return value;
    default:
        return {};
    }
}

bool MemoryKeyValueStore::setValue(const QString& key, const QVariant& value)
{
    if (!m_writeError.isEmpty())
        return false;
    const QVariant normalized = normalizedStoreValue(value);
    if (normalized.isValid())
        m_values.insert(key, normalized);
    else
        m_values.remove(key);
    return true;
}

bool MemoryKeyValueStore::remove(const QString& key)
{
    if (!m_writeError.isEmpty())
        return false;
    m_values.remove(key);
    return true;
}

bool KeyValueStore::boolValue(const QString& key, bool fallback) const
{
    const QVariant v = value(key);
    return v.typeId() == QMetaType::LongLong ? v.toLongLong() != 0 : fallback;
}

qint64 KeyValueStore::intValue(const QString& key, qint64 fallback) const
{
    const QVariant v = value(key);
    return v.typeId() == QMetaType::LongLong ? v.toLongLong() : fallback;
}

double KeyValueStore::doubleValue(const QString& key, double fallback) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::Double)
        return v.toDouble();
    // A whole number is a fine float; the other tools that write the table may store 1 for 1.0.
    if (v.typeId() == QMetaType::LongLong)
        return static_cast<double>(v.toLongLong());
    return fallback;
}

QByteArray KeyValueStore::dataValue(const QString& key) const
{
    const QVariant v = value(key);
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

} // namespace brindlemoor
