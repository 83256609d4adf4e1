// SPDX-License-Identifier: MIT
// The real program in a private desktop: real windows, a real tray host, a real bus and
// the real store on disk. Counting is checked in real seconds, with margins for start-up.
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
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using namespace std::chrono_literals;

namespace {

const QString kWatched = QStringLiteral("watched-term");
const QString kOther = QStringLiteral("other-term");

void writeEntry(const QString& dataHome, const QString& id, const QString& name, const QString& wmClass)
{
    QDir().mkpath(dataHome + QStringLiteral("/applications"));
    QFile file(dataHome + QStringLiteral("/applications/") + id + QStringLiteral(".desktop"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=xterm\nStartupWMClass=%2\n")
                   .arg(name, wmClass)
                   .toUtf8());
}

void pause(std::chrono::milliseconds duration)
{
    DesktopSession::waitUntil([] { return false; }, duration);
}

class ProgramEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { startSession(true); }

    void startSession(bool trayHost)
    {
        DesktopSession::Options options;
        options.trayHost = trayHost;
        session = std::make_unique<DesktopSession>(options);
        ASSERT_TRUE(session->isReady()) << session->error().toStdString();
        writeEntry(session->dataHome(), kWatched, QStringLiteral("Watched Terminal"), QStringLiteral("WatchedTerm"));
        writeEntry(session->dataHome(), kOther, QStringLiteral("Other Terminal"), QStringLiteral("OtherTerm"));
        storePath = session->configHome() + QStringLiteral("/brindlemoor/defaults.sqlite3");
        QDir().mkpath(QFileInfo(storePath).path());
    }

    void watchOnly(const QString& app)
    {
        SqliteKeyValueStore defaults(storePath);
        ASSERT_TRUE(defaults.isOpen());
        PreferencesStore prefs(defaults);
        prefs.addApp(app);
    }

    void openWindows()
    {
        watchedWindow =
            session->startXterm(QStringLiteral("Watched"), QStringLiteral("WatchedTerm"), QStringLiteral("watched"));
        otherWindow =
            session->startXterm(QStringLiteral("Other"), QStringLiteral("OtherTerm"), QStringLiteral("other"));
        ASSERT_NE(watchedWindow, 0u);
        ASSERT_NE(otherWindow, 0u);
    }

    void focus(quint32 window)
    {
        ASSERT_TRUE(
            session->xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)}));
        ASSERT_TRUE(DesktopSession::waitUntil([&] { return session->activeWindow() == window; }));
    }

    QProcess* startProgram()
    {
        QProcess* program = session->start(QStringLiteral(BRINDLEMOOR_BINARY), {});
        EXPECT_NE(program, nullptr);
        EXPECT_TRUE(program->waitForStarted(10000));
        return program;
    }

    /// What the store on disk holds for the app, read as a second process would.
    double countedSeconds(const QString& app)
    {
        SqliteKeyValueStore defaults(storePath);
        const auto state = PersistedState::decode(defaults.dataValue(keys::usageDailyData));
        return state ? state->entries.value(app).cumulativeSeconds : 0.0;
    }

    /// Waits until the program has begun to count the app.
    bool waitForCounting(const QString& app)
    {
        return DesktopSession::waitUntil([&] { return countedSeconds(app) > 0; }, 15s);
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

    std::unique_ptr<DesktopSession> session;
    QString storePath;
    quint32 watchedWindow = 0;
    quint32 otherWindow = 0;
};

bool hasPixelNear(const QImage& image, QColor color, int tolerance)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - color.red()) <= tolerance &&
                std::abs(pixel.green() - color.green()) <= tolerance &&
                std::abs(pixel.blue() - color.blue()) <= tolerance)
                return true;
        }
    }
    return false;
}

const QColor kDotColor = QColor::fromRgbF(0.2f, 0.78f, 0.74f);

} // namespace

TEST_F(ProgramEndToEnd, CountsTheWatchedWindowOnlyAndStopsWhileLocked)
{
    watchOnly(kWatched);
    openWindows();
    focus(otherWindow);
    QProcess* program = startProgram();
    pause(2s);
    EXPECT_EQ(countedSeconds(kWatched), 0) << "the other terminal is not watched";

    focus(watchedWindow);
    ASSERT_TRUE(waitForCounting(kWatched));
    const double start = countedSeconds(kWatched);
    pause(5s);
    const double afterFive = countedSeconds(kWatched) - start;
    EXPECT_GE(afterFive, 4);
    EXPECT_LE(afterFive, 6);

    focus(otherWindow);
    pause(1s);
    const double leftAt = countedSeconds(kWatched);
    pause(3s);
    EXPECT_EQ(countedSeconds(kWatched), leftAt) << "the other terminal counts nothing";

    focus(watchedWindow);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return countedSeconds(kWatched) > leftAt; }, 5s));
    ASSERT_TRUE(session->emitSignal(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                    QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("ActiveChanged"),
                                    {QStringLiteral("boolean:true")}));
    pause(1500ms);
    const double lockedAt = countedSeconds(kWatched);
    pause(3s);
    EXPECT_EQ(countedSeconds(kWatched), lockedAt) << "a locked screen counts nothing";
    ASSERT_TRUE(session->emitSignal(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                    QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("ActiveChanged"),
                                    {QStringLiteral("boolean:false")}));
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return countedSeconds(kWatched) >= lockedAt + 2; }, 6s))
        << "the unlock resumes counting";

    // The icon sits in the tray host: its dot colour is on the screen.
    const QString shot =
        qEnvironmentVariable("BRINDLEMOOR_E2E_SCREENSHOT", session->configHome() + QStringLiteral("/screen.png"));
    ASSERT_TRUE(session->screenshot(shot));
    EXPECT_TRUE(hasPixelNear(QImage(shot), kDotColor, 12)) << "no tray icon in " << shot.toStdString();

    EXPECT_TRUE(stop(program, SIGTERM));
}

TEST_F(ProgramEndToEnd, ASecondInstanceExitsAtOnceAndTheFirstKeepsCounting)
{
    watchOnly(kWatched);
    openWindows();
    focus(watchedWindow);
    QProcess* first = startProgram();
    ASSERT_TRUE(waitForCounting(kWatched));

    QProcess second;
    second.setProcessEnvironment(session->environment());
    second.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitCode(), 0);
    const QString said = QString::fromLocal8Bit(second.readAllStandardError());
    EXPECT_EQ(said.count(QLatin1Char('\n')), 1) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("already running"))) << said.toStdString();

    const double before = countedSeconds(kWatched);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return countedSeconds(kWatched) >= before + 2; }, 6s));
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_TRUE(stop(first, SIGINT));
}

TEST_F(ProgramEndToEnd, StartsWithAnEmptyStoreAndWithGarbageInEveryKey)
{
    openWindows();
    focus(watchedWindow);
    QProcess* program = startProgram();
    pause(3s);
    EXPECT_EQ(program->state(), QProcess::Running) << "an empty store";
    EXPECT_TRUE(stop(program, SIGTERM));

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
    ASSERT_TRUE(DesktopSession::waitUntil([&] {
        said += QString::fromUtf8(program->readAllStandardError());
        return program->state() != QProcess::Running || said.contains(u"Failed to decode monitoredAppsData");
    })) << said.toStdString();
    ASSERT_EQ(program->state(), QProcess::Running) << "garbage in every key";

    // The defaults are in force: the dot is drawn in the default colour.
    const QString shot = session->configHome() + QStringLiteral("/garbage.png");
    ASSERT_TRUE(session->screenshot(shot));
    EXPECT_TRUE(hasPixelNear(QImage(shot), kDotColor, 12));
    EXPECT_TRUE(stop(program, SIGTERM));
}

TEST_F(ProgramEndToEnd, QuittingLeavesAStoreThatTheNextStartContinues)
{
    watchOnly(kWatched);
    openWindows();
    focus(watchedWindow);
    QProcess* program = startProgram();
    ASSERT_TRUE(waitForCounting(kWatched));
    pause(2s);
    ASSERT_TRUE(stop(program, SIGTERM));
    const double atQuit = countedSeconds(kWatched);
    EXPECT_GE(atQuit, 2);

    {
        QProcess check;
        check.start(QStringLiteral("sqlite3"), {storePath, QStringLiteral("PRAGMA integrity_check")});
        ASSERT_TRUE(check.waitForFinished(10000));
        EXPECT_EQ(QString::fromUtf8(check.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
    }
    pause(2s);
    EXPECT_EQ(countedSeconds(kWatched), atQuit) << "nothing counts after the quit";

    program = startProgram();
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return countedSeconds(kWatched) >= atQuit + 2; }, 8s))
        << "the restart continues the same day";
    EXPECT_TRUE(stop(program, SIGTERM));
}

TEST(ProgramWithoutTray, SaysSoOnceKeepsCountingAndShowsTheIconWhenATrayStarts)
{
    DesktopSession::Options options;
    options.trayHost = false;
    DesktopSession session(options);
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    writeEntry(session.dataHome(), kWatched, QStringLiteral("Watched Terminal"), QStringLiteral("WatchedTerm"));
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
    const auto counted = [&] {
        SqliteKeyValueStore defaults(storePath);
        const auto state = PersistedState::decode(defaults.dataValue(keys::usageDailyData));
        return state ? state->entries.value(kWatched).cumulativeSeconds : 0.0;
    };
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return counted() >= 2; }, 15s)) << "tracking goes on without a tray";

    QProcess* trayer = session.start(QStringLiteral("trayer"),
                                     {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                                      QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                                      QStringLiteral("--height"), QStringLiteral("24")});
    ASSERT_NE(trayer, nullptr);
    const QString shot = session.configHome() + QStringLiteral("/late-tray.png");
    EXPECT_TRUE(DesktopSession::waitUntil(
        [&] { return session.screenshot(shot) && hasPixelNear(QImage(shot), kDotColor, 12); }, 15s))
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
