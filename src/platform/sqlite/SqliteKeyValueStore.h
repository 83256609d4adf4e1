// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/KeyValueStore.h"

#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace brindlemoor {

/// The user-defaults store on disk: one SQLite table of key and typed value, in WAL mode
/// with synchronous=NORMAL, so each write is one atomic statement that survives a killed
/// process without forcing a disk flush once a second.
class SqliteKeyValueStore final : public KeyValueStore {
public:
    /// Opens (creating if needed) the database; check `isOpen()` and `errorText()` afterwards.
    /// A file that is no SQLite database at all is renamed aside, never deleted, and a new one begun.
    /// Where no database existed yet (a read-only or missing folder), each later write tries again to
    /// create it, so a session that began without a store saves once the folder can be written.
    explicit SqliteKeyValueStore(const QString& path);
    /// Opens an existing database for reading only: nothing is created, converted or written, and
    /// every write fails. For reading the store while no program runs; check `isOpen()`.
    static std::unique_ptr<SqliteKeyValueStore> openForReading(const QString& path);
    ~SqliteKeyValueStore() override;
    SqliteKeyValueStore(const SqliteKeyValueStore&) = delete;
    SqliteKeyValueStore& operator=(const SqliteKeyValueStore&) = delete;

    /// Makes the folder `$XDG_CONFIG_HOME/brindlemoor` (mode 0700) where it is missing, and answers
    /// the database's path in it, `defaults.sqlite3`.
    static QString ensureDefaultLocation();
    /// The same path, without making anything.
    static QString defaultLocation();

    bool isOpen() const { return m_db != nullptr; }
    /// Whether writes will try to open the database again while it is not open.
    bool retriesOpening() const { return m_retryPath.has_value(); }
    QString errorText() const override { return m_error; }

    QVariant value(const QString& key) const override;
    bool setValue(const QString& key, const QVariant& value) override;
    bool remove(const QString& key) override;

private:
    struct StatementDeleter {
        void operator()(sqlite3_stmt* statement) const;
    };
    using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

    struct ForReading {};
    SqliteKeyValueStore(const QString& path, ForReading forReading);

    /// SQLite's result code: SQLITE_OK, or why the database is not open.
    int open(const QString& path);
    bool reopen();
    bool refuseWrite();
    bool exec(const char* sql);
    Statement prepare(const char* sql);
    /// Runs a write whose binding gave `bound`, and leaves the statement ready for the next.
    bool run(sqlite3_stmt* statement, int bound);

    sqlite3* m_db = nullptr;
    Statement m_select;
    Statement m_upsert;
    Statement m_delete;
    QString m_error;
    std::optional<QString> m_retryPath;
    bool m_readOnly = false;
};

} // namespace brindlemoor
