// SPDX-License-Identifier: MIT
// Memory over a fortnight of use in virtual time: the front app changes among ten watched apps
// every ten seconds while the user is awake; each night the screen locks, the machine sleeps and
// the next morning's first tick closes the day.
#include "bench/BenchDay.h"
#include "bench/HeadlessProgram.h"
#include "bench/ProcessFigures.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    using namespace brindlemoor;
    using namespace brindlemoor::bench;
    using namespace std::chrono_literals;
    QCoreApplication app(argc, argv);

    constexpr int days = 14;
    constexpr int switchEverySeconds = 10;
    // Every counted second saves the day's document, which grows with each switch: a fortnight of
    // 16-hour days with a switch every ten seconds takes hours of real time, so the bench wakes for one.
    int awakeHours = 1;
    if (argc == 3 && std::strcmp(argv[1], "--awake-hours") == 0)
        awakeHours = std::atoi(argv[2]);
    if ((argc != 1 && argc != 3) || awakeHours < 1 || awakeHours > 16) {
        std::fprintf(stderr, "usage: brindlemoor-fortnight-memory [--awake-hours 1..16]\n");
        return 2;
    }

    QTemporaryDir folder(QDir::current().filePath(QStringLiteral("fortnight-XXXXXX")));
    if (!folder.isValid())
        return 1;
    const QDateTime firstMorning(QDate(2026, 3, 2), QTime(7, 0));
    HeadlessProgram program(folder.filePath(QStringLiteral("defaults.sqlite3")), firstMorning);
    if (!program.disk.isOpen()) {
        std::fprintf(stderr, "fortnight: cannot open the store: %s\n", qPrintable(program.disk.errorText()));
        return 1;
    }
    const QStringList apps = watchedApps();
    prepareStore(program.defaults, apps, dayWithIntervals(apps, 0, firstMorning, firstMorning));
    program.activeApps.frontmost = RunningApp{apps.constFirst()};
    program.finishLaunching();
    int rollovers = 0;
    QObject::connect(program.usage.get(), &UsageStore::dayRolledOver, [&rollovers] { ++rollovers; });

    printFigure("awake_hours_per_day", awakeHours, "h", 0);
    printFigure("switch_every_s", switchEverySeconds, "s", 0);
    double firstDay = 0;
    double lastDay = 0;
    double counted = 0;
    for (int day = 1; day <= days; ++day) {
        const int switches = awakeHours * 3600 / switchEverySeconds;
        for (int i = 0; i < switches; ++i) {
            program.activeApps.activate(apps.at(i % apps.size()));
            program.scheduler.advance(std::chrono::seconds(switchEverySeconds));
        }
        counted += program.usage->totalSecondsToday();
        lastDay = residentMb();
        if (day == 1)
            firstDay = lastDay;
        printFigure(("rss_day_" + std::to_string(day)).c_str(), lastDay, "MB");

        program.lockSignals.signal(true);
        program.clock.set(firstMorning.addDays(day));
        program.lockSignals.signal(false);
    }
    // A fortnight that counted nothing, or never closed a day, measured nothing.
    const double expected = static_cast<double>(days) * awakeHours * 3600;
    if (rollovers != days - 1 || counted < expected * 0.99) {
        std::fprintf(stderr, "fortnight: %d days closed, %.0f of %.0f seconds counted\n", rollovers, counted, expected);
        return 1;
    }
    printFigure("rss_growth_mb", lastDay - firstDay, "MB");
    return 0;
}
