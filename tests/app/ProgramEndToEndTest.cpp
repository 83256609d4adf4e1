// SPDX-License-Identifier: MIT
// The real program in a private desktop: real windows, a real tray host, a real bus and
// the real store on disk. Counting is waited for with deadlines, never timed.
#include "app/RunningInstance.h"
#include "core/foundation/DayKey.h"
#include "core/foundation/JsonCoding.h"
#include "core/model/SettingsKeys.h"
#include "core/model/UsageHistory.h"
#include "core/model/UsageStore.h"
#include "platform/sqlite/SqliteKeyValueStore.h"
#include "support/ProgramTesting.h"
#include "support/QtPrinting.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

using namespace brindlemoor;
using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

const QString kWatched = QStringLiteral("watched-term");
const QString kWelcome = QStringLiteral("Welcome to Brindlemoor");
const QString kUsage = QStringLiteral("Today in Brindlemoor");
const QString kInfo = QStringLiteral("About Brindlemoor");
const QString kSettings = QStringLiteral("Brindlemoor Settings");

/// A desktop with two terminals, one of them the watched application.
class ProgramEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { startSession(true); }

    void startSession(bool trayHost)
    {
        session = std::make_unique<DesktopSession>(DesktopSession::Options{.trayHost = trayHost});
        ASSERT_TRUE(session->isReady()) << session->error().toStdString();
        writeDesktopEntry(*session, kWatched, QStringLiteral("WatchedTerm"));
        // Both are xterm: without its own entry the other would be taken for the watched one.
        writeDesktopEntry(*session, QStringLiteral("other-term"), QStringLiteral("OtherTerm"));
        watchedWindow =
            session->startXterm(QStringLiteral("Watched"), QStringLiteral("WatchedTerm"), QStringLiteral("watched"));
        otherWindow =
            session->startXterm(QStringLiteral("Other"), QStringLiteral("OtherTerm"), QStringLiteral("other"));
        ASSERT_NE(watchedWindow, 0u);
        ASSERT_NE(otherWindow, 0u);
    }

    QProcess* startProgram(const QStringList& arguments = {})
    {
        QProcess* program = session->start(QStringLiteral(BRINDLEMOOR_BINARY), arguments);
        EXPECT_TRUE(program != nullptr && program->waitForStarted(10000));
        return program;
    }

    double counted() const { return countedSeconds(*session, kWatched); }
    bool countsOn(double seconds) const { return test::countsOn(*session, kWatched, seconds); }
    bool stopsCounting() const { return test::stopsCounting(*session, kWatched); }
    bool lockScreen(bool locked) const
    {
        return session->emitSignal(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                   QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("ActiveChanged"),
                                   {locked ? QStringLiteral("boolean:true") : QStringLiteral("boolean:false")});
    }

    /// Return on the welcome, until the settings show. Qt hears of the welcome's focus a little
    /// after the window manager says so, and a key sent in between goes nowhere; while the
    /// welcome shows, no key has reached it.
    bool getStarted() const
    {
        const quint32 welcome = session->findWindow(kWelcome);
        return DesktopSession::waitUntil(
            [&] {
                if (session->isViewable(welcome))
                    session->xdotool({QStringLiteral("key"), QStringLiteral("Return")});
                return waitForShown(*session, kSettings, true, 3s);
            },
            20s);
    }

    std::unique_ptr<DesktopSession> session;
    quint32 watchedWindow = 0;
    quint32 otherWindow = 0;
};

} // namespace

TEST_F(ProgramEndToEnd, CountsTheWatchedWindowWhileUnlockedOnceAndAcrossARestart)
{
    prepareReturningUser(*session, {kWatched});
    // The watched app's floating widget was open at the last quit.
    const QPoint widgetAt(400, 300);
    SqliteKeyValueStore(storePath(*session))
        .setValue(keys::floatingWidgetPositions,
                  json::compact({{kWatched, QJsonObject{{QStringLiteral("x"), widgetAt.x()},
                                                        {QStringLiteral("y"), widgetAt.y()}}}}));
    ASSERT_TRUE(activate(*session, otherWindow));
    QProcess* program = startProgram();
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsTrayDot(*session); })) << "the icon sits in the tray host";
    EXPECT_TRUE(DesktopSession::waitUntil([&] {
        const QList<quint32> windows = session->viewableWindowsOf(program->processId());
        return std::any_of(windows.begin(), windows.end(),
                           [&](quint32 window) { return session->geometry(window).topLeft() == widgetAt; });
    })) << "the widget is back where it was";
    EXPECT_TRUE(stopsCounting());
    EXPECT_EQ(counted(), 0) << "the other terminal is not watched";

    ASSERT_TRUE(activate(*session, watchedWindow));
    EXPECT_TRUE(countsOn(3));
    ASSERT_TRUE(activate(*session, otherWindow));
    EXPECT_TRUE(stopsCounting());
    ASSERT_TRUE(activate(*session, watchedWindow));
    EXPECT_TRUE(countsOn(1));
    ASSERT_TRUE(lockScreen(true));
    EXPECT_TRUE(stopsCounting()) << "a locked screen counts nothing";
    ASSERT_TRUE(lockScreen(false));
    EXPECT_TRUE(countsOn(2)) << "the unlock resumes counting";

    // Quitting leaves a sound store, and the next start continues the same day.
    ASSERT_TRUE(stopsCleanly(program));
    const double atQuit = counted();
    QProcess check;
    check.start(QStringLiteral("sqlite3"), {storePath(*session), QStringLiteral("PRAGMA integrity_check")});
    ASSERT_TRUE(check.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(check.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
    program = startProgram();
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return counted() >= atQuit + 2; }, 15s));
    EXPECT_TRUE(stopsCleanly(program, SIGINT));
}

TEST_F(ProgramEndToEnd, StartsWithAnEmptyStoreAndWithGarbageInEveryKey)
{
    ASSERT_TRUE(activate(*session, watchedWindow));
    QProcess* program = startProgram();
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsTrayDot(*session); }));
    EXPECT_TRUE(stopsCleanly(program)) << "an empty store";

    const QStringList numberKeys{keys::isMonitoringPaused, keys::dailyLimitMinutes, keys::extendDurationMinutes,
                                 keys::useShapes,          keys::playSoundOnRed,    keys::showTimeRemaining,
                                 keys::overlayEnabled,     keys::dotColorRed,       keys::dotColorGreen,
                                 keys::dotColorBlue,       keys::hasSeenWelcome};
    const QStringList dataKeys{keys::monitoredAppsData,       keys::mindfulnessHistory,
                               keys::breachHoursByDay,        keys::usageDailyData,
                               keys::floatingWidgetPositions, keys::floatingWidgetDailyPosition};
    QByteArray noise(4096, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(QRandomGenerator::global()->bounded(256));
    const QByteArray nested = QByteArray(100'000, '[') + QByteArray(100'000, ']');
    QByteArray millionApps(R"([{"bundleID":"watched-term","timeLimitMinutes":60})");
    for (int i = 0; i < 1'000'000; ++i)
        millionApps += R"(,{"bundleID":"org.example.App)" + QByteArray::number(i) + R"(","timeLimitMinutes":-60})";
    millionApps += ']';
    QByteArray notADay(R"({"entries":{},"todayIntervals":[)");
    while (notADay.size() < 50'000'000)
        notADay += R"({"id":"3F2504E0-4F89-11D3-9A0C-0305E82C3301","bundleID":"watched-term","start":1e308},)";
    notADay += R"({}],"lastResetDay":20260101})";
    // A busy day as the program writes it: 400,000 closed stretches today, about 50 MB, and negative seconds.
    PersistedState busy;
    const QDateTime now = QDateTime::currentDateTime();
    busy.lastResetDay = dayKey(now);
    busy.entries.insert(kWatched, Entry{kWatched, -60, -60, 3});
    busy.appExtensions.insert(kWatched, -60);
    busy.dailyExtension = -60;
    const QDateTime dayStart = now.date().startOfDay();
    const qint64 stretch = std::max<qint64>(1, dayStart.msecsTo(now) / 400'000);
    for (qint64 i = 0; i < 400'000; ++i) {
        const QDateTime start = dayStart.addMSecs(i * stretch);
        busy.todayIntervals.append({QUuid::createUuid(), kWatched, start, start.addMSecs(stretch / 2)});
    }
    const QByteArray busyDay = busy.encode().value();

    struct Round {
        const char* name;
        std::function<QVariant(const QString& key)> value;
        QString warning; // a line the program says; empty where nothing needs saying
    };
    const Round rounds[] = {
        {"random bytes; numbers where data belongs",
         [&](const QString& key) {
             return numberKeys.contains(key) ? QVariant(noise)
                                             : QVariant::fromValue(std::numeric_limits<qlonglong>::max());
         },
         {}},
        {"text where numbers belong; truncated JSON; 50 MB that is no day",
         [&](const QString& key) {
             return numberKeys.contains(key)      ? QVariant(QStringLiteral("1"))
                    : key == keys::usageDailyData ? QVariant(notADay)
                                                  : QVariant(QByteArray(R"([{"watched-term":{"x":1,"y")"));
         },
         QStringLiteral("cannot decode monitoredAppsData")},
        {"NaN, infinities and huge numbers; 100,000 levels of JSON",
         [&](const QString& key) {
             if (key == keys::dotColorRed)
                 return QVariant(std::nan(""));
             if (key == keys::dotColorGreen || key == keys::dotColorBlue)
                 return QVariant(key == keys::dotColorGreen ? HUGE_VAL : -HUGE_VAL);
             if (key == keys::dailyLimitMinutes || key == keys::extendDurationMinutes)
                 return QVariant::fromValue(std::numeric_limits<qlonglong>::max());
             return numberKeys.contains(key) ? QVariant(key == keys::useShapes ? 1e308 : 9223372036854775808.0)
                                             : QVariant(nested);
         },
         QStringLiteral("cannot decode monitoredAppsData")},
        {"negative numbers; a million watched apps; a busy day",
         [&](const QString& key) {
             // Any number but 0 is true: a negative one would pause the count that this round watches.
             if (key == keys::isMonitoringPaused)
                 return QVariant::fromValue<qlonglong>(0);
             return numberKeys.contains(key)         ? QVariant::fromValue<qlonglong>(-60)
                    : key == keys::monitoredAppsData ? QVariant(millionApps)
                    : key == keys::usageDailyData    ? QVariant(busyDay)
                                                     : QVariant(QByteArray(R"({"a":-1e308})"));
         },
         QStringLiteral("monitoredAppsData lists 1000001 apps")},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.name);
        {
            SqliteKeyValueStore defaults(storePath(*session));
            for (const QString& key : numberKeys + dataKeys)
                defaults.setValue(key, round.value(key));
        }
        const bool welcomes = &round != &rounds[3]; // a true "hasSeenWelcome" only there
        ASSERT_TRUE(activate(*session, watchedWindow));
        program = startProgram();
        QString said;
        const auto hears = [&](const QString& line) {
            return DesktopSession::waitUntil(
                [&] {
                    said += QString::fromUtf8(program->readAllStandardError());
                    return said.contains(line);
                },
                60s);
        };
        ASSERT_TRUE(hears(QStringLiteral("tray icon:"))) << said.toStdString();
        // A second start reaches the running one over the bus only while its event loop runs.
        QProcess* second = startProgram();
        EXPECT_TRUE(second->waitForFinished(30000) && second->exitCode() == 0)
            << second->readAllStandardError().toStdString();
        EXPECT_TRUE(waitForShown(*session, welcomes ? kWelcome : kUsage)) << "it answers the second start";
        if (!welcomes) {
            // The popover has the keyboard; the watched app taking it back closes it.
            ASSERT_TRUE(activate(*session, watchedWindow));
            EXPECT_TRUE(countsOn(2)) << "the first of a million watched apps is counted on a busy day";
            QProcess* settings = startProgram({QStringLiteral("--settings")});
            EXPECT_TRUE(settings->waitForFinished(30000));
            EXPECT_TRUE(waitForShown(*session, kSettings)) << "the settings list the apps kept, one row each";
        }
        if (&round == &rounds[2]) {
            EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsTrayDot(*session); }))
                << "NaN and infinities give the default colour";
        }
        EXPECT_TRUE(stopsCleanly(program));
        said += QString::fromUtf8(program->readAllStandardError());
        if (!round.warning.isEmpty()) {
            EXPECT_TRUE(said.contains(round.warning)) << said.toStdString();
        }
        EXPECT_EQ(said.count(QStringLiteral("monitoredAppsData")), round.warning.isEmpty() ? 0 : 1)
            << said.toStdString();
    }
}

// What the popovers do is PopoverControllerTest's and PopoverWindowTest's; here the real tray,
// the real click monitor and the real window manager take part.
TEST_F(ProgramEndToEnd, FirstStartWelcomesThenTheTrayIconOpensEveryPopover)
{
    ASSERT_TRUE(activate(*session, otherWindow));
    QProcess* program = startProgram();
    ASSERT_TRUE(waitForShown(*session, kWelcome)) << "the welcome greets the first start";
    const quint32 welcome = session->findWindow(kWelcome);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return session->activeWindow() == welcome; }))
        << "the welcome has the keyboard";
    const QPoint dot = trayDotArea(session->grab()).center();
    ASSERT_FALSE(dot.isNull());
    const QRect welcomeRect = session->geometry(welcome);
    EXPECT_LT(std::abs(welcomeRect.center().x() - dot.x()), welcomeRect.width() / 2) << "under the tray item";
    EXPECT_LT(welcomeRect.top(), dot.y() + 40);

    // "Get Started" from the keyboard: the button has the focus once the welcome has.
    ASSERT_TRUE(getStarted()) << "the settings follow the welcome";
    EXPECT_TRUE(waitForShown(*session, kWelcome, false));
    ASSERT_TRUE(clickAt(*session, session->geometry(otherWindow).center()));
    EXPECT_TRUE(waitForShown(*session, kSettings, false)) << "a click elsewhere closes the settings";

    // A click on another window closes the usage popover and still reaches that window.
    ASSERT_TRUE(clickAt(*session, dot));
    ASSERT_TRUE(waitForShown(*session, kUsage));
    ASSERT_TRUE(clickAt(*session, session->geometry(watchedWindow).center()));
    EXPECT_TRUE(waitForShown(*session, kUsage, false));
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return session->activeWindow() == watchedWindow; }))
        << "the click went on to the window under it";

    // The tray host tells Alt and the middle button apart.
    ASSERT_TRUE(clickAt(*session, dot, 1, true));
    ASSERT_TRUE(waitForShown(*session, kInfo)) << "Alt-click";
    ASSERT_TRUE(clickAt(*session, dot, 2));
    EXPECT_TRUE(waitForShown(*session, kInfo, false)) << "middle click";

    // Quit, the popover's last row: the program ends normally, the welcome marked as seen.
    ASSERT_TRUE(clickAt(*session, dot));
    ASSERT_TRUE(waitForShown(*session, kUsage));
    const QRect usage = session->geometry(session->findWindow(kUsage));
    ASSERT_TRUE(clickAt(*session, QPoint(usage.left() + 50, usage.bottom() - 34)));
    ASSERT_TRUE(program->waitForFinished(10000)) << "Quit ends the program";
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);
    EXPECT_TRUE(SqliteKeyValueStore(storePath(*session)).boolValue(keys::hasSeenWelcome, false));
}

namespace {

/// The members of an interface in an introspection document: "method Reset(s in application_id)".
QStringList interfaceMembers(const QString& xml, const QString& interface)
{
    QStringList members;
    QXmlStreamReader reader(xml);
    bool inside = false;
    while (!reader.atEnd()) {
        reader.readNext();
        const QString element = reader.name().toString();
        if (reader.isStartElement() && element == QLatin1String("interface"))
            inside = reader.attributes().value(QLatin1String("name")) == interface;
        else if (inside && reader.isStartElement() &&
                 (element == QLatin1String("method") || element == QLatin1String("signal")))
            members.append(element + u' ' + reader.attributes().value(QLatin1String("name")).toString() + u'(');
        else if (inside && reader.isStartElement() && element == QLatin1String("arg"))
            members.last() += QStringLiteral("%1 %2 %3,")
                                  .arg(reader.attributes().value(QLatin1String("type")),
                                       reader.attributes().value(QLatin1String("direction")),
                                       reader.attributes().value(QLatin1String("name")));
    }
    return members;
}

} // namespace

TEST_F(ProgramEndToEnd, PanelsAndScriptsReadTodayPauseItAndExportTheHistory)
{
    prepareReturningUser(*session, {kWatched});
    const QString yesterday = dayKey(QDateTime::currentDateTime().addDays(-1));
    {
        SqliteKeyValueStore defaults(storePath(*session));
        DayRecord past{yesterday, {{kWatched, 75, 3600.0, false}}, 75, std::nullopt, DayOutcome::WithinLimits};
        ASSERT_TRUE(UsageHistory(defaults).record(past, UsageHistory::defaultKeptDays));
    }
    const auto brindlemoor = [&](const QStringList& arguments, QString* output = nullptr) {
        return session->run(QStringLiteral(BRINDLEMOOR_BINARY), arguments, output);
    };
    const auto busctl = [&](const QStringList& arguments, QString* output = nullptr) {
        return session->run(QStringLiteral("busctl"),
                            QStringList{QStringLiteral("--user"), arguments.first(), RunningInstance::serviceName,
                                        RunningInstance::objectPath} +
                                arguments.mid(1),
                            output);
    };
    QString said;
    EXPECT_FALSE(brindlemoor({QStringLiteral("--status")})) << "nothing runs yet";

    ASSERT_TRUE(activate(*session, otherWindow));
    QProcess* program = startProgram();
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return showsTrayDot(*session); }));
    ASSERT_TRUE(activate(*session, watchedWindow));
    ASSERT_TRUE(countsOn(2));

    // What the bus says of the object is the installed description, and its answers have its types.
    QString introspected;
    ASSERT_TRUE(busctl({QStringLiteral("introspect"), QStringLiteral("--xml-interface")}, &introspected));
    QFile installed(QStringLiteral(BRINDLEMOOR_SOURCE_DIR "/data/io.github.brindlemoor.Brindlemoor.xml"));
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    const QStringList described =
        interfaceMembers(QString::fromUtf8(installed.readAll()), RunningInstance::interfaceName);
    EXPECT_EQ(described.size(), 8);
    EXPECT_EQ(interfaceMembers(introspected, RunningInstance::interfaceName), described);
    ASSERT_TRUE(busctl({QStringLiteral("call"), RunningInstance::interfaceName, QStringLiteral("GetStatus")}, &said));
    EXPECT_TRUE(said.startsWith(QStringLiteral("b(xxs)a(ssxxs) false "))) << said.toStdString();
    EXPECT_FALSE(busctl({QStringLiteral("call"), RunningInstance::interfaceName, QStringLiteral("Reset"),
                         QStringLiteral("s"), QStringLiteral("not-watched")}))
        << "only a watched application is reset";

    // A pause through the bus stops counting and hollows the dot; then every figure holds still.
    const QRect dot = trayDotArea(session->grab());
    ASSERT_TRUE(busctl({QStringLiteral("call"), RunningInstance::interfaceName, QStringLiteral("Pause")}));
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return !showsTrayDot(*session); })) << "the dot loses its colour";
    // Across the middle of where the dot was: the panel's colour, with the ring's darker stroke on either side.
    const QImage paused = session->grab();
    const QPoint middle = dot.center();
    const QRgb panel = paused.pixel(middle.x() + dot.width(), middle.y());
    const auto strokeBeside = [&](int step) {
        for (int x = middle.x(); std::abs(x - middle.x()) < dot.width(); x += step) {
            if (qGray(paused.pixel(x, middle.y())) < qGray(panel) - 40)
                return true;
        }
        return false;
    };
    EXPECT_EQ(paused.pixel(middle), panel) << "the ring is hollow";
    EXPECT_TRUE(strokeBeside(-1) && strokeBeside(1)) << "a ring is drawn where the dot was";
    EXPECT_TRUE(stopsCounting());
    const double counted = this->counted();

    ASSERT_TRUE(brindlemoor({QStringLiteral("--status"), QStringLiteral("--format"), QStringLiteral("json")}, &said));
    const QJsonObject status = QJsonDocument::fromJson(said.toUtf8()).object();
    EXPECT_TRUE(status.value(QStringLiteral("paused")).toBool());
    const QJsonObject app = status.value(QStringLiteral("apps")).toArray().at(0).toObject();
    EXPECT_EQ(app.value(QStringLiteral("id")).toString(), kWatched);
    EXPECT_EQ(app.value(QStringLiteral("name")).toString(), kWatched) << "the desktop entry's name";
    EXPECT_EQ(app.value(QStringLiteral("seconds")).toDouble(), counted);
    EXPECT_EQ(status.value(QStringLiteral("total")).toObject().value(QStringLiteral("seconds")).toDouble(), counted);

    const QString exported = session->configHome() + QStringLiteral("/export.csv");
    ASSERT_TRUE(brindlemoor({QStringLiteral("--export"), QStringLiteral("csv"), exported}));
    const auto rows = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"))
                                              : QStringList();
    };
    const QStringList expectedRows{
        QStringLiteral("day,application_id,name,seconds,limit_seconds,outcome"),
        QStringLiteral("%1,%2,%2,75,3600,within").arg(yesterday, kWatched),
        QStringLiteral("%1,%2,%2,%3,3600,within").arg(dayKey(QDateTime::currentDateTime()), kWatched).arg(counted),
        QString()};
    EXPECT_EQ(rows(exported), expectedRows);

    ASSERT_TRUE(busctl({QStringLiteral("call"), RunningInstance::interfaceName, QStringLiteral("Resume")}));
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsTrayDot(*session); })) << "the dot is back";
    EXPECT_TRUE(countsOn(1));
    ASSERT_TRUE(busctl({QStringLiteral("call"), RunningInstance::interfaceName, QStringLiteral("Pause")}));
    EXPECT_TRUE(stopsCounting());

    // Without the program the export reads the store as it was left, and writes nothing to it.
    ASSERT_TRUE(stopsCleanly(program));
    const auto storeFiles = [&] {
        QByteArray bytes;
        for (const QString& suffix : {QString(), QStringLiteral("-wal")}) {
            QFile file(storePath(*session) + suffix);
            bytes += file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
        return bytes;
    };
    const QByteArray before = storeFiles();
    ASSERT_TRUE(brindlemoor(
        {QStringLiteral("--export"), QStringLiteral("csv"), QStringLiteral("--days"), QStringLiteral("1")}, &said));
    EXPECT_EQ(said.split(QStringLiteral("\r\n")).value(1), QStringLiteral("%1,%2,%2,%3,3600,within")
                                                               .arg(dayKey(QDateTime::currentDateTime()), kWatched)
                                                               .arg(this->counted()));
    EXPECT_EQ(storeFiles(), before);
    EXPECT_FALSE(brindlemoor({QStringLiteral("--status")}));
}

TEST_F(ProgramEndToEnd, KeepsChangesInMemoryUntilItsFolderCanBeWritten)
{
    // Root writes through any mode bits; a file where the folder belongs stops root too.
    const QString folder = session->configHome() + QStringLiteral("/brindlemoor");
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QProcess* program = startProgram();
    ASSERT_TRUE(waitForShown(*session, kWelcome)) << "it starts without a store, and without its lock";
    ASSERT_TRUE(activate(*session, session->findWindow(kWelcome)));
    ASSERT_TRUE(getStarted());
    QString said;
    EXPECT_TRUE(DesktopSession::waitUntil([&] {
        said += QString::fromUtf8(program->readAllStandardError());
        return said.contains(QStringLiteral("cannot save"));
    })) << said.toStdString();

    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(stopsCleanly(program));
    said += QString::fromUtf8(program->readAllStandardError());
    EXPECT_EQ(said.count(QStringLiteral("cannot save")), 1) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("saved again"))) << said.toStdString();
    EXPECT_TRUE(SqliteKeyValueStore(storePath(*session)).boolValue(keys::hasSeenWelcome, false))
        << "what was kept in memory reaches the store once the folder can be made";
}

TEST_F(ProgramEndToEnd, WithoutATrayItSaysSoOnceAndIsReachedThroughASecondStart)
{
    startSession(false);
    prepareReturningUser(*session, {kWatched});
    ASSERT_TRUE(activate(*session, watchedWindow));
    QProcess* program = startProgram();
    EXPECT_TRUE(countsOn(2)) << "tracking goes on without a tray";

    // A second start asks the running one to show itself, says so in one line and exits.
    const auto startAgain = [&](const QStringList& arguments) {
        QProcess* second = startProgram(arguments);
        EXPECT_TRUE(second->waitForFinished(15000));
        EXPECT_EQ(second->exitCode(), 0);
        const QString said = QString::fromLocal8Bit(second->readAllStandardError());
        EXPECT_EQ(said.count(u'\n'), 1) << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("already running"))) << said.toStdString();
    };
    startAgain({});
    ASSERT_TRUE(waitForShown(*session, kUsage)) << "the running one opens its usage popover";
    EXPECT_TRUE(DesktopSession::waitUntil([&] {
        const QRect usage = session->geometry(session->findWindow(kUsage));
        return (usage.center() - QPoint(640, 400)).manhattanLength() <= 4;
    })) << "in the middle of the screen";
    EXPECT_TRUE(countsOn(2)) << "the running one keeps counting";

    // A click elsewhere closes it without a tray too; the desktop entry's Settings action opens the settings.
    ASSERT_TRUE(clickAt(*session, session->geometry(otherWindow).center()));
    EXPECT_TRUE(waitForShown(*session, kUsage, false));
    startAgain({QStringLiteral("--settings")});
    EXPECT_TRUE(waitForShown(*session, kSettings));

    // What a tray that starts later shows is for the tray panels' test.
    EXPECT_TRUE(stopsCleanly(program));
    EXPECT_EQ(QString::fromLocal8Bit(program->readAllStandardError()).count(QStringLiteral("no system tray")), 1);

    QProcess* wrong = startProgram({QStringLiteral("--bogus")});
    ASSERT_TRUE(wrong->waitForFinished(15000));
    EXPECT_EQ(wrong->exitCode(), 2);
    EXPECT_EQ(QString::fromLocal8Bit(wrong->readAllStandardError()).count(u'\n'), 1);
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
