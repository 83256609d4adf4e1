// SPDX-License-Identifier: MIT
// A floating widget of the real program on a real window manager: restored from the store
// at start-up, above the focused window, never taking the focus, on every desktop.
#include "core/foundation/JsonCoding.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "platform/sqlite/SqliteKeyValueStore.h"
#include "support/DesktopSession.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using namespace std::chrono_literals;

namespace {

const QString kTerminal = QStringLiteral("work-term");
// Where the widget was at the last quit (its window's top-left corner), and its card inside
// the window's shadow margin.
const QPoint kStored(400, 300);
const QRect kCard(kStored + QPoint(12, 12), QSize(280, 40));

// The window managers the harness can run; others join as it learns them.
DesktopSession::Options optionsFor(const std::string& windowManager)
{
    DesktopSession::Options options;
    options.windowManager = windowManager == "openbox";
    return options;
}

class FloatingWidgetOnDesktop : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        session = std::make_unique<DesktopSession>(optionsFor(GetParam()));
        ASSERT_TRUE(session->isReady()) << session->error().toStdString();
        ASSERT_TRUE(optionsFor(GetParam()).windowManager) << "no such window manager in the harness: " << GetParam();
        // The terminal is the watched application, so its widget is bright while it is in front.
        const QString applications = session->dataHome() + QStringLiteral("/applications");
        QDir().mkpath(applications);
        QFile entry(applications + QLatin1Char('/') + kTerminal + QStringLiteral(".desktop"));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Work Terminal\nExec=xterm\nStartupWMClass=WorkTerm\n");
        entry.close();

        const QString storePath = session->configHome() + QStringLiteral("/brindlemoor/defaults.sqlite3");
        QDir().mkpath(QFileInfo(storePath).path());
        SqliteKeyValueStore defaults(storePath);
        ASSERT_TRUE(defaults.isOpen());
        PreferencesStore prefs(defaults);
        prefs.addApp(kTerminal);
        // The share left is all of it: a full fill, plainly green against the terminal's white.
        prefs.setShowTimeRemaining(true);
        const QJsonObject position{{QStringLiteral("x"), kStored.x()}, {QStringLiteral("y"), kStored.y()}};
        defaults.setValue(keys::floatingWidgetPositions, json::compact({{kTerminal, position}}));
        // A returning user: no welcome takes the focus.
        defaults.setValue(keys::hasSeenWelcome, true);
    }

    void activate(quint32 window)
    {
        ASSERT_TRUE(
            session->xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)}));
        ASSERT_TRUE(DesktopSession::waitUntil([&] { return session->activeWindow() == window; }));
    }

    /// Whether the card's green fill covers most of its place on the screen now.
    bool cardShows() const
    {
        const QString path = session->configHome() + QStringLiteral("/screen.png");
        if (!session->screenshot(path))
            return false;
        const QImage screen(path);
        int green = 0;
        for (int y = kCard.top(); y <= kCard.bottom(); ++y) {
            for (int x = kCard.left(); x <= kCard.right(); ++x) {
                const QColor pixel = screen.pixelColor(x, y);
                green += pixel.green() > pixel.red() + 30 && pixel.green() > pixel.blue() + 15 ? 1 : 0;
            }
        }
        return green > kCard.width() * kCard.height() / 2;
    }

    std::unique_ptr<DesktopSession> session;
};

} // namespace

TEST_P(FloatingWidgetOnDesktop, StaysAboveTheFocusedWindowLeavesItTheFocusAndShowsOnEveryDesktop)
{
    const quint32 terminal =
        session->startXterm(QStringLiteral("Work"), QStringLiteral("WorkTerm"), QStringLiteral("work"));
    ASSERT_NE(terminal, 0u);
    const QString id = QString::number(terminal);
    // The terminal covers the widget's place.
    ASSERT_TRUE(session->xdotool({QStringLiteral("windowsize"), id, QStringLiteral("900"), QStringLiteral("600")}));
    ASSERT_TRUE(session->xdotool({QStringLiteral("windowmove"), id, QStringLiteral("100"), QStringLiteral("100")}));
    activate(terminal);

    QProcess* program = session->start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return cardShows(); }, 15s)) << "restored where it stood, on top";

    // The terminal in front again, as after a click on it: the widget stays above.
    activate(terminal);
    ASSERT_TRUE(session->xdotool({QStringLiteral("windowraise"), id}));
    EXPECT_TRUE(cardShows());

    // A click on the card acts without taking the focus from the terminal.
    ASSERT_TRUE(session->xdotool({QStringLiteral("mousemove"), QString::number(kCard.center().x()),
                                  QString::number(kCard.center().y()), QStringLiteral("click"), QStringLiteral("1")}));
    DesktopSession::waitUntil([&] { return session->activeWindow() != terminal; }, 1500ms);
    EXPECT_EQ(session->activeWindow(), terminal);

    // On another desktop the terminal is gone and the widget is still there.
    ASSERT_TRUE(session->xdotool({QStringLiteral("set_desktop"), QStringLiteral("1")}));
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return session->findWindow(QStringLiteral("Work")) == 0; }));
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return cardShows(); }, 5s));

    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    EXPECT_TRUE(program->waitForFinished(15000));
    EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, FloatingWidgetOnDesktop, ::testing::Values("openbox"),
                         [](const auto& info) { return info.param; });
