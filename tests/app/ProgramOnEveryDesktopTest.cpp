// SPDX-License-Identifier: MIT
// The real program under each window manager: a day seeded a few seconds short of its
// limit, a full-screen watched terminal, and the overlay that follows, from outside.
#include "core/foundation/Clock.h"
#include "core/model/PreferencesStore.h"
#include "core/model/UsageStore.h"
#include "platform/sqlite/SqliteKeyValueStore.h"
#include "support/ProgramTesting.h"
#include "support/WindowManagerSetup.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

const QString kWatched = QStringLiteral("watched-term");
constexpr double kSeeded = 50; // the overlay comes at 53 of the 60 seconds

class ProgramOnEveryDesktop : public ::testing::TestWithParam<WindowManagerSetup> {
protected:
    void SetUp() override
    {
        if (!DesktopSession::isInstalled(GetParam().manager))
            GTEST_SKIP() << DesktopSession::programName(GetParam().manager).toStdString() << " is not installed";
        session = std::make_unique<DesktopSession>(GetParam().options());
        ASSERT_TRUE(session->isReady()) << session->error().toStdString();
        writeDesktopEntry(*session, kWatched, QStringLiteral("WatchedTerm"));
        // A returning user: the only window of the program is the overlay.
        prepareReturningUser(*session, {kWatched});
        SqliteKeyValueStore defaults(storePath(*session));
        PreferencesStore prefs(defaults);
        prefs.setDailyLimitMinutes(1);
        SystemClock clock;
        UsageStore usage(defaults, clock);
        for (int second = 0; second < kSeeded; ++second)
            usage.tick(kWatched);
    }

    double counted() const { return countedSeconds(*session, kWatched); }

    std::unique_ptr<DesktopSession> session;
};

} // namespace

TEST_P(ProgramOnEveryDesktop, TheOverlayComesAndGoesWhileCountingGoesOn)
{
    BehaviourReport report(GetParam());
    const quint32 terminal =
        session->startXterm(QStringLiteral("Watched"), QStringLiteral("WatchedTerm"), QStringLiteral("watched"));
    ASSERT_NE(terminal, 0U) << session->error().toStdString();
    ASSERT_TRUE(session->setFullScreen(terminal));
    ASSERT_TRUE(activate(*session, terminal));

    QProcess* program = session->start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);
    const qint64 pid = program->processId();
    // The program has no window but the overlay (without a tray host its icon has none).
    const auto overlayShown = [&] { return !session->viewableWindowsOf(pid).isEmpty(); };
    report.record("the program counts", DesktopSession::waitUntil([&] { return counted() > kSeeded; }, 15s));
    bool holds = DesktopSession::waitUntil(overlayShown, 15s);
    if (report.record("its overlay is shown at the limit", holds, QStringLiteral("at %1 s").arg(counted()))) {
        const QList<quint32> overlay = session->viewableWindowsOf(pid);
        report.record("above the full-screen terminal",
                      !overlay.isEmpty() && session->isStackedAbove(overlay.constFirst(), terminal));
        holds = DesktopSession::waitUntil([&] { return !overlayShown(); }, 12s);
        report.record("its overlay closes itself", holds, QStringLiteral("at %1 s").arg(counted()));
    }
    const double after = counted();
    // The count reaches the disk every few seconds.
    holds = DesktopSession::waitUntil([&] { return counted() >= after + 2; },
                                      std::chrono::seconds(UsageStore::ticksPerSave + 6));
    report.record("counting goes on", holds, QStringLiteral("%1 s, then %2 s").arg(after).arg(counted()));
    report.record("the terminal has the focus", session->activeWindow() == terminal);

    EXPECT_TRUE(stopsCleanly(program));
}

INSTANTIATE_TEST_SUITE_P(EveryDesktop, ProgramOnEveryDesktop, ::testing::ValuesIn(WindowManagerSetup::chosen()),
                         WindowManagerSetupName{});
