// SPDX-License-Identifier: MIT
// The real program in a private desktop: real windows, a real tray host, a real bus and
// the real store on disk. Counting is waited for with deadlines, never timed.
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/UsageStore.h"
#include "platform/sqlite/SqliteKeyValueStore.h"
#include "support/DesktopSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using namespace std::chrono_literals;

namespace {

const QString kWatched = QStringLiteral("watched-term");
const QColor kDotColor = QColor::fromRgbF(0.2f, 0.78f, 0.74f);

void writeEntry(const QString& dataHome, const QString& id, const QString& wmClass)
{
    QDir().mkpath(dataHome + QStringLiteral("/applications"));
    QFile file(dataHome + QStringLiteral("/applications/") + id + QStringLiteral(".desktop"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=xterm\nStartupWMClass=%2\n")
                   .arg(id, wmClass)
                   .toUtf8());
}

/// What the store on disk holds for the app, read as a second process would.
double countedSeconds(const QString& storePath, const QString& app)
{
    SqliteKeyValueStore defaults(storePath);
    const auto state = PersistedState::decode(defaults.dataValue(keys::usageDailyData));
    return state ? state->entries.value(app).cumulativeSeconds : 0.0;
}

bool showsTheDot(const DesktopSession& session, const QString& shot)
{
    if (!session.screenshot(shot))
        return false;
    const QImage image(shot);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - kDotColor.red()) <= 12 && std::abs(pixel.green() - kDotColor.green()) <= 12 &&
                std::abs(pixel.blue() - kDotColor.blue()) <= 12)
                return true;
        }
    }
    return false;
}

class ProgramEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.isReady()) << session.error().toStdString();
        writeEntry(session.dataHome(), kWatched, QStringLiteral("WatchedTerm"));
        writeEntry(session.dataHome(), QStringLiteral("other-term"), QStringLiteral("OtherTerm"));
        QDir().mkpath(QFileInfo(storePath).path());
        watchedWindow =
            session.startXterm(QStringLiteral("Watched"), QStringLiteral("WatchedTerm"), QStringLiteral("watched"));
        otherWindow = session.startXterm(QStringLiteral("Other"), QStringLiteral("OtherTerm"), QStringLiteral("other"));
        ASSERT_NE(watchedWindow, 0u);
        ASSERT_NE(otherWindow, 0u);
    }

    void focus(quint32 window)
    {
        ASSERT_TRUE(
            session.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)}));
        ASSERT_TRUE(DesktopSession::waitUntil([&] { return session.activeWindow() == window; }));
    }

    QProcess* startProgram()
    {
        QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
        EXPECT_TRUE(program != nullptr && program->waitForStarted(10000));
        return program;
    }

    double counted() { return countedSeconds(storePath, kWatched); }
    /// Waits until the watched app has `seconds` more than it has now.
    bool countsOn(double seconds)
    {
        const double target = counted() + seconds;
        return DesktopSession::waitUntil([&] { return counted() >= target; }, 15s);
    }
    /// Waits until the count has stood still for 2.5 s, which a counting program never does.
    bool stopsCounting()
    {
        double last = counted();
        QElapsedTimer still;
        still.start();
        return DesktopSession::waitUntil(
            [&] {
                if (const double now = counted(); now != last) {
                    last = now;
                    still.restart();
                }
                return still.elapsed() >= 2500;
            },
            15s);
    }
    bool lockScreen(bool locked)
    {
        return session.emitSignal(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                  QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("ActiveChanged"),
                                  {locked ? QStringLiteral("boolean:true") : QStringLiteral("boolean:false")});
    }

    static ::testing::AssertionResult stop(QProcess* program, int signal)
    {
        ::kill(static_cast<pid_t>(program->processId()), signal);
        if (program->waitForFinished(15000) && program->exitStatus() == QProcess::NormalExit &&
            program->exitCode() == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "exit status " << program->exitStatus() << ", code " << program->exitCode() << ": "
               << program->readAllStandardError().right(3000).toStdString();
    }

    DesktopSession session{DesktopSession::Options{.trayHost = true}};
    QString storePath = session.configHome() + QStringLiteral("/brindlemoor/defaults.sqlite3");
    quint32 watchedWindow = 0;
    quint32 otherWindow = 0;
};

} // namespace

TEST_F(ProgramEndToEnd, CountsTheWatchedWindowWhileUnlockedOnceAndAcrossARestart)
{
    {
        SqliteKeyValueStore defaults(storePath);
        PreferencesStore(defaults).addApp(kWatched);
    }
    focus(otherWindow);
    QProcess* program = startProgram();
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsTheDot(session, storePath + QStringLiteral(".png")); }))
        << "the icon sits in the tray host";
    EXPECT_TRUE(stopsCounting());
    EXPECT_EQ(counted(), 0) << "the other terminal is not watched";

    focus(watchedWindow);
    EXPECT_TRUE(countsOn(3));
    focus(otherWindow);
    EXPECT_TRUE(stopsCounting());
    focus(watchedWindow);
    EXPECT_TRUE(countsOn(1));
    ASSERT_TRUE(lockScreen(true));
    EXPECT_TRUE(stopsCounting()) << "a locked screen counts nothing";
    ASSERT_TRUE(lockScreen(false));
    EXPECT_TRUE(countsOn(2)) << "the unlock resumes counting";

    // A second start says so and leaves at once; the first counts on.
    QProcess second;
    second.setProcessEnvironment(session.environment());
    second.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(QString::fromLocal8Bit(second.readAllStandardError()),
              QStringLiteral("brindlemoor: already running for this user; this second start exits\n"));
    EXPECT_TRUE(countsOn(2));

    // Quitting leaves a sound store, and the next start continues the same day.
    ASSERT_TRUE(stop(program, SIGTERM));
    const double atQuit = counted();
    QProcess check;
    check.start(QStringLiteral("sqlite3"), {storePath, QStringLiteral("PRAGMA integrity_check")});
    ASSERT_TRUE(check.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(check.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
    program = startProgram();
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return counted() >= atQuit + 2; }, 15s));
    EXPECT_TRUE(stop(program, SIGINT));
}

TEST_F(ProgramEndToEnd, StartsWithAnEmptyStoreAndWithGarbageInEveryKey)
{
    focus(watchedWindow);
    QProcess* program = startProgram();
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsTheDot(session, storePath + QStringLiteral(".png")); }));
    EXPECT_TRUE(stop(program, SIGTERM)) << "an empty store";

    {
        SqliteKeyValueStore defaults(storePath);
        for (const QString& key : {keys::isMonitoringPaused, keys::dailyLimitMinutes, keys::extendDurationMinutes,
                                   keys::useShapes, keys::playSoundOnRed, keys::showTimeRemaining, keys::overlayEnabled,
                                   keys::dotColorRed, keys::dotColorGreen, keys::dotColorBlue})
            defaults.setValue(key, QByteArray("\x01garbage"));
        for (const QString& key :
             {keys::monitoredAppsData, keys::mindfulnessHistory, keys::breachHoursByDay, keys::usageDailyData})
            defaults.setValue(key, QByteArray("\xff\xfe{not json"));
    }
    program = startProgram();
    QString said;
    EXPECT_TRUE(DesktopSession::waitUntil([&] {
        said += QString::fromUtf8(program->readAllStandardError());
        return said.contains(QStringLiteral("\u26a0\ufe0f [PreferencesStore] Failed to decode monitoredAppsData"));
    })) << said.toStdString();
    // The defaults are in force: the dot is drawn in the default colour.
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsTheDot(session, storePath + QStringLiteral(".png")); }));
    EXPECT_TRUE(stop(program, SIGTERM)) << "garbage in every key";
}

TEST(ProgramWithoutTray, SaysSoOnceKeepsCountingAndShowsTheIconWhenATrayStarts)
{
    DesktopSession session(DesktopSession::Options{.trayHost = false});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    writeEntry(session.dataHome(), kWatched, QStringLiteral("WatchedTerm"));
    const QString storePath = session.configHome() + QStringLiteral("/brindlemoor/defaults.sqlite3");
    QDir().mkpath(QFileInfo(storePath).path());
    {
        SqliteKeyValueStore defaults(storePath);
        PreferencesStore(defaults).addApp(kWatched);
    }
    const quint32 window =
        session.startXterm(QStringLiteral("Watched"), QStringLiteral("WatchedTerm"), QStringLiteral("watched"));
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(session.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)}));

    QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return countedSeconds(storePath, kWatched) >= 2; }, 15s))
        << "tracking goes on without a tray";

    QProcess* trayer = session.start(QStringLiteral("trayer"),
                                     {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                                      QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                                      QStringLiteral("--height"), QStringLiteral("24")});
    ASSERT_NE(trayer, nullptr);
    EXPECT_TRUE(DesktopSession::waitUntil(
        [&] { return showsTheDot(session, session.configHome() + QStringLiteral("/late-tray.png")); }, 15s))
        << "the icon appears once a tray starts";

    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(program->waitForFinished(15000));
    EXPECT_EQ(program->exitCode(), 0);
    const QString said = QString::fromLocal8Bit(program->readAllStandardError());
    EXPECT_EQ(said.count(QStringLiteral("no system tray")), 1) << said.toStdString();
}

TEST(ProgramOutsideADesktop, SaysThatThereIsNoDisplayInsteadOfCrashing)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardError()),
              QStringLiteral("brindlemoor: no graphical session to run in (DISPLAY is not set)\n"));
}
