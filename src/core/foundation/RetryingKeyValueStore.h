// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/KeyValueStore.h"

namespace brindlemoor {

/// Keeps in memory every change its store refused, answers reads with it, and writes it
/// again with each later change, so a full disk or a locked database loses nothing while
/// the program runs. Says once that writing failed, and once that it works again.
/// Reads each setting from its store once: the running program is the store's only writer, and
/// the counting asks for the same settings every second. Data is not kept: its owners keep it decoded.
class RetryingKeyValueStore final : public KeyValueStore {
public:
    explicit RetryingKeyValueStore(KeyValueStore& store);
    /// One last try for what is still unsaved.
    ~RetryingKeyValueStore() override;
    RetryingKeyValueStore(const RetryingKeyValueStore&) = delete;
    RetryingKeyValueStore& operator=(const RetryingKeyValueStore&) = delete;

    QVariant value(const QString& key) const override;
    bool setValue(const QString& key, const QVariant& value) override;
    bool remove(const QString& key) override;
    QString errorText() const override { return m_store.errorText(); }

    bool hasUnsavedChanges() const { return !m_unsaved.isEmpty(); }

private:
    bool writeUnsaved();
    void remember(const QString& key, const QVariant& value) const;

    KeyValueStore& m_store;
    QHash<QString, QVariant> m_unsaved;       // an invalid value is an unsaved removal
    mutable QHash<QString, QVariant> m_known; // settings as last read or set; invalid when missing
    bool m_failing = false;
};

} // namespace brindlemoor
