// SPDX-License-Identifier: MIT
// Launch at login against a temporary XDG_CONFIG_HOME, alone and behind the settings switch.
#include "platform/linux/XdgAutostart.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "support/MessageLog.h"
#include "views/components/FennSwitchStyle.h"
#include "views/components/Spring.h"
#include "views/settings/AppIconProvider.h"
#include "views/settings/PreferencesView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

const QString kExecutable = QStringLiteral("/opt/brindlemoor/bin/brindlemoor");

class XdgAutostartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        configHome = QDir(m_home.path()).filePath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
        entry = QDir(configHome).filePath(QStringLiteral("autostart/brindlemoor.desktop"));
        SpringAnimation::setMotionEnabled(false);
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_oldConfig); }

    QByteArray read() const
    {
        QFile file(entry);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QByteArray& text) const
    {
        QDir().mkpath(QFileInfo(entry).absolutePath());
        QFile file(entry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QString configHome;
    QString entry;

private:
    QTemporaryDir m_home;
    QByteArray m_oldConfig;
};

struct Settings {
    explicit Settings(LoginItemService& loginItems)
        : view(prefs, loginItems, catalog, icons)
    {
        view.adjustSize();
    }
    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    FakeApplicationCatalog catalog;
    AppIconProvider icons{catalog};
    PreferencesView view;
};

} // namespace

TEST_F(XdgAutostartTest, EnablingWritesAnEntryAndDisablingDeletesIt)
{
    XdgAutostart autostart(kExecutable);
    EXPECT_EQ(XdgAutostart::entryPath(), entry);
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_EQ(autostart.setEnabled(false), std::nullopt) << "nothing to delete is no failure";

    EXPECT_EQ(autostart.setEnabled(true), std::nullopt);
    EXPECT_TRUE(autostart.isEnabled());
    const QByteArray text = read();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nExec=/opt/brindlemoor/bin/brindlemoor\n"));

    // Desktops switch an entry off with Hidden=true; enabling again replaces it.
    write("[Desktop Entry]\nType=Application\nExec=/old/brindlemoor\nHidden = true\n");
    EXPECT_FALSE(autostart.isEnabled());
    write("[Other Group]\nHidden=true\n[Desktop Entry]\nExec=/old/brindlemoor\nHidden=false\n");
    EXPECT_TRUE(autostart.isEnabled());
    EXPECT_EQ(autostart.setEnabled(true), std::nullopt);
    EXPECT_FALSE(read().contains("Hidden"));

    EXPECT_EQ(autostart.setEnabled(false), std::nullopt);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(autostart.isEnabled());
}

TEST_F(XdgAutostartTest, ExecIsQuotedAsDesktopEntriesWantIt)
{
    struct Case {
        const char* executable;
        const char* exec;
    };
    const Case cases[] = {
        {"/usr/bin/brindlemoor", "Exec=/usr/bin/brindlemoor"},
        {"/home/ann/My Apps/brindlemoor", "Exec=\"/home/ann/My Apps/brindlemoor\""},
        {"/home/ann/100%/brindlemoor", "Exec=/home/ann/100%%/brindlemoor"},
        {"/home/ann/$bin/brind\"le", "Exec=\"/home/ann/\\\\$bin/brind\\\\\"le\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.executable);
        EXPECT_TRUE(XdgAutostart::entryText(QString::fromUtf8(c.executable)).contains(QByteArray(c.exec) + '\n'));
    }

    // By default the entry starts this very program, or the AppImage it runs from.
    EXPECT_EQ(XdgAutostart::runningExecutable(), QCoreApplication::applicationFilePath());
    EXPECT_TRUE(QDir::isAbsolutePath(XdgAutostart::runningExecutable()));
    qputenv("APPIMAGE", "/home/ann/Apps/Brindlemoor.AppImage");
    EXPECT_EQ(XdgAutostart::runningExecutable(), QStringLiteral("/home/ann/Apps/Brindlemoor.AppImage"));
    qunsetenv("APPIMAGE");

    // An unset or relative XDG_CONFIG_HOME means ~/.config.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", configHome.toUtf8());
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(XdgAutostart::entryPath(), configHome + QStringLiteral("/.config/autostart/brindlemoor.desktop"));
    qputenv("HOME", home);
}

TEST_F(XdgAutostartTest, TheSwitchRegistersAgainWhenAlreadyOnAtFirstShow)
{
    // Enabled by an older copy of the program somewhere else.
    write("[Desktop Entry]\nType=Application\nExec=/old/place/brindlemoor\n");
    XdgAutostart autostart(kExecutable);
    Settings settings(autostart);
    settings.view.show();
    EXPECT_TRUE(settings.view.launchSwitch()->isChecked());
    EXPECT_TRUE(read().contains("\nExec=/opt/brindlemoor/bin/brindlemoor\n")) << "the extra register rewrote it";

    write("[Desktop Entry]\nType=Application\nExec=/old/place/brindlemoor\n");
    settings.view.hide();
    settings.view.show();
    EXPECT_TRUE(read().contains("\nExec=/old/place/brindlemoor\n")) << "reopening registers nothing";

    QTest::mouseClick(settings.view.launchSwitch(), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(entry));
    QTest::mouseClick(settings.view.launchSwitch(), Qt::LeftButton);
    EXPECT_TRUE(autostart.isEnabled());
}

TEST_F(XdgAutostartTest, ARefusedWritePrintsTheErrorAndTheSwitchKeepsItsPosition)
{
    // The autostart folder's place is taken by a file: no write can succeed, not even as root.
    QDir().mkpath(configHome);
    QFile blocker(QDir(configHome).filePath(QStringLiteral("autostart")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    XdgAutostart autostart(kExecutable);
    Settings settings(autostart);
    settings.view.show();
    ASSERT_FALSE(settings.view.launchSwitch()->isChecked());

    auto log = std::make_unique<test::MessageLog>();
    QTest::mouseClick(settings.view.launchSwitch(), Qt::LeftButton);
    ASSERT_EQ(log->lines().size(), 1);
    const QString printed = log->lines().constFirst();
    EXPECT_TRUE(printed.startsWith(QStringLiteral("Launch at login error: "))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QDir(configHome).filePath(QStringLiteral("autostart"))));
    EXPECT_TRUE(settings.view.launchSwitch()->isChecked());
    EXPECT_FALSE(autostart.isEnabled());

    // Shown again, the switch takes the real state; disabling has nothing to delete.
    log.reset(); // one log at a time: each takes over the message handler
    log = std::make_unique<test::MessageLog>();
    settings.view.hide();
    settings.view.show();
    EXPECT_EQ(log->lines(), QStringList());
    EXPECT_FALSE(settings.view.launchSwitch()->isChecked());
}
