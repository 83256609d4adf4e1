// SPDX-License-Identifier: MIT
// Launch at login against a temporary XDG_CONFIG_HOME.
#include "platform/linux/XdgAutostart.h"
#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

class XdgAutostartTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", configHome.toUtf8()); }
    void TearDown() override
    {
        if (earlierConfigHome.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", earlierConfigHome);
    }

    QByteArray read() const
    {
        QFile file(entry);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& text) { ASSERT_TRUE(test::writeFile(path, text)); }

    const QByteArray earlierConfigHome = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir home;
    QString configHome = home.filePath(QStringLiteral("config"));
    QString entry = configHome + QStringLiteral("/autostart/io.github.brindlemoor.Brindlemoor.desktop");
    QString earlier = configHome + QStringLiteral("/autostart/brindlemoor.desktop");
    XdgAutostart autostart{QStringLiteral("/opt/brindlemoor/bin/brindlemoor")};
};

} // namespace

TEST_F(XdgAutostartTest, EnablingWritesAnEntryAndDisablingDeletesIt)
{
    EXPECT_EQ(XdgAutostart::entryPath(), entry);
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_TRUE(autostart.setEnabled(false)) << "nothing to delete is no failure";

    EXPECT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(autostart.isEnabled());
    const QByteArray text = read();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nExec=/opt/brindlemoor/bin/brindlemoor\n"));

    // Desktops switch an entry off with Hidden=true; enabling again replaces it.
    write(entry, "[Desktop Entry]\nType=Application\nExec=/old/brindlemoor\nHidden = true\n");
    EXPECT_FALSE(autostart.isEnabled());
    write(entry, "[Other Group]\nHidden=true\n[Desktop Entry]\nExec=/old/brindlemoor\nHidden=false\n");
    EXPECT_TRUE(autostart.isEnabled());
    EXPECT_TRUE(autostart.setEnabled(true));
    EXPECT_FALSE(read().contains("Hidden"));

    EXPECT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(QFile::exists(entry));

    // The entry earlier versions wrote counts the same, and any change takes it away.
    write(earlier, "[Desktop Entry]\nExec=/old/brindlemoor\nHidden=true\n");
    EXPECT_FALSE(autostart.isEnabled());
    write(earlier, "[Desktop Entry]\nExec=/old/brindlemoor\n");
    EXPECT_TRUE(autostart.isEnabled());
    EXPECT_TRUE(autostart.setEnabled(true));
    EXPECT_FALSE(QFile::exists(earlier));
    write(earlier, "[Desktop Entry]\nExec=/old/brindlemoor\nHidden=true\n");
    EXPECT_TRUE(autostart.isEnabled()) << "hiding one entry leaves the other starting the program";
    EXPECT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(QFile::exists(entry) || QFile::exists(earlier));
}

TEST_F(XdgAutostartTest, AnEntryThatCannotBeWrittenIsAnErrorNamingThePlace)
{
    // The autostart folder's place is taken by a file: no write can succeed, not even as root.
    const QString blocker = configHome + QStringLiteral("/autostart");
    ASSERT_TRUE(test::writeFile(blocker, {}));
    ASSERT_FALSE(autostart.setEnabled(true));
    EXPECT_TRUE(autostart.errorText().contains(blocker)) << autostart.errorText().toStdString();
    EXPECT_FALSE(autostart.isEnabled());
}

TEST_F(XdgAutostartTest, ExecIsQuotedAsDesktopEntriesWantIt)
{
    struct Case {
        const char* executable;
        const char* exec;
    };
    const Case cases[] = {
        {"/home/ann/My Apps/brindlemoor", "Exec=\"/home/ann/My Apps/brindlemoor\""},
        {"/home/ann/100%/brindlemoor", "Exec=/home/ann/100%%/brindlemoor"},
        {R"(/home/ann/$bin/brind"le)", R"(Exec="/home/ann/\\$bin/brind\\"le")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.executable);
        EXPECT_TRUE(XdgAutostart::entryText(QString::fromUtf8(c.executable)).contains(QByteArray(c.exec) + '\n'));
    }

    // By default the entry starts this very program, or the AppImage it runs from.
    EXPECT_EQ(XdgAutostart::runningExecutable(), QCoreApplication::applicationFilePath());
    {
        const test::ScopedEnvironment appImage("APPIMAGE", "/home/ann/Apps/Brindlemoor.AppImage");
        EXPECT_EQ(XdgAutostart::runningExecutable(), QStringLiteral("/home/ann/Apps/Brindlemoor.AppImage"));
    }

    // An unset or relative XDG_CONFIG_HOME means ~/.config.
    const test::ScopedEnvironment home("HOME", configHome.toUtf8());
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(XdgAutostart::entryPath(),
              configHome + QStringLiteral("/.config/autostart/io.github.brindlemoor.Brindlemoor.desktop"));
}
