// SPDX-License-Identifier: MIT
#include "core/monitors/ClickMonitor.h"
#include "core/monitors/IdleMonitor.h"
#include "platform/fake/ManualScheduler.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/LinuxActivitySources.h"
#include "support/MessageLog.h"
#include "support/QtPrinting.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace brindlemoor;

TEST(LinuxActivitySources, WithoutDisplayOrBusEachSourceSaysSoOnceAndReportsNothing)
{
    struct Case {
        const char* name;
        const char* display;
        const char* displayReason;
    };
    const Case cases[] = {
        {"no DISPLAY", "", "no X display"},
        {"a display that cannot be reached", "nowhere:0", "cannot connect to X display nowhere:0"},
    };
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir data;
        ManualClock clock(QDateTime::currentDateTime());
        ManualScheduler scheduler(clock);
        const DesktopSessionAccess access{
            QByteArray(c.display),
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("dead-session")),
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("dead-system")),
            {data.path()},
            QStringLiteral("C")};

        QStringList notes;
        {
            const test::MessageLog log;
            LinuxActivitySources sources(scheduler, access);
            IdleMonitor idle(sources.idleTime(), scheduler);
            int callbacks = 0;
            QObject::connect(&sources.activeApps(), &ActiveAppSource::activated, [&] { ++callbacks; });
            QObject::connect(&idle, &IdleMonitor::idleChanged, [&] { ++callbacks; });
            QObject::connect(&sources.lockSignals(), &LockSignalSource::lockSignalled, [&] { ++callbacks; });
            ClickMonitor clicks(sources.clicks());
            QObject::connect(&clicks, &ClickMonitor::pressed, [&] { ++callbacks; });

            idle.start();
            scheduler.advance(std::chrono::minutes(10));
            clicks.start();
            QCoreApplication::processEvents();

            EXPECT_EQ(sources.activeApps().frontmostApp(), std::nullopt);
            EXPECT_EQ(sources.idleTime().secondsSinceLastInput(), 0.0);
            EXPECT_FALSE(clicks.isRunning());
            EXPECT_EQ(callbacks, 0);
            notes = log.lines();
        }
        // One line for each source and one that sums them up; each source that needs the display says why.
        ASSERT_EQ(notes.size(), 6) << notes.join(u'\n').toStdString();
        EXPECT_EQ(notes.filter(QString::fromLatin1(c.displayReason)).size(), 3) << notes.join(u'\n').toStdString();
    }
    if (!display.isEmpty())
        qputenv("DISPLAY", display);
}
