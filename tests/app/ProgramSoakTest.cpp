// SPDX-License-Identifier: MIT
// The real program killed with SIGKILL at random moments while it counts, and started again
// each time. BRINDLEMOOR_SOAK_KILLS sets the number of kills (30 by default; scripts/soak.sh runs
// more) and BRINDLEMOOR_SOAK_SEED replays the delays of an earlier run.
#include "core/model/SettingsKeys.h"
#include "core/model/UsageRecords.h"
#include "platform/sqlite/SqliteKeyValueStore.h"
#include "support/ProgramTesting.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstdio>

using namespace brindlemoor;
using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

const QString kWatched = QStringLiteral("watched-term");

// The most counted time a kill may cost: what the usage store may hold back from the disk.
constexpr double kLossBound = 10;
// Ticks a busy machine may skip: a stalled event loop fires a late timer once, not once per
// second missed. Three seconds in twenty is far more than any run here has shown.
constexpr double kTimerSlack = 3;

/// The watched app's counters on disk; none when the store does not open or the document does not decode.
std::optional<Entry> storedEntry(const DesktopSession& session)
{
    SqliteKeyValueStore defaults(storePath(session));
    if (!defaults.isOpen())
        return std::nullopt;
    const auto state = PersistedState::decode(defaults.dataValue(keys::usageDailyData));
    if (!state)
        return std::nullopt;
    return state->entries.value(kWatched, Entry{kWatched, 0, 0, 0});
}

bool noLower(const Entry& later, const Entry& earlier)
{
    return later.cumulativeSeconds >= earlier.cumulativeSeconds && later.sessionSeconds >= earlier.sessionSeconds &&
           later.switchCount >= earlier.switchCount;
}

} // namespace

TEST(ProgramKilledAtRandom, KeepsWhatReachedTheDiskAndLosesLittleCountedTime)
{
    const int kills = qEnvironmentVariableIsSet("BRINDLEMOOR_SOAK_KILLS")
                          ? qEnvironmentVariableIntValue("BRINDLEMOOR_SOAK_KILLS")
                          : 30;
    const quint32 seed = qEnvironmentVariableIsSet("BRINDLEMOOR_SOAK_SEED")
                             ? qEnvironmentVariable("BRINDLEMOOR_SOAK_SEED").toUInt()
                             : QRandomGenerator::global()->generate();
    std::printf("%d kills; replay the delays with BRINDLEMOOR_SOAK_SEED=%u\n", kills, seed);
    SCOPED_TRACE("BRINDLEMOOR_SOAK_SEED=" + std::to_string(seed));
    QRandomGenerator random(seed);

    DesktopSession session;
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    writeDesktopEntry(session, kWatched, QStringLiteral("WatchedTerm"));
    const quint32 window =
        session.startXterm(QStringLiteral("Watched"), QStringLiteral("WatchedTerm"), QStringLiteral("watched"));
    ASSERT_NE(window, 0u);
    prepareReturningUser(session, {kWatched});
    ASSERT_TRUE(activate(session, window));

    Entry before{kWatched, 0, 0, 0};
    for (int kill = 1; kill <= kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        // Some input each round, so that a long run never turns the user idle.
        session.xdotool({QStringLiteral("mousemove"), QString::number(200 + kill % 7), QStringLiteral("200")});
        QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
        ASSERT_TRUE(program != nullptr && program->waitForStarted(10000));

        // Counting has resumed once the disk shows the switch to the app in front, which is saved
        // at once; the count itself follows every few seconds.
        std::optional<Entry> resumed;
        bool wentDown = false;
        ASSERT_TRUE(DesktopSession::waitUntil(
            [&] {
                resumed = storedEntry(session);
                wentDown = wentDown || (resumed && !noLower(*resumed, before));
                return resumed && resumed->switchCount > before.switchCount;
            },
            30s))
            << "the restarted program counts on";
        EXPECT_FALSE(wentDown) << "a counter went down after the restart";
        QElapsedTimer counting;
        counting.start();

        // Mostly short runs, to hit every phase of a save; every fifteenth outlasts the loss
        // bound, so that a program that stopped saving after its first write would fail.
        const int delayMs = kill % 15 == 0 ? random.bounded(15000, 18000) : random.bounded(300, 4000);
        Session::waitUntil([&] { return counting.elapsed() >= delayMs; }, std::chrono::milliseconds(delayMs + 1000));
        const auto beforeKill = storedEntry(session);
        const double countedFor = static_cast<double>(counting.elapsed() / 1000);
        ::kill(static_cast<pid_t>(program->processId()), SIGKILL);
        ASSERT_TRUE(program->waitForFinished(10000));

        const auto after = storedEntry(session);
        ASSERT_TRUE(after) << "the store opens and the usage document decodes after the kill";
        ASSERT_TRUE(beforeKill);
        EXPECT_TRUE(noLower(*beforeKill, *resumed));
        EXPECT_TRUE(noLower(*after, *beforeKill)) << "lost what had reached the disk: " << beforeKill->cumulativeSeconds
                                                  << " s before the kill, " << after->cumulativeSeconds << " s after";
        // At the first read the program had counted at least what the disk showed, and it has
        // counted one second per second since, with the watched app in front all along.
        const double countedAtLeast = resumed->cumulativeSeconds + countedFor - kTimerSlack;
        EXPECT_GE(after->cumulativeSeconds, countedAtLeast - kLossBound)
            << "counted for " << countedFor << " s after the disk showed " << resumed->cumulativeSeconds << " s";
        const QString said = QString::fromLocal8Bit(program->readAllStandardError());
        EXPECT_FALSE(said.contains(QStringLiteral("cannot")) || said.contains(QStringLiteral("Failed")) ||
                     said.contains(QStringLiteral("not a SQLite")))
            << said.toStdString();
        before = *after;
        if (::testing::Test::HasFailure())
            break;
    }
}
