// SPDX-License-Identifier: MIT
// Prepares the running program's store for the black-box bench, and reads back what it counted.
#include "bench/BenchDay.h"

#include "core/model/SettingsKeys.h"
#include "platform/sqlite/SqliteKeyValueStore.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char** argv)
{
    using namespace brindlemoor;
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool prepare = arguments.size() == 4 && arguments.at(0) == QStringLiteral("prepare");
    const bool counted = arguments.size() == 3 && arguments.at(0) == QStringLiteral("counted");
    if (!prepare && !counted) {
        std::fprintf(stderr, "usage: brindlemoor-bench-store prepare STORE APP INTERVALS\n"
                             "       brindlemoor-bench-store counted STORE APP\n");
        return 2;
    }
    SqliteKeyValueStore store(arguments.at(1));
    if (!store.isOpen()) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(arguments.at(1)), qPrintable(store.errorText()));
        return 1;
    }
    const QString& appID = arguments.at(2);
    if (counted) {
        const auto day = PersistedState::decode(store.dataValue(keys::usageDailyData));
        std::printf("%.0f\n", day ? day->entries.value(appID).cumulativeSeconds : 0.0);
        return 0;
    }
    // Today's stretches end a minute ago, so the program goes on counting the same day.
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime midnight(now.date(), QTime(0, 0));
    bench::prepareStore(store, {appID},
                        bench::dayWithIntervals({appID}, arguments.at(3).toInt(), midnight, now.addSecs(-60)));
    return 0;
}
