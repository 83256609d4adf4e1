// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

#include <optional>

namespace brindlemoor {

/// The user-defaults store: typed values under string keys, each write durable on its own.
/// Values are 64-bit integers (booleans too), 64-bit floats, text or binary data.
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;

    /// The stored value, or an invalid QVariant when the key is missing.
    /// Integers come back as qlonglong, floats as double, text as QString, data as QByteArray.
    virtual QVariant value(const QString& key) const = 0;
    /// Both return false when the change did not reach the store; `errorText()` then says why.
    virtual bool setValue(const QString& key, const QVariant& value) = 0;
    virtual bool remove(const QString& key) = 0;
    virtual QString errorText() const { return {}; }

    // A missing key or a value of the wrong type reads as the default.
    bool boolValue(const QString& key, bool fallback) const;
    qint64 intValue(const QString& key, qint64 fallback) const;
    double doubleValue(const QString& key, double fallback) const;
    QByteArray dataValue(const QString& key) const;
};

/// A store that lives only as long as the process; for tests and as the fallback
/// when the database cannot be opened.
class MemoryKeyValueStore final : public KeyValueStore {
public:
    QVariant value(const QString& key) const override { return m_values.value(key); }
    bool setValue(const QString& key, const QVariant& value) override;
    bool remove(const QString& key) override;
    QString errorText() const override { return m_writeError; }

    /// Lets tests play a failing disk: while `error` is set, every write fails with it and changes nothing.
    void setWriteError(const QString& error) { m_writeError = error; }

private:
    QHash<QString, QVariant> m_values;
    QString m_writeError;
};

/// Normalises a value to one of the store's four types, as a database would keep it.
QVariant normalizedStoreValue(const QVariant& value);

} // namespace brindlemoor
