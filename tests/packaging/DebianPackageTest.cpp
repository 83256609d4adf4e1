// SPDX-License-Identifier: MIT
// The Debian package on this very machine: built from the release build, installed with
// dpkg, started in a private desktop, purged, and nothing of it left behind.
#include "support/ProgramTesting.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

const QString kPackage = QStringLiteral("brindlemoor");
const QString kBinary = QStringLiteral("/usr/bin/brindlemoor");
// Several checkouts may share this machine and its one dpkg database; runs take turns.
const QString kLockPath = QStringLiteral("/var/tmp/brindlemoor-package-test.lock");
// Written before the install and removed after the purge: a run killed in between (a timeout
// kills without teardown) leaves it, and the next run knows the installed package is its own.
const QString kInstalledMarker = QStringLiteral("/var/tmp/brindlemoor-package-test.installed");

struct Outcome {
    int exitCode = -1;
    QString output;
};

Outcome run(const QString& program, const QStringList& arguments, std::chrono::milliseconds timeout = 120s)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Outcome result;
    if (!process.waitForFinished(static_cast<int>(timeout.count())) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        result.output = program + QStringLiteral(" did not finish: ") + process.errorString();
        return result;
    }
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

bool isInstalled()
{
    return run(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), QStringLiteral("-f=${db:Status-Status}"), kPackage})
               .output == QStringLiteral("installed");
}

struct PackagePath {
    QString path;
    bool isDirectory = false;
};

/// What `dpkg-deb -c` lists (mode, owner, size, date, time, ./path), as absolute paths.
QList<PackagePath> contents(const QString& deb)
{
    const Outcome listing = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb});
    EXPECT_EQ(listing.exitCode, 0) << listing.output.toStdString();
    QList<PackagePath> paths;
    for (const QString& line : listing.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QString path = fields.value(5).mid(1);
        if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        paths.append({path, line.startsWith(QLatin1Char('d'))});
    }
    return paths;
}

class DebianPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "installing a package with dpkg needs root; run the suite as root to check it";
        const Outcome build = run(QStringLiteral(BRINDLEMOOR_SOURCE_DIR "/scripts/package.sh"), {}, 25min);
        ASSERT_EQ(build.exitCode, 0) << build.output.right(4000).toStdString();
        m_deb = build.output.trimmed().section(QLatin1Char('\n'), -1);
        ASSERT_TRUE(QFile::exists(m_deb)) << build.output.right(4000).toStdString();

        m_lock.setStaleLockTime(0);
        ASSERT_TRUE(m_lock.tryLock(static_cast<int>(std::chrono::milliseconds(10min).count())))
            << "another run holds " << kLockPath.toStdString();
        if (isInstalled()) {
            if (!QFile::exists(kInstalledMarker))
                GTEST_SKIP() << "brindlemoor is installed on this machine; the test leaves a real installation alone";
            purge(); // left behind by a run that was killed
        }
    }

    void TearDown() override
    {
        if (m_lock.isLocked() && QFile::exists(kInstalledMarker))
            purge();
    }

    void install()
    {
        QFile marker(kInstalledMarker);
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly)) << marker.errorString().toStdString();
        marker.close();
        const Outcome dpkg = run(QStringLiteral("dpkg"), {QStringLiteral("-i"), m_deb}, 5min);
        ASSERT_EQ(dpkg.exitCode, 0) << dpkg.output.toStdString();
    }

    void purge()
    {
        const Outcome dpkg = run(QStringLiteral("dpkg"), {QStringLiteral("--purge"), kPackage}, 5min);
        ASSERT_EQ(dpkg.exitCode, 0) << dpkg.output.toStdString();
        QFile::remove(kInstalledMarker);
    }

    QString m_deb;

private:
    QLockFile m_lock{kLockPath};
};

} // namespace

TEST_F(DebianPackage, InstallsRunsFromItsPlaceAndPurgesWithoutATrace)
{
    const QList<PackagePath> listed = contents(m_deb);
    QStringList files;
    for (const PackagePath& entry : listed) {
        if (!entry.isDirectory)
            files.append(entry.path);
    }
    // Exactly what desktops look for, and nothing of the build tree, the gallery or the tests.
    QStringList expected = {
        kBinary,
        QStringLiteral("/usr/share/applications/io.github.brindlemoor.Brindlemoor.desktop"),
        QStringLiteral("/usr/share/metainfo/io.github.brindlemoor.Brindlemoor.metainfo.xml"),
        QStringLiteral("/usr/share/man/man1/brindlemoor.1"),
        QStringLiteral("/usr/share/doc/brindlemoor/copyright"),
        QStringLiteral("/usr/share/icons/hicolor/scalable/apps/io.github.brindlemoor.Brindlemoor.svg"),
        QStringLiteral("/usr/share/dbus-1/interfaces/io.github.brindlemoor.Brindlemoor.xml"),
        QStringLiteral("/usr/share/dbus-1/interfaces/io.github.brindlemoor.GnomeShell1.xml"),
        QStringLiteral("/usr/share/dbus-1/interfaces/io.github.brindlemoor.KWin1.xml"),
        QStringLiteral("/usr/share/brindlemoor/kwin/active-window.js")};
    for (const char* file : {"metadata.json", "extension.js"})
        expected.append(QStringLiteral("/usr/share/gnome-shell/extensions/brindlemoor@brindlemoor.github.io/%1")
                            .arg(QLatin1String(file)));
    for (const char* language : {"de", "en", "fr"})
        expected.append(
            QStringLiteral("/usr/share/brindlemoor/translations/brindlemoor_%1.qm").arg(QLatin1String(language)));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
        expected.append(
            QStringLiteral("/usr/share/icons/hicolor/%1x%1/apps/io.github.brindlemoor.Brindlemoor.png").arg(size));
    files.sort();
    expected.sort();
    EXPECT_EQ(files.join(u'\n').toStdString(), expected.join(u'\n').toStdString());

    const QString depends =
        run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), m_deb, QStringLiteral("Depends")}).output;
    for (const char* dependency : {"libqt6widgets6", "libsqlite3-0", "libcanberra0", "libxcb1", "qt6-qpa-plugins",
                                   "libcanberra-pulse", "sound-theme-freedesktop"})
        EXPECT_TRUE(depends.contains(QLatin1String(dependency)))
            << dependency << " missing from " << depends.toStdString();

    QSet<QString> existedBefore;
    for (const PackagePath& entry : listed) {
        if (entry.isDirectory && QFileInfo::exists(entry.path))
            existedBefore.insert(entry.path);
    }
    install();
    if (HasFatalFailure())
        return;

    const QString sections = run(QStringLiteral("readelf"), {QStringLiteral("--section-headers"), kBinary}).output;
    EXPECT_FALSE(sections.contains(QStringLiteral(".symtab")) || sections.contains(QStringLiteral(".debug_")))
        << "the binary is not stripped";
    QFile binary(kBinary);
    ASSERT_TRUE(binary.open(QIODevice::ReadOnly));
    EXPECT_FALSE(binary.readAll().contains(BRINDLEMOOR_SOURCE_DIR)) << "the binary names the source tree";

    DesktopSession session(DesktopSession::Options{.trayHost = true});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    const QString store = session.configHome() + QStringLiteral("/brindlemoor/defaults.sqlite3");
    QProcess* program = session.start(kBinary, {});
    ASSERT_NE(program, nullptr) << session.error().toStdString();

    // The autostart entry names the running executable, which Qt reads from here.
    EXPECT_EQ(QFileInfo(QStringLiteral("/proc/%1/exe").arg(program->processId())).canonicalFilePath(), kBinary);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return QFile::exists(store); }, 30s))
        << "no store in " << store.toStdString();
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsTrayDot(session); }, 30s))
        << "no tray icon on the screen; " << program->readAllStandardError().toStdString();

    ASSERT_TRUE(stopsCleanly(program));

    purge();
    if (HasFatalFailure())
        return;
    for (const PackagePath& entry : listed) {
        if (existedBefore.contains(entry.path))
            continue;
        const QFileInfo left(entry.path);
        EXPECT_FALSE(left.exists() || left.isSymLink()) << entry.path.toStdString() << " is left behind";
    }
}
