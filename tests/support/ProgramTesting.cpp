// SPDX-License-Identifier: MIT
#include "support/ProgramTesting.h"

#include "core/foundation/Clock.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/UsageRecords.h"
#include "core/model/UsageStore.h"
#include "core/status/PopoverController.h"
#include "platform/sqlite/SqliteKeyValueStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>

namespace brindlemoor::test {

using namespace std::chrono_literals;

namespace {

// While counting, the count reaches the disk this often.
constexpr std::chrono::seconds savePeriod{UsageStore::ticksPerSave};

} // namespace

QString storePath(const Session& session)
{
    const QString path = session.configHome() + QStringLiteral("/brindlemoor/defaults.sqlite3");
    QDir().mkpath(QFileInfo(path).path());
    return path;
}

void writeDesktopEntry(const Session& session, const QString& id, const QString& wmClass)
{
    const QString folder = session.dataHome() + QStringLiteral("/applications");
    QDir().mkpath(folder);
    QFile file(folder + u'/' + id + QStringLiteral(".desktop"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=xterm\nStartupWMClass=%2\n")
                   .arg(id, wmClass)
                   .toUtf8());
}

void prepareReturningUser(const Session& session, const QStringList& apps)
{
    SqliteKeyValueStore defaults(storePath(session));
    ASSERT_TRUE(defaults.isOpen());
    PreferencesStore prefs(defaults);
    for (const QString& app : apps)
        prefs.addApp(app);
    defaults.setValue(keys::hasSeenWelcome, true);
}

void seedDayNearTheLimit(const Session& session, const QString& app, double seconds)
{
    SqliteKeyValueStore defaults(storePath(session));
    PreferencesStore(defaults).setDailyLimitMinutes(1);
    SystemClock clock;
    UsageStore usage(defaults, clock);
    while (usage.totalSecondsToday() < seconds)
        usage.tick(app);
    usage.flush();
}

double countedSeconds(const Session& session, const QString& app)
{
    SqliteKeyValueStore defaults(storePath(session));
    const auto state = PersistedState::decode(defaults.dataValue(keys::usageDailyData));
    return state ? state->entries.value(app).cumulativeSeconds : 0.0;
}

bool countsOn(const Session& session, const QString& app, double seconds)
{
    const double target = countedSeconds(session, app) + seconds;
    return Session::waitUntil([&] { return countedSeconds(session, app) >= target; }, savePeriod + 8s);
}

bool stopsCounting(const Session& session, const QString& app, std::optional<std::chrono::seconds> within)
{
    double last = countedSeconds(session, app);
    QElapsedTimer still;
    still.start();
    return Session::waitUntil(
        [&] {
            if (const double now = countedSeconds(session, app); now != last) {
                last = now;
                still.restart();
            }
            return still.elapsed() >= std::chrono::milliseconds(savePeriod + 1500ms).count();
        },
        within.value_or(2 * savePeriod + 5s));
}

QRect trayDotArea(const QImage& screen, const QRect& area)
{
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    const QRect searched = area & image.rect();
    QRect found;
    for (int y = searched.top(); y <= searched.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = searched.left(); x <= searched.right(); ++x) {
            if (std::abs(qRed(line[x]) - 51) <= 16 && std::abs(qGreen(line[x]) - 199) <= 16 &&
                std::abs(qBlue(line[x]) - 189) <= 16)
                found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

double shareOf(const QImage& screen, QRgb colour)
{
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    qint64 matching = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        matching += std::count(line, line + image.width(), colour);
    }
    return image.isNull() ? 0.0 : double(matching) / (double(image.width()) * image.height());
}

bool showsTrayDot(const DesktopSession& session)
{
    return !trayDotArea(session.grab()).isEmpty();
}

bool clickAt(const DesktopSession& session, QPoint at, int button, bool alt)
{
    // The program takes a press and a tray click this close together for one click.
    static QElapsedTimer lastClick;
    if (lastClick.isValid())
        Session::waitUntil([] { return lastClick.elapsed() > PopoverController::sameClickWindow.count(); }, 2s);
    lastClick.start();
    QStringList arguments{QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())};
    if (alt)
        arguments << QStringLiteral("keydown") << QStringLiteral("alt");
    arguments << QStringLiteral("click") << QString::number(button);
    if (alt)
        arguments << QStringLiteral("keyup") << QStringLiteral("alt");
    return session.xdotool(arguments);
}

bool activate(const DesktopSession& session, quint32 window)
{
    return session.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)}) &&
           DesktopSession::waitUntil([&] { return session.activeWindow() == window; });
}

bool waitForShown(const DesktopSession& session, const QString& title, bool shown, std::chrono::milliseconds within)
{
    return DesktopSession::waitUntil(
        [&] {
            const quint32 window = session.findWindow(title);
            return (window != 0 && session.isViewable(window)) == shown;
        },
        within);
}

::testing::AssertionResult stopsCleanly(QProcess* program, int signal)
{
    // A program that has already ended has no pid, and kill(0) would signal the test's own group.
    if (const auto pid = static_cast<pid_t>(program->processId()); pid > 0)
        ::kill(pid, signal);
    else
        return ::testing::AssertionFailure()
               << "it had ended already: " << program->readAllStandardError().right(3000).toStdString();
    if (program->waitForFinished(15000) && program->exitStatus() == QProcess::NormalExit && program->exitCode() == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "exit status " << program->exitStatus() << ", code " << program->exitCode()
                                         << ": " << program->readAllStandardError().right(3000).toStdString();
}

} // namespace brindlemoor::test
