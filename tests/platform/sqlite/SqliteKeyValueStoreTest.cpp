// SPDX-License-Identifier: MIT
#include "platform/sqlite/SqliteKeyValueStore.h"
#include "support/MessageLog.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

QString sqliteCli(const QString& path, const QString& sql)
{
    QProcess process;
    process.start(QStringLiteral("sqlite3"), {path, sql});
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(SqliteKeyValueStore, TypedValuesSurviveReopening)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("defaults.sqlite3"));
    {
        SqliteKeyValueStore store(path);
        ASSERT_TRUE(store.isOpen()) << store.errorText().toStdString();
        store.setValue(QStringLiteral("flag"), true);
        store.setValue(QStringLiteral("count"), qint64(1) << 40);
        store.setValue(QStringLiteral("ratio"), 0.78);
        store.setValue(QStringLiteral("data"), QByteArray("{\"a\":1}"));
        store.setValue(QStringLiteral("empty"), QByteArray());
        store.setValue(QStringLiteral("gone"), 1);
        store.remove(QStringLiteral("gone"));
    }
    SqliteKeyValueStore store(path);
    EXPECT_TRUE(store.boolValue(QStringLiteral("flag"), false));
    EXPECT_EQ(store.intValue(QStringLiteral("count"), 0), qint64(1) << 40);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("ratio"), 0), 0.78);
    EXPECT_EQ(store.dataValue(QStringLiteral("data")), QByteArray("{\"a\":1}"));
    EXPECT_EQ(store.value(QStringLiteral("empty")).typeId(), QMetaType::QByteArray);
    EXPECT_FALSE(store.value(QStringLiteral("gone")).isValid());
    // The file is plain SQLite, with the value types the stored settings need.
    EXPECT_EQ(sqliteCli(path, QStringLiteral("PRAGMA journal_mode")), QStringLiteral("wal"));
    EXPECT_EQ(sqliteCli(path, QStringLiteral("SELECT key || ':' || typeof(value) FROM defaults ORDER BY key")),
              QStringLiteral("count:integer\ndata:blob\nempty:blob\nflag:integer\nratio:real"));
}

TEST(SqliteKeyValueStore, UnopenableFileReportsAndReadsDefaults)
{
    QTemporaryDir dir;
    // A file where the folder belongs: a missing folder would be made at the first write.
    QFile(dir.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
    SqliteKeyValueStore store(dir.filePath(QStringLiteral("file/defaults.sqlite3")));
    EXPECT_FALSE(store.isOpen());
    EXPECT_FALSE(store.errorText().isEmpty());
    EXPECT_FALSE(store.setValue(QStringLiteral("flag"), true));
    EXPECT_FALSE(store.boolValue(QStringLiteral("flag"), false));
}

TEST(SqliteKeyValueStore, WritesRefusedWhileAnotherProcessHoldsTheLockFailAndChangeNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("defaults.sqlite3"));
    const QString key = QStringLiteral("count");
    SqliteKeyValueStore store(path);
    ASSERT_TRUE(store.setValue(key, 1));

    QProcess holder;
    holder.start(QStringLiteral("sqlite3"), {path});
    holder.write("BEGIN EXCLUSIVE;\nSELECT 'held';\n");
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << "the second connection holds the write lock";
    EXPECT_FALSE(store.setValue(key, 2));
    EXPECT_FALSE(store.remove(key));
    EXPECT_EQ(store.errorText(), QStringLiteral("database is locked"));
    EXPECT_EQ(store.intValue(key, 0), 1);

    holder.write("COMMIT;\n");
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(store.setValue(key, 2));
    EXPECT_EQ(sqliteCli(path, QStringLiteral("SELECT value FROM defaults")), QStringLiteral("2"));
}

TEST(SqliteKeyValueStore, AFileThatIsNoDatabaseIsMovedAsideAndANewOneBegun)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("defaults.sqlite3"));
    QByteArray garbage(4096, 0);
    QRandomGenerator(17).fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    const test::MessageLog log;
    SqliteKeyValueStore store(path);
    ASSERT_TRUE(store.isOpen()) << store.errorText().toStdString();
    EXPECT_TRUE(store.setValue(QStringLiteral("flag"), true));

    const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("defaults.sqlite3.broken-*")});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral(R"(^defaults\.sqlite3\.broken-\d{8}-\d{6}$)")).match(aside[0]).hasMatch())
        << aside[0].toStdString();
    QFile kept(dir.filePath(aside[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), garbage);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines().at(0).contains(aside[0])) << log.lines().at(0).toStdString();
}

TEST(SqliteKeyValueStore, DefaultLocationIsAPrivateFolderUnderTheConfigHome)
{
    QTemporaryDir dir;
    const QString path = [&] {
        const test::ScopedEnvironment configHome("XDG_CONFIG_HOME", dir.path().toUtf8());
        return SqliteKeyValueStore::ensureDefaultLocation();
    }();
    EXPECT_EQ(path, dir.path() + QStringLiteral("/brindlemoor/defaults.sqlite3"));
    const QFile::Permissions permissions = QFile::permissions(dir.path() + QStringLiteral("/brindlemoor"));
    EXPECT_TRUE(permissions.testFlags(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_EQ(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                             QFile::WriteOther | QFile::ExeOther),
              QFile::Permissions());
}
