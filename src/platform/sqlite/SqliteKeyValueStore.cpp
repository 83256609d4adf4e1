// SPDX-License-Identifier: MIT
#include "platform/sqlite/SqliteKeyValueStore.h"

#include "core/foundation/ProgramIdentity.h"
#include "platform/linux/PlatformLogging.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sqlite3.h>

namespace brindlemoor {

void SqliteKeyValueStore::StatementDeleter::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

namespace {

// Renames the file, and the journal that belongs to it, with the time next to it; empty when it cannot.
QString moveAside(const QString& path)
{
    const QString stamped =
        path + QStringLiteral(".broken-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stamped;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = stamped + u'-' + QString::number(n);
    if (!QFile::rename(path, aside))
        return {};
    for (const QLatin1String suffix : {QLatin1String("-wal"), QLatin1String("-shm")}) {
        if (QFile::exists(path + suffix))
            QFile::rename(path + suffix, aside + suffix);
    }
    return aside;
}

} // namespace

SqliteKeyValueStore::SqliteKeyValueStore(const QString& path)
{
    const bool existed = QFile::exists(path);
    const int opened = open(path);
    // A database that exists but cannot be opened is never retried: a session that ran on the
    // defaults would write them over what it never read.
    if (opened != SQLITE_OK && opened != SQLITE_NOTADB && !existed)
        m_retryPath = path;
    if (opened != SQLITE_NOTADB)
        return;
    // Someone else's file, or ours overwritten: keep it for whoever wants to look, and begin anew.
    const QString aside = moveAside(path);
    if (aside.isEmpty()) {
        m_error = QStringLiteral("it is not a SQLite database and cannot be moved aside");
        return;
    }
    qCWarning(lcPlatform).noquote()
        << QStringLiteral("%1 is not a SQLite database; moved it to %2 and starting from defaults").arg(path, aside);
    open(path);
}

SqliteKeyValueStore::SqliteKeyValueStore(const QString& path, ForReading /*forReading*/)
    : m_readOnly(true)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr) == SQLITE_OK)
        m_select = prepare("SELECT value FROM defaults WHERE key = ?1");
    if (m_select)
        return;
    m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
    sqlite3_close(m_db);
    m_db = nullptr;
}

std::unique_ptr<SqliteKeyValueStore> SqliteKeyValueStore::openForReading(const QString& path)
{
    return std::unique_ptr<SqliteKeyValueStore>(new SqliteKeyValueStore(path, ForReading{}));
}

int SqliteKeyValueStore::open(const QString& path)
{
    m_error.clear();
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        return SQLITE_CANTOPEN;
    }
    sqlite3_busy_timeout(m_db, 2000);
    const bool ready = exec("PRAGMA journal_mode=WAL") && exec("PRAGMA synchronous=NORMAL") &&
                       exec("CREATE TABLE IF NOT EXISTS defaults (key TEXT PRIMARY KEY NOT NULL, value) WITHOUT ROWID");
    if (ready) {
        m_select = prepare("SELECT value FROM defaults WHERE key = ?1");
        m_upsert = prepare("INSERT INTO defaults (key, value) VALUES (?1, ?2) "
                           "ON CONFLICT(key) DO UPDATE SET value = excluded.value");
        m_delete = prepare("DELETE FROM defaults WHERE key = ?1");
    }
    if (ready && m_select && m_upsert && m_delete) {
        // Once open, writes run on the main thread every second: waiting long for a lock held
        // elsewhere would stall counting, and a refused write is kept and tried again with the next.
        sqlite3_busy_timeout(m_db, 100);
        return SQLITE_OK;
    }
    const int failure = sqlite3_errcode(m_db);
    if (m_error.isEmpty())
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    m_select.reset();
    m_upsert.reset();
    m_delete.reset();
    sqlite3_close(m_db);
    m_db = nullptr;
    return failure;
}

SqliteKeyValueStore::~SqliteKeyValueStore()
{
    m_select.reset();
    m_upsert.reset();
    m_delete.reset();
    if (m_db)
        sqlite3_close(m_db);
}

namespace {

void makePrivateFolder(const QString& folder)
{
    if (!QDir().exists(folder) && QDir().mkpath(folder))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

QString SqliteKeyValueStore::defaultLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + programId +
           QStringLiteral("/defaults.sqlite3");
}

QString SqliteKeyValueStore::ensureDefaultLocation()
{
    QString path = defaultLocation();
    makePrivateFolder(QFileInfo(path).path());
    return path;
}

bool SqliteKeyValueStore::reopen()
{
    if (!m_retryPath)
        return false;
    makePrivateFolder(QFileInfo(*m_retryPath).path());
    const int opened = open(*m_retryPath);
    if (opened == SQLITE_OK) {
        m_retryPath.reset();
        return true;
    }
    m_error = QStringLiteral("cannot open %1: %2").arg(*m_retryPath, m_error);
    return false;
}

bool SqliteKeyValueStore::refuseWrite()
{
    m_error = QStringLiteral("the store is open for reading only");
    return false;
}

bool SqliteKeyValueStore::exec(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    m_error = QString::fromUtf8(message ? message : "unknown error");
    sqlite3_free(message);
    return false;
}

SqliteKeyValueStore::Statement SqliteKeyValueStore::prepare(const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
        return nullptr;
    return Statement(statement);
}

namespace {

int bindKey(sqlite3_stmt* statement, const QByteArray& key)
{
    return sqlite3_bind_text(statement, 1, key.constData(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
}

} // namespace

QVariant SqliteKeyValueStore::value(const QString& key) const
{
    if (!m_db)
        return {};
    sqlite3_stmt* statement = m_select.get();
    bindKey(statement, key.toUtf8());
    QVariant result;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        switch (sqlite3_column_type(statement, 0)) {
        case SQLITE_INTEGER:
            result = QVariant::fromValue<qlonglong>(sqlite3_column_int64(statement, 0));
            break;
        case SQLITE_FLOAT:
            result = QVariant::fromValue<double>(sqlite3_column_double(statement, 0));
            break;
        case SQLITE_TEXT:
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                                       sqlite3_column_bytes(statement, 0));
            break;
        case SQLITE_BLOB: {
            const void* bytes = sqlite3_column_blob(statement, 0);
            result = QByteArray(static_cast<const char*>(bytes), sqlite3_column_bytes(statement, 0));
            break;
        }
        default:
            break;
        }
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return result;
}

bool SqliteKeyValueStore::setValue(const QString& key, const QVariant& value)
{
    if (m_readOnly)
        return refuseWrite();
    if (!m_db && !reopen())
        return false;
    const QVariant normalized = normalizedStoreValue(value);
    if (!normalized.isValid())
        return remove(key);
    sqlite3_stmt* statement = m_upsert.get();
    int bound = bindKey(statement, key.toUtf8());
    if (bound == SQLITE_OK) {
        switch (normalized.typeId()) {
        case QMetaType::LongLong:
            bound = sqlite3_bind_int64(statement, 2, normalized.toLongLong());
            break;
        case QMetaType::Double:
            bound = sqlite3_bind_double(statement, 2, normalized.toDouble());
            break;
        case QMetaType::QString: {
            const QByteArray text = normalized.toString().toUtf8();
            bound = sqlite3_bind_text(statement, 2, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray data = normalized.toByteArray();
            // A zero-length blob must still be a blob, not NULL.
            bound = sqlite3_bind_blob(statement, 2, data.isEmpty() ? "" : data.constData(),
                                      static_cast<int>(data.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    return run(statement, bound);
}

bool SqliteKeyValueStore::remove(const QString& key)
{
    if (m_readOnly)
        return refuseWrite();
    if (!m_db && !reopen())
        return false;
    sqlite3_stmt* statement = m_delete.get();
    return run(statement, bindKey(statement, key.toUtf8()));
}

bool SqliteKeyValueStore::run(sqlite3_stmt* statement, int bound)
{
    const bool done = bound == SQLITE_OK && sqlite3_step(statement) == SQLITE_DONE;
    if (!done)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return done;
}

} // namespace brindlemoor
