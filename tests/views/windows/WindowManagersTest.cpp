// SPDX-License-Identifier: MIT
// Our windows under the window managers of the common desktops: each test runs one manager
// (with its compositor on or off) in a private X session and drives our windows through it.
#include "core/foundation/WindowSystem.h"
#include "platform/fake/ManualScheduler.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XInput2ClickSource.h"
#include "support/ProgramTesting.h"
#include "views/components/Appearance.h"
#include "views/components/PopoverWindow.h"
#include "views/components/WindowRecipes.h"
#include "views/status/BreakOverlayController.h"
#include "views/status/BreakOverlayView.h"
#include "views/status/OverlayButton.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

using namespace brindlemoor;
using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

/// One window manager with its compositor on or off.
struct WindowManagerSetup {
    WindowManager manager = WindowManager::Openbox;
    bool compositor = false;

    /// "kwin_x11 composited", "xfwm4 plain", ...
    QString name() const
    {
        const QString program = DesktopSession::programName(manager);
        if (!DesktopSession::hasCompositorSwitch(manager))
            return program;
        return program + (compositor ? QStringLiteral(" composited") : QStringLiteral(" plain"));
    }
    std::string testName() const { return name().replace(u' ', u'_').toStdString(); }
};

void PrintTo(const WindowManagerSetup& setup, std::ostream* out)
{
    *out << setup.testName();
}

/// The setups of every CI run; marco too where BRINDLEMOOR_EVERY_WINDOW_MANAGER is set
/// (scripts/check-window-managers.sh).
std::vector<WindowManagerSetup> chosenSetups()
{
    std::vector<WindowManagerSetup> setups = {
        {WindowManager::Openbox, false}, {WindowManager::Xfwm4, false}, {WindowManager::Xfwm4, true},
        {WindowManager::KWin, false},    {WindowManager::KWin, true},   {WindowManager::Mutter, true},
    };
    if (qEnvironmentVariableIsSet("BRINDLEMOOR_EVERY_WINDOW_MANAGER")) {
        setups.push_back({WindowManager::Marco, false});
        setups.push_back({WindowManager::Marco, true});
    }
    return setups;
}

/// Says one line per behaviour, "<setup> | <behaviour> | yes|NO", for the hand-run script to
/// collect, and makes each a test expectation.
class BehaviourReport final {
public:
    explicit BehaviourReport(const WindowManagerSetup& setup)
        : m_setup(setup.name())
    {
    }

    /// Returns `holds`, so that a test can stop where later behaviours depend on this one.
    bool record(const char* behaviour, bool holds, const QString& detail = {})
    {
        std::printf("%-20s | %-36s | %s%s\n", qPrintable(m_setup), behaviour, holds ? "yes" : "NO",
                    detail.isEmpty() ? "" : qPrintable(QStringLiteral(" (%1)").arg(detail)));
        std::fflush(stdout);
        EXPECT_TRUE(holds) << behaviour << " on " << m_setup.toStdString() << ' ' << detail.toStdString();
        return holds;
    }
    /// A line that is not a requirement, e.g. where the focus went.
    void note(const char* what, const QString& value)
    {
        std::printf("%-20s | %-36s | %s\n", qPrintable(m_setup), what, qPrintable(value));
        std::fflush(stdout);
    }

private:
    QString m_setup;
};

/// A session with the manager under test and this process's QApplication on its display.
/// Qt connects to one display per process, so each setup runs in a process of its own (as
/// ctest runs every test case).
class WindowManagers : public ::testing::TestWithParam<WindowManagerSetup> {
protected:
    void SetUp() override
    {
        if (!DesktopSession::isInstalled(GetParam().manager))
            GTEST_SKIP() << DesktopSession::programName(GetParam().manager).toStdString() << " is not installed";
        static bool applicationMade = false;
        ASSERT_FALSE(applicationMade) << "one window manager per process: run each test case on its own";
        applicationMade = true;
        session = std::make_unique<DesktopSession>(
            DesktopSession::Options{.manager = GetParam().manager, .compositor = GetParam().compositor});
        ASSERT_TRUE(session->isReady()) << session->error().toStdString();
        session->exportToThisProcess();
        qputenv("QT_QPA_PLATFORM", "xcb");
        application = std::make_unique<QApplication>(argc, argv);
        windowSystem = X11WindowSystem::forApplication();
    }

    void TearDown() override
    {
        windowSystem.reset();
        application.reset();
        session.reset();
    }

    /// A terminal with the focus; full screen is where a person watching a film would be.
    quint32 terminal(bool fullScreen)
    {
        const quint32 window =
            session->startXterm(QStringLiteral("Film"), QStringLiteral("FilmTerm"), QStringLiteral("film"));
        EXPECT_NE(window, 0U) << session->error().toStdString();
        if (fullScreen) {
            EXPECT_TRUE(session->setFullScreen(window));
        }
        EXPECT_TRUE(activate(*session, window));
        return window;
    }

    /// Shows the second desktop (KWin starts with one) and reports whether `window` is seen there.
    bool seenOnAnotherDesktop(quint32 window)
    {
        const bool seen = session->xdotool({QStringLiteral("set_num_desktops"), QStringLiteral("2")}) &&
                          session->xdotool({QStringLiteral("set_desktop"), QStringLiteral("1")}) &&
                          DesktopSession::waitUntil([&] { return session->currentDesktop() == 1; }) &&
                          session->isViewable(window);
        EXPECT_TRUE(session->xdotool({QStringLiteral("set_desktop"), QStringLiteral("0")}));
        EXPECT_TRUE(DesktopSession::waitUntil([&] { return session->currentDesktop() == 0; }));
        return seen;
    }

    /// Whether the screen shows something dark at `point`, where the terminal is white.
    bool darkOnScreen(QPoint point)
    {
        const QImage screen = session->grab();
        return !screen.isNull() && screen.pixelColor(point).lightness() < 160;
    }

    int argc = 1;
    char name[8] = "windows";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<DesktopSession> session;
    std::unique_ptr<QApplication> application;
    std::unique_ptr<WindowSystem> windowSystem;
};

} // namespace

TEST_P(WindowManagers, BreakOverlayShowsOverAFullScreenWindowTakesClicksAndGivesTheFocusBack)
{
    BehaviourReport report(GetParam());
    const quint32 terminal = this->terminal(true);
    ASSERT_FALSE(HasFailure());

    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(15, 0))};
    ManualScheduler scheduler{clock};
    Appearance appearance;
    BreakOverlayController overlay(appearance, scheduler, *windowSystem);
    int extended = 0;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint backdrop(40, screen.height() / 2);

    const auto showOverlay = [&] {
        overlay.show(15, [&extended] { ++extended; });
        const quint32 window = static_cast<quint32>(overlay.view()->winId());
        return DesktopSession::waitUntil([&] { return session->isViewable(window); }, 5s) ? window : 0U;
    };
    const auto closedWithFocusBack = [&] {
        return DesktopSession::waitUntil([&] { return !overlay.isShown(); }) &&
               DesktopSession::waitUntil([&] { return session->activeWindow() == terminal; }, 3s);
    };

    const quint32 window = showOverlay();
    if (!report.record("overlay shown", window != 0))
        return;
    report.note("the focus while shown", session->activeWindow() == terminal
                                             ? QStringLiteral("kept by the terminal")
                                             : QStringLiteral("0x%1").arg(session->activeWindow(), 0, 16));
    report.record("stacked above the full-screen window",
                  DesktopSession::waitUntil([&] { return session->isStackedAbove(window, terminal); }, 3s));
    report.record("seen over the full-screen window",
                  DesktopSession::waitUntil([&] { return darkOnScreen(backdrop); }, 3s));

    OverlayButton& extend = overlay.view()->extendButton();
    ASSERT_TRUE(clickAt(*session, extend.mapToGlobal(extend.capsuleRect().center().toPoint())));
    report.record("a click on Extend extends and closes",
                  DesktopSession::waitUntil([&] { return extended == 1 && !overlay.isShown(); }, 3s));
    report.record("focus back after Extend", closedWithFocusBack());

    if (!report.record("shown again", showOverlay() != 0))
        return;
    ASSERT_TRUE(clickAt(*session, backdrop));
    report.record("a click on the backdrop closes",
                  DesktopSession::waitUntil([&] { return !overlay.isShown(); }, 3s) && extended == 1);
    report.record("focus back after the backdrop", closedWithFocusBack());

    const quint32 third = showOverlay();
    if (!report.record("shown a third time", third != 0))
        return;
    report.record("on another desktop too", seenOnAnotherDesktop(third));
    scheduler.advance(BreakOverlayView::selfCloseDelay + 100ms);
    report.record("closes itself", DesktopSession::waitUntil([&] { return !session->isViewable(third); }, 3s));
    report.record("focus back after closing itself", closedWithFocusBack());
}

TEST_P(WindowManagers, FloatingWindowsStayAboveOnEveryDesktopOutOfTaskbarsAndLeaveTheFocus)
{
    BehaviourReport report(GetParam());
    const quint32 terminal = this->terminal(false);
    ASSERT_FALSE(HasFailure());

    // A floating widget as the views make one: the recipe, then the window system.
    QWidget panel;
    windows::makeFloatingPanel(&panel);
    panel.setGeometry(900, 100, 200, 80);
    panel.winId();
    QWindow* handle = panel.windowHandle();
    windowSystem->keepAbove(handle);
    windowSystem->skipTaskbarAndPager(handle);
    windowSystem->placeOnAllDesktops(handle);
    panel.show();
    const quint32 id = static_cast<quint32>(panel.winId());
    if (!report.record("widget shown", DesktopSession::waitUntil([&] { return session->isViewable(id); }, 5s)))
        return;
    const auto kept = [&](const QString& state) { return session->windowStates(id).contains(state); };
    report.record("widget kept above",
                  DesktopSession::waitUntil([&] { return kept(QStringLiteral("_NET_WM_STATE_ABOVE")); }));
    report.record("widget out of taskbars and pagers", DesktopSession::waitUntil([&] {
                      return kept(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")) &&
                             kept(QStringLiteral("_NET_WM_STATE_SKIP_PAGER"));
                  }));
    report.record("widget on every desktop",
                  DesktopSession::waitUntil([&] { return session->desktopOf(id) == 0xFFFFFFFF; }) &&
                      seenOnAnotherDesktop(id));
    EXPECT_TRUE(activate(*session, terminal));
    report.record("widget above the active window", session->isStackedAbove(id, terminal));
    // Where the server has the widget: a click that missed it would land on the desktop,
    // which takes the focus from everyone.
    const QRect placed = session->geometry(id);
    ASSERT_TRUE(clickAt(*session, placed.center()));
    QString under;
    session->xdotool({QStringLiteral("getmouselocation")}, &under);
    report.record("widget leaves the focus where it was, also when clicked",
                  !DesktopSession::waitUntil([&] { return session->activeWindow() != terminal; }, 1s),
                  QStringLiteral("active 0x%1, widget at %2,%3, pointer: %4")
                      .arg(session->activeWindow(), 0, 16)
                      .arg(placed.x())
                      .arg(placed.y())
                      .arg(under.trimmed()));

    // A transient popover closes on a click elsewhere, which the global click source reports.
    Appearance appearance;
    PopoverWindow popover(appearance);
    XInput2ClickSource clicks(session->display());
    QObject::connect(&clicks, &ClickSource::pressed, &popover, qOverload<>(&PopoverWindow::handleGlobalClick));
    ASSERT_TRUE(clicks.start());
    popover.showPopover(new QLabel(QStringLiteral("Settings")), PopoverAnchor::fromPoint(QPoint(640, 30)));
    const quint32 popoverId = static_cast<quint32>(popover.winId());
    if (!report.record("popover shown", DesktopSession::waitUntil([&] { return session->isViewable(popoverId); }, 5s)))
        return;
    report.record("popover takes the keyboard focus",
                  DesktopSession::waitUntil([&] { return session->activeWindow() == popoverId; }, 3s),
                  QStringLiteral("active 0x%1").arg(session->activeWindow(), 0, 16));
    ASSERT_TRUE(clickAt(*session, popover.geometry().center()));
    report.record("popover stays open on a click inside",
                  !DesktopSession::waitUntil([&] { return !popover.isShown(); }, 1s));
    ASSERT_TRUE(clickAt(*session, QPoint(300, 500)));
    report.record("popover closes on a click elsewhere",
                  DesktopSession::waitUntil([&] { return !popover.isShown(); }, 3s));
    // Shown again by the program alone, long after any input of ours, as on a tray host's call.
    popover.showPopover(new QLabel(QStringLiteral("Info")), PopoverAnchor::fromPoint(QPoint(640, 30)));
    windowSystem->activate(popover.windowHandle());
    report.record("popover takes the focus when shown on a call",
                  DesktopSession::waitUntil([&] { return session->activeWindow() == popoverId; }, 3s),
                  QStringLiteral("active 0x%1").arg(session->activeWindow(), 0, 16));
    // Qt hears of the focus a little after the window manager says so, and a key sent in
    // between goes nowhere: the key is sent again until the popover closes or time is up.
    const auto closedByEscape = [&] {
        session->xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        return DesktopSession::waitUntil([&] { return !popover.isShown(); }, 500ms);
    };
    report.record("popover closes on Escape", DesktopSession::waitUntil(closedByEscape, 4s));
}

INSTANTIATE_TEST_SUITE_P(EveryDesktop, WindowManagers, ::testing::ValuesIn(chosenSetups()),
                         [](const auto& info) { return info.param.testName(); });
