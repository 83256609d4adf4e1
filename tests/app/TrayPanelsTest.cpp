// SPDX-License-Identifier: MIT
// The program's tray icon on real panels under Xvfb: it shows, comes back when the panel
// restarts, and shows when the panel starts after the program. The light panels run on
// every test run; scripts/tray-panels.sh runs them all and keeps 8x crops of the dot.
#include "StandInWatcher.h"
#include "support/ProgramTesting.h"
#include "support/TestFiles.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

// Heavy panels can take long to come up on a loaded machine; this is only a deadline.
constexpr auto showDeadline = 90s;

int countDots(const QRect& area)
{
    if (area.isEmpty())
        return 0;
    return area.width() <= 24 && area.height() <= 24 ? 1 : 2;
}

/// Looks at the screen now and then until the dots are as expected.
class Screen {
public:
    explicit Screen(const DesktopSession& session)
        : m_session(session)
    {
    }

    bool waitForDots(int count, std::chrono::milliseconds timeout = showDeadline)
    {
        return waitForLook([&] { return countDots(m_area) == count; }, timeout);
    }

    /// Where the dot was seen last.
    QPoint dotCentre() const { return m_area.center(); }

    QString seen() const
    {
        return QStringLiteral("the dot's colour over %1x%2 at %3,%4")
            .arg(m_area.width())
            .arg(m_area.height())
            .arg(m_area.x())
            .arg(m_area.y());
    }

    /// Keeps the dot enlarged 8 times, pixel for pixel, where scripts/tray-panels.sh asks for it.
    void keepCrop(const QString& name)
    {
        const QString folder = qEnvironmentVariable("BRINDLEMOOR_TRAY_CROPS");
        if (folder.isEmpty())
            return;
        // Panels animate a new item in: keep the dot once two looks agree.
        QImage crop;
        waitForLook(
            [&] {
                QImage previous = std::exchange(crop, dotArea());
                return !crop.isNull() && crop == previous;
            },
            5s);
        QDir().mkpath(folder);
        crop.scaled(crop.size() * 8, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(folder + u'/' + name + QStringLiteral(".png"));
    }

private:
    bool waitForLook(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
    {
        QElapsedTimer lastLook;
        return DesktopSession::waitUntil(
            [&] {
                if (lastLook.isValid() && lastLook.elapsed() < 250)
                    return false;
                lastLook.start();
                m_shot = m_session.grab();
                // Anywhere: some panels sit at the bottom, and no welcome shows its logo.
                m_area = trayDotArea(m_shot, m_shot.rect());
                return condition();
            },
            timeout);
    }

    QImage dotArea() const
    {
        if (countDots(m_area) != 1)
            return {};
        // The colour found is the dot's foot; the whole dot lies above it.
        const QRect foot = m_area;
        return m_shot.copy(QRect(foot.center().x() - 20, foot.bottom() - 30, 40, 40) & m_shot.rect());
    }

private:
    const DesktopSession& m_session;
    QImage m_shot;
    QRect m_area;
};

bool hasOwner(const DesktopSession& session, const QString& name)
{
    return QDBusConnection::connectToBus(session.busAddress(), session.busAddress())
        .interface()
        ->isServiceRegistered(name)
        .value();
}

struct Panel {
    QString name;
    bool everyRun = false; ///< light enough for every test run
    QStringList command;
    /// Writes the panel's settings; once per session.
    std::function<void(const DesktopSession&)> configure = [](const DesktopSession&) {};
    /// Starts what the panel needs besides itself and the bus's services (Plasma's watcher and proxy).
    std::function<QList<QProcess*>(DesktopSession&)> helpers = [](DesktopSession&) { return QList<QProcess*>{}; };
};

void PrintTo(const Panel& panel, std::ostream* out)
{
    *out << panel.name.toStdString();
}

QList<Panel> panels()
{
    Panel trayer{QStringLiteral("trayer"), true,
                 QStringList{QStringLiteral("trayer"), QStringLiteral("--edge"), QStringLiteral("top"),
                             QStringLiteral("--align"), QStringLiteral("right"), QStringLiteral("--widthtype"),
                             QStringLiteral("request"), QStringLiteral("--height"), QStringLiteral("24"),
                             QStringLiteral("--SetDockType"), QStringLiteral("true")}};

    // One panel with its tray only, so that no first-start dialog asks which layout to use.
    Panel xfce{QStringLiteral("xfce4-panel"), true, {QStringLiteral("xfce4-panel")}};
    xfce.configure = [](const DesktopSession& session) {
        ASSERT_TRUE(
            writeFile(session.configHome() + QStringLiteral("/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml"),
                      R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="size" type="uint" value="26"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
)"));
    };
    Panel tint2{QStringLiteral("tint2"), false, {QStringLiteral("tint2")}};
    Panel lxpanel{QStringLiteral("lxpanel"), false, {QStringLiteral("lxpanel")}};
    Panel mate{QStringLiteral("mate-panel"), false, {QStringLiteral("mate-panel")}};
    Panel lxqt{QStringLiteral("lxqt-panel"), false, {QStringLiteral("lxqt-panel")}};
    lxqt.configure = [](const DesktopSession& session) {
        ASSERT_TRUE(writeFile(session.configHome() + QStringLiteral("/lxqt/panel.conf"),
                              "[General]\n__userfile__=true\n\n[panel1]\nplugins=statusnotifier\nposition=Top\n\n"
                              "[statusnotifier]\ntype=statusnotifier\n"));
    };

    // Plasma as its session starts it: kded5 carries the watcher, xembedsniproxy turns
    // XEmbed icons into StatusNotifierItems.
    Panel plasma{QStringLiteral("plasmashell"),
                 false,
                 {QStringLiteral("env"), QStringLiteral("QT_QUICK_BACKEND=software"), QStringLiteral("plasmashell"),
                  QStringLiteral("--no-respawn")}};
    plasma.helpers = [](DesktopSession& session) {
        QProcess* kded = session.start(QStringLiteral("kded5"), {});
        DesktopSession::waitUntil([&] { return hasOwner(session, QStringLiteral("org.kde.kded5")); });
        QDBusMessage load =
            QDBusMessage::createMethodCall(QStringLiteral("org.kde.kded5"), QStringLiteral("/kded"),
                                           QStringLiteral("org.kde.kded5"), QStringLiteral("loadModule"));
        load.setArguments({QStringLiteral("statusnotifierwatcher")});
        QDBusConnection::connectToBus(session.busAddress(), session.busAddress()).call(load);
        DesktopSession::waitUntil([&] { return hasOwner(session, QStringLiteral("org.kde.StatusNotifierWatcher")); });
        return QList<QProcess*>{kded, session.start(QStringLiteral("xembedsniproxy"), {})};
    };
    return {trayer, xfce, tint2, lxpanel, mate, lxqt, plasma};
}

bool isSelected(const Panel& panel)
{
    const QString asked = qEnvironmentVariable("BRINDLEMOOR_TRAY_PANELS");
    if (asked.isEmpty())
        return panel.everyRun;
    return asked == u"all" || asked.split(QRegularExpression(QStringLiteral("[ ,]+"))).contains(panel.name);
}

class TrayPanelTest : public ::testing::TestWithParam<Panel> {
protected:
    QProcess* start(const QStringList& command)
    {
        QProcess* process = session->start(command.constFirst(), command.mid(1));
        EXPECT_NE(process, nullptr) << session->error().toStdString();
        return process;
    }
    QProcess* startProgram() { return start({QStringLiteral(BRINDLEMOOR_BINARY)}); }
    QProcess* startPanel() { return start(GetParam().command); }

    std::unique_ptr<DesktopSession> session;
    std::unique_ptr<Screen> screen;
};

} // namespace

TEST_P(TrayPanelTest, IconShowsComesBackAfterARestartAndShowsWhenThePanelStartsLate)
{
    const Panel& panel = GetParam();
    if (!isSelected(panel))
        GTEST_SKIP() << "scripts/tray-panels.sh " << panel.name.toStdString() << " tries this panel";
    // The bus starts services as a desktop's does: settings daemons, a panel's applets.
    session = std::make_unique<DesktopSession>(DesktopSession::Options{.busStartsServices = true});
    ASSERT_TRUE(session->isReady()) << session->error().toStdString();
    screen = std::make_unique<Screen>(*session);
    panel.configure(*session);
    prepareReturningUser(*session);

    QList<QProcess*> helpers = panel.helpers(*session);
    QProcess* panelProcess = startPanel();
    QProcess* program = startProgram();
    ASSERT_TRUE(screen->waitForDots(1)) << "with the panel running first: " << screen->seen().toStdString();
    screen->keepCrop(panel.name + QStringLiteral("-first"));

    DesktopSession::stop(panelProcess);
    ASSERT_TRUE(screen->waitForDots(0)) << "the panel has gone: " << screen->seen().toStdString();
    panelProcess = startPanel();
    ASSERT_TRUE(screen->waitForDots(1)) << "after the panel restarted: " << screen->seen().toStdString();
    screen->keepCrop(panel.name + QStringLiteral("-restarted"));

    DesktopSession::stop(program);
    DesktopSession::stop(panelProcess);
    for (QProcess* helper : helpers)
        DesktopSession::stop(helper);
    ASSERT_TRUE(screen->waitForDots(0)) << "nothing runs: " << screen->seen().toStdString();
    program = startProgram();
    // The panel comes once the program has looked for a tray, found none, and said so.
    QByteArray said;
    ASSERT_TRUE(DesktopSession::waitUntil([&] {
        said += program->readAllStandardError();
        return said.contains("no system tray");
    })) << said.toStdString();
    helpers = panel.helpers(*session);
    panelProcess = startPanel();
    ASSERT_TRUE(screen->waitForDots(1)) << "with the panel started after the program: " << screen->seen().toStdString();
    screen->keepCrop(panel.name + QStringLiteral("-late"));
}

INSTANTIATE_TEST_SUITE_P(Panels, TrayPanelTest, ::testing::ValuesIn(panels()),
                         [](const ::testing::TestParamInfo<Panel>& info) {
                             return info.param.name.split(u'-').constFirst().toStdString();
                         });

TEST(TrayBackendTest, MovesToAWatcherThatStartsAndBackToTheXEmbedTrayWhenItGoes)
{
    DesktopSession session(DesktopSession::Options{.trayHost = true});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    Screen screen(session);
    prepareReturningUser(session);
    ASSERT_NE(session.start(QStringLiteral(BRINDLEMOOR_BINARY), {}), nullptr);
    ASSERT_TRUE(screen.waitForDots(1)) << "in the XEmbed tray: " << screen.seen().toStdString();

    auto watcher = std::make_unique<StandInWatcher>(session.busAddress());
    ASSERT_TRUE(watcher->isReady());
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !watcher->registered().isEmpty(); }));
    // The stand-in shows nothing: the icon has left the XEmbed tray rather than showing twice.
    EXPECT_TRUE(screen.waitForDots(0)) << "with a watcher: " << screen.seen().toStdString();

    watcher.reset();
    EXPECT_TRUE(screen.waitForDots(1)) << "the watcher has gone: " << screen.seen().toStdString();
}

TEST(TrayPanelPopovers, OnAStatusNotifierPanelThePopoversOpenWhereTheClickWasAndStayOnScreen)
{
    DesktopSession session(DesktopSession::Options{.busStartsServices = true});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    const Panel xfce = panels().at(1);
    xfce.configure(session);
    prepareReturningUser(session);
    Screen screen(session);
    ASSERT_NE(session.start(xfce.command.constFirst(), xfce.command.mid(1)), nullptr);
    QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(screen.waitForDots(1)) << screen.seen().toStdString();
    QByteArray said;
    ASSERT_TRUE(DesktopSession::waitUntil([&] {
        said += program->readAllStandardError();
        return said.contains("StatusNotifierItem");
    })) << "the panel hosts our StatusNotifierItem: "
        << said.toStdString();

    // The host tells only where the click was: each popover points there, on the screen.
    const QPoint dot = screen.dotCentre();
    const QRect screenRect(QPoint(0, 0), DesktopSession::Options().screenSize);
    const struct {
        int button;
        const char* title;
    } clicks[] = {{1, "Today in Brindlemoor"}, {2, "About Brindlemoor"}};
    for (const auto& click : clicks) {
        SCOPED_TRACE(click.title);
        ASSERT_TRUE(clickAt(session, dot, click.button));
        quint32 window = 0;
        ASSERT_TRUE(DesktopSession::waitUntil([&] {
            window = session.findWindow(QString::fromLatin1(click.title));
            return window != 0 && session.isViewable(window);
        }));
        // The window's margins hold the shadow and the arrow: the panel is what must be on the screen.
        const QRect panel = session.geometry(window).adjusted(10, 19, -10, -10);
        EXPECT_TRUE(screenRect.contains(panel))
            << panel.x() << "," << panel.y() << " " << panel.width() << "x" << panel.height();
        EXPECT_GT(panel.top(), dot.y()) << "under the click";
        EXPECT_LT(panel.top(), dot.y() + 40);
        EXPECT_TRUE(panel.left() <= dot.x() && dot.x() <= panel.right()) << "the arrow can point at the click";
        // The next click on the icon closes it again before the other opens.
        ASSERT_TRUE(clickAt(session, dot, click.button));
        EXPECT_TRUE(DesktopSession::waitUntil([&] { return !session.isViewable(window); }));
    }
}
