// SPDX-License-Identifier: MIT
// The cost of one counted second: the program's whole path after a tick (the count, the save and
// its disk write, the limits, the tray image), per second of virtual time, against the literal
// design of encoding the whole document and writing it every second.
#include "bench/BenchDay.h"
#include "bench/HeadlessProgram.h"
#include "bench/ProcessFigures.h"

#include "core/foundation/JsonCoding.h"
#include "core/model/SettingsKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#if __has_include(<valgrind/callgrind.h>)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wold-style-cast"
#include <valgrind/callgrind.h>
#define BRINDLEMOOR_HAS_CALLGRIND 1
#endif

namespace brindlemoor::bench {
namespace {

using namespace std::chrono_literals;

constexpr int measuredSeconds = 600;
// Under callgrind every instruction is simulated; fewer seconds still span several checkpoints of the WAL.
constexpr int callgrindSeconds = 60;
constexpr int warmUpSeconds = 10;

const QDateTime evening(QDate(2026, 3, 10), QTime(20, 0));
const QDateTime morning(QDate(2026, 3, 10), QTime(7, 0));

void startInstructionCount()
{
#ifdef BRINDLEMOOR_HAS_CALLGRIND
    CALLGRIND_ZERO_STATS;
    CALLGRIND_START_INSTRUMENTATION;
#endif
}

void stopInstructionCount()
{
#ifdef BRINDLEMOOR_HAS_CALLGRIND
    CALLGRIND_STOP_INSTRUMENTATION;
#endif
}

/// CPU microseconds per counted second of the program with `intervals` closed stretches today.
double programTickMicroseconds(const QString& folder, int intervals, int seconds, bool countInstructions)
{
    const QStringList apps = watchedApps();
    HeadlessProgram program(QDir(folder).filePath(QStringLiteral("program-%1.sqlite3").arg(intervals)), evening);
    if (!program.disk.isOpen()) {
        std::fprintf(stderr, "tick bench: cannot open the store: %s\n", qPrintable(program.disk.errorText()));
        std::exit(1);
    }
    prepareStore(program.defaults, apps, dayWithIntervals(apps, intervals, morning, evening));
    program.activeApps.frontmost = RunningApp{apps.constFirst()};
    program.finishLaunching();
    program.scheduler.advance(std::chrono::seconds(warmUpSeconds));

    const double countedBefore = program.usage->entries().value(apps.constFirst()).cumulativeSeconds;
    if (countInstructions)
        startInstructionCount();
    const double before = processCpuSeconds();
    for (int i = 0; i < seconds; ++i)
        program.scheduler.advance(1s);
    const double after = processCpuSeconds();
    if (countInstructions)
        stopInstructionCount();

    // A run that counted nothing measured nothing.
    const double counted = program.usage->entries().value(apps.constFirst()).cumulativeSeconds - countedBefore;
    if (counted != seconds || program.usage->todayIntervals().size() != intervals) {
        std::fprintf(stderr, "tick bench: counted %.0f of %d seconds over %lld intervals\n", counted, seconds,
                     static_cast<long long>(program.usage->todayIntervals().size()));
        std::exit(1);
    }
    return (after - before) * 1e6 / seconds;
}

QJsonObject naiveInterval(const UsageInterval& interval)
{
    QJsonObject object{{QStringLiteral("id"), json::uuidText(interval.id)},
                       {QStringLiteral("bundleID"), interval.bundleID},
                       {QStringLiteral("start"), json::timestampFromDateTime(interval.start)}};
    if (interval.end)
        object.insert(QStringLiteral("end"), json::timestampFromDateTime(*interval.end));
    return object;
}

/// The whole document, built and written out afresh, as the literal design does every second.
QByteArray naiveEncode(const PersistedState& state)
{
    QJsonObject entries;
    for (const Entry& entry : state.entries) {
        entries.insert(entry.bundleID, QJsonObject{{QStringLiteral("bundleID"), entry.bundleID},
                                                   {QStringLiteral("sessionSeconds"), entry.sessionSeconds},
                                                   {QStringLiteral("cumulativeSeconds"), entry.cumulativeSeconds},
                                                   {QStringLiteral("switchCount"), entry.switchCount}});
    }
    QJsonArray intervals;
    for (const UsageInterval& interval : state.todayIntervals)
        intervals.append(naiveInterval(interval));
    QJsonObject extensions;
    for (auto it = state.appExtensions.begin(); it != state.appExtensions.end(); ++it)
        extensions.insert(it.key(), it.value());
    QJsonObject document{{QStringLiteral("entries"), entries},
                         {QStringLiteral("todayIntervals"), intervals},
                         {QStringLiteral("lastResetDay"), state.lastResetDay},
                         {QStringLiteral("todayBreachHours"), encodeBreachHours(state.todayBreachHours)},
                         {QStringLiteral("appExtensions"), extensions},
                         {QStringLiteral("dailyExtension"), state.dailyExtension}};
    if (state.currentInterval)
        document.insert(QStringLiteral("currentInterval"), naiveInterval(*state.currentInterval));
    return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

double naiveTickMicroseconds(const QString& folder, int intervals)
{
    const QStringList apps = watchedApps();
    SqliteKeyValueStore disk(QDir(folder).filePath(QStringLiteral("naive-%1.sqlite3").arg(intervals)));
    // The program's own state as it loads it: decoded instants are UTC, which encode far faster than local ones.
    PersistedState state = *PersistedState::decode(*dayWithIntervals(apps, intervals, morning, evening).encode());
    state.currentInterval = UsageInterval{QUuid::createUuid(), apps.constFirst(), evening, std::nullopt};
    Entry& entry = state.entries[apps.constFirst()];
    const auto tick = [&] {
        entry.sessionSeconds += 1;
        entry.cumulativeSeconds += 1;
        if (!disk.setValue(keys::usageDailyData, naiveEncode(state))) {
            std::fprintf(stderr, "tick bench: the naive store refused a write: %s\n", qPrintable(disk.errorText()));
            std::exit(1);
        }
    };
    for (int i = 0; i < warmUpSeconds; ++i)
        tick();
    const double before = processCpuSeconds();
    for (int i = 0; i < measuredSeconds; ++i)
        tick();
    return (processCpuSeconds() - before) * 1e6 / measuredSeconds;
}

} // namespace
} // namespace brindlemoor::bench

int main(int argc, char** argv)
{
    using namespace brindlemoor::bench;
    QCoreApplication app(argc, argv);
    const bool callgrind = argc > 1 && std::strcmp(argv[1], "--callgrind") == 0;
    if (argc > 2 || (argc == 2 && !callgrind)) {
        std::fprintf(stderr, "usage: brindlemoor-tick-bench [--callgrind]\n"
                             "  --callgrind: only the day of 1000 intervals, counted under\n"
                             "  valgrind --tool=callgrind --instr-atstart=no\n");
        return 2;
    }
    // The stores go where the bench is run, on the disk the program would use, not in /tmp.
    QTemporaryDir folder(QDir::current().filePath(QStringLiteral("tick-bench-XXXXXX")));
    if (!folder.isValid()) {
        std::fprintf(stderr, "tick bench: cannot make a folder in %s\n", qPrintable(QDir::currentPath()));
        return 1;
    }
    if (isInMemory(folder.path()))
        std::fprintf(stderr, "tick bench: %s is in memory; the disk writes cost less here than on a disk\n",
                     qPrintable(folder.path()));

    if (callgrind) {
#ifdef BRINDLEMOOR_HAS_CALLGRIND
        programTickMicroseconds(folder.path(), 1000, callgrindSeconds, true);
        printFigure("callgrind_ticks_k1000", callgrindSeconds, "ticks", 0);
        return 0;
#else
        std::fprintf(stderr, "tick bench: built without valgrind/callgrind.h (install valgrind and rebuild)\n");
        return 1;
#endif
    }

    for (const int intervals : {100, 1000, 5000}) {
        const double us = programTickMicroseconds(folder.path(), intervals, measuredSeconds, false);
        printFigure(qPrintable(QStringLiteral("tick_cpu_us_k%1").arg(intervals)), us, "us");
        if (intervals == 1000) {
            const double naive = naiveTickMicroseconds(folder.path(), intervals);
            printFigure("naive_tick_cpu_us_k1000", naive, "us");
            printFigure("tick_vs_naive_k1000", us / naive, "x", 2);
        }
    }
    return 0;
}

#ifdef BRINDLEMOOR_HAS_CALLGRIND
#pragma GCC diagnostic pop
#endif
