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
    // Only the top panel, where the tray is: the welcome's logo has the dot's teal too.
    for (int y = 0; y < std::min(image.height(), 24); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - kDotColor.red()) <= 12 && std::abs(pixel.green() - kDotColor.green()) <= 12 &&
                std::abs(pixel.blue() - kDotColor.blue()) <= 12)
                return true;
        }
    }
    return false;
}

const QString kWelcome = QStringLiteral("Welcome to Brindlemoor");
const QString kUsage = QStringLiteral("Today in Brindlemoor");
const QString kInfo = QStringLiteral("About Brindlemoor");
const QString kSettings = QStringLiteral("Brindlemoor Settings");

/// The middle of the tray's dot in the top panel; null when it is not there. Only the
/// panel is searched: the logo in a popover has teal of its own.
QPoint findTrayDot(const DesktopSession& session)
{
    const QString path = session.configHome() + QStringLiteral("/dot.png");
    if (!session.screenshot(path))
        return {};
    const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
    QRect area;
    for (int y = 0; y < std::min(image.height(), 24); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            // Teal, lit or in shade.
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() < 140 && pixel.green() > 150 && pixel.blue() > 140)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area.isEmpty() ? QPoint() : area.center();
}

/// Presses and releases a button at a point, with Alt held if asked.
bool clickAt(const DesktopSession& session, QPoint at, int button = 1, bool alt = false)
{
    QStringList arguments{QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())};
    if (alt)
        arguments << QStringLiteral("keydown") << QStringLiteral("alt");
    arguments << QStringLiteral("click") << QString::number(button);
    if (alt)
        arguments << QStringLiteral("keyup") << QStringLiteral("alt");
    return session.xdotool(arguments);
}

bool waitForShown(const DesktopSession& session, const QString& title, bool shown = true)
{
    return DesktopSession::waitUntil(
        [&] {
            const quint32 window = session.findWindow(title);
            return (window != 0 && session.isViewable(window)) == shown;
        },
        10s);
}

void pause(std::chrono::milliseconds duration)
{
    DesktopSession::waitUntil([] { return false; }, duration);
}

/// Keeps a picture of the screen where BRINDLEMOOR_E2E_SHOTS names a folder.
void keepShot(const DesktopSession& session, const QString& name)
{
    const QString folder = qEnvironmentVariable("BRINDLEMOOR_E2E_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    session.screenshot(folder + u'/' + name + QStringLiteral(".png"));
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
        // A returning user: the welcome would take the keyboard from the terminals.
        defaults.setValue(keys::hasSeenWelcome, true);
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

TEST_F(ProgramEndToEnd, FirstStartWelcomesThenTheTrayIconOpensEveryPopover)
{
    focus(otherWindow);
    QProcess* program = startProgram();
    ASSERT_TRUE(waitForShown(session, kWelcome)) << "the welcome greets the first start";
    const quint32 welcome = session.findWindow(kWelcome);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return session.activeWindow() == welcome; }))
        << "the welcome has the keyboard";
    keepShot(session, QStringLiteral("1-welcome"));
    const QPoint dot = findTrayDot(session);
    ASSERT_FALSE(dot.isNull());
    const QRect welcomeRect = session.geometry(welcome);
    EXPECT_LT(std::abs(welcomeRect.center().x() - dot.x()), welcomeRect.width() / 2) << "under the tray item";
    EXPECT_LT(welcomeRect.top(), dot.y() + 40);

    const QPoint onOther = session.geometry(otherWindow).center();
    const QPoint onWatched = session.geometry(watchedWindow).center();
    ASSERT_TRUE(clickAt(session, onOther));
    pause(700ms);
    EXPECT_TRUE(session.isViewable(welcome)) << "a click elsewhere leaves the welcome";

    // "Get Started" from the keyboard: the button has the focus once the welcome has.
    focus(welcome);
    ASSERT_TRUE(session.xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
    ASSERT_TRUE(waitForShown(session, kSettings)) << "the settings follow the welcome";
    EXPECT_TRUE(waitForShown(session, kWelcome, false));
    keepShot(session, QStringLiteral("2-settings"));
    ASSERT_TRUE(clickAt(session, onOther));
    EXPECT_TRUE(waitForShown(session, kSettings, false)) << "a click elsewhere closes the settings";

    // A click toggles the usage popover; a click on another window closes it and still reaches that window.
    ASSERT_TRUE(clickAt(session, dot));
    ASSERT_TRUE(waitForShown(session, kUsage));
    keepShot(session, QStringLiteral("3-usage"));
    pause(700ms);
    ASSERT_TRUE(clickAt(session, dot));
    EXPECT_TRUE(waitForShown(session, kUsage, false)) << "a second click closes it";
    pause(700ms);
    ASSERT_TRUE(clickAt(session, dot));
    ASSERT_TRUE(waitForShown(session, kUsage));
    ASSERT_TRUE(clickAt(session, onWatched));
    EXPECT_TRUE(waitForShown(session, kUsage, false));
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return session.activeWindow() == watchedWindow; }))
        << "the click went on to the window under it";

    // Alt-click and middle click toggle the info.
    pause(700ms);
    ASSERT_TRUE(clickAt(session, dot, 1, true));
    ASSERT_TRUE(waitForShown(session, kInfo)) << "Alt-click";
    keepShot(session, QStringLiteral("4-info"));
    pause(700ms);
    ASSERT_TRUE(clickAt(session, dot, 1, true));
    EXPECT_TRUE(waitForShown(session, kInfo, false));
    pause(700ms);
    ASSERT_TRUE(clickAt(session, dot, 2));
    EXPECT_TRUE(waitForShown(session, kInfo)) << "middle click";
    EXPECT_FALSE(session.isViewable(session.findWindow(kUsage)));

    // Quit, the popover's last row: the program ends normally, the welcome marked as seen.
    pause(700ms);
    ASSERT_TRUE(clickAt(session, dot));
    ASSERT_TRUE(waitForShown(session, kUsage));
    const QRect usage = session.geometry(session.findWindow(kUsage));
    ASSERT_TRUE(clickAt(session, QPoint(usage.left() + 50, usage.bottom() - 34)));
    ASSERT_TRUE(program->waitForFinished(10000)) << "Quit ends the program";
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);
    SqliteKeyValueStore defaults(storePath);
    EXPECT_TRUE(defaults.boolValue(keys::hasSeenWelcome, false));
}

TEST(ProgramWithoutTray, IsReachedThroughASecondStartKeepsCountingAndShowsTheIconWhenATrayStarts)
{
    DesktopSession session(DesktopSession::Options{.trayHost = false});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    writeEntry(session.dataHome(), kWatched, QStringLiteral("WatchedTerm"));
    const QString storePath = session.configHome() + QStringLiteral("/brindlemoor/defaults.sqlite3");
    QDir().mkpath(QFileInfo(storePath).path());
    {
        SqliteKeyValueStore defaults(storePath);
        PreferencesStore(defaults).addApp(kWatched);
        defaults.setValue(keys::hasSeenWelcome, true);
    }
    const quint32 window =
        session.startXterm(QStringLiteral("Watched"), QStringLiteral("WatchedTerm"), QStringLiteral("watched"));
    const quint32 other =
        session.startXterm(QStringLiteral("Other"), QStringLiteral("OtherTerm"), QStringLiteral("other"));
    ASSERT_NE(window, 0u);
    ASSERT_NE(other, 0u);
    ASSERT_TRUE(session.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)}));

    QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return countedSeconds(storePath, kWatched) >= 2; }, 15s))
        << "tracking goes on without a tray";

    // A second start asks the running one to show itself, says so in one line and exits.
    const auto startAgain = [&](const QStringList& arguments) {
        QProcess second;
        second.setProcessEnvironment(session.environment());
        second.start(QStringLiteral(BRINDLEMOOR_BINARY), arguments);
        EXPECT_TRUE(second.waitForFinished(15000));
        EXPECT_EQ(second.exitCode(), 0);
        const QString said = QString::fromLocal8Bit(second.readAllStandardError());
        EXPECT_EQ(said.count(QLatin1Char('\n')), 1) << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("already running"))) << said.toStdString();
    };
    startAgain({});
    ASSERT_TRUE(waitForShown(session, kUsage)) << "the running one opens its usage popover";
    pause(600ms); // the content fades in
    keepShot(session, QStringLiteral("5-second-start"));
    const QRect usage = session.geometry(session.findWindow(kUsage));
    EXPECT_LE((usage.center() - QPoint(640, 400)).manhattanLength(), 4) << "in the middle of the screen";
    const double before = countedSeconds(storePath, kWatched);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return countedSeconds(storePath, kWatched) >= before + 2; }, 15s))
        << "the running one keeps counting";

    // A click elsewhere closes it without a tray too; the desktop entry's Settings action opens the settings.
    ASSERT_TRUE(clickAt(session, session.geometry(other).center()));
    EXPECT_TRUE(waitForShown(session, kUsage, false));
    startAgain({QStringLiteral("--settings")});
    EXPECT_TRUE(waitForShown(session, kSettings));

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

    QProcess wrong;
    wrong.start(QStringLiteral(BRINDLEMOOR_BINARY), {QStringLiteral("--bogus")});
    ASSERT_TRUE(wrong.waitForFinished(15000));
    EXPECT_EQ(wrong.exitCode(), 2);
    EXPECT_EQ(QString::fromLocal8Bit(wrong.readAllStandardError()).count(QLatin1Char('\n')), 1);
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
