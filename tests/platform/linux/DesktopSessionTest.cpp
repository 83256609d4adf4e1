// SPDX-License-Identifier: MIT
#include "support/DesktopSession.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <vector>

using brindlemoor::test::DesktopSession;

namespace {

bool processExists(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

TEST(DesktopSession, RunsAWholeDesktopAndLeavesNothingBehind)
{
    std::vector<qint64> pids;
    QString dataHome;
    {
        DesktopSession session(DesktopSession::Options{.trayHost = true});
        ASSERT_TRUE(session.isReady()) << session.error().toStdString();
        dataHome = session.dataHome();
        EXPECT_TRUE(QFile::exists(dataHome));
        EXPECT_EQ(session.environment().value(QStringLiteral("XDG_DATA_HOME")), dataHome);
        EXPECT_EQ(session.environment().value(QStringLiteral("DISPLAY")), QString::fromLatin1(session.display()));
        EXPECT_TRUE(session.environment().value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")).startsWith(u"unix:"));

        const quint32 terminal =
            session.startXterm(QStringLiteral("terminal"), QStringLiteral("Term"), QStringLiteral("term"));
        ASSERT_NE(terminal, 0U) << session.error().toStdString();
        EXPECT_TRUE(session.isManaged(terminal));
        QProcess* client = nullptr;
        const quint32 window =
            session.startWindow(QStringLiteral(BRINDLEMOOR_TEST_WINDOW),
                                {QStringLiteral("--title"), QStringLiteral("white")}, QStringLiteral("white"), &client);
        ASSERT_NE(window, 0U) << session.error().toStdString();
        pids.push_back(client->processId());
        for (const quint32 target : {terminal, window}) {
            ASSERT_TRUE(
                session.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(target)}));
            // Openbox passes through None while it moves the focus, after --sync has seen the target.
            EXPECT_TRUE(DesktopSession::waitUntil([&] { return session.activeWindow() == target; }));
        }

        // The screenshot shows the white client where xdotool says it is.
        QString geometry;
        ASSERT_TRUE(session.xdotool(
            {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(window)}, &geometry));
        int x = -1;
        int y = -1;
        for (const QString& line : geometry.split(u'\n')) {
            if (line.startsWith(u"X="))
                x = line.mid(2).toInt();
            if (line.startsWith(u"Y="))
                y = line.mid(2).toInt();
        }
        const QImage image = session.grab();
        EXPECT_EQ(image.size(), QSize(1280, 800));
        EXPECT_EQ(image.pixel(x + 10, y + 10), qRgb(255, 255, 255));
        EXPECT_NE(image.pixel(0, 799), qRgb(255, 255, 255)) << "the bare root is not white";

        EXPECT_TRUE(session.emitSignal(QStringLiteral("/"), QStringLiteral("org.example.Test"), QStringLiteral("Ping"),
                                       {QStringLiteral("string:hello")}));
    }
    for (const qint64 pid : pids)
        EXPECT_FALSE(processExists(pid)) << pid;
    EXPECT_FALSE(QFile::exists(dataHome));
}
