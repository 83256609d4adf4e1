// SPDX-License-Identifier: MIT
#include "platform/linux/GnomeShellExtension.h"
#include "platform/fake/ManualClock.h"
#include "platform/fake/ManualScheduler.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/GnomeShellActiveAppSource.h"
#include "platform/linux/LinuxTrayIcon.h"
#include "platform/linux/SessionKind.h"
#include "ScriptedBusService.h"
#include "support/DesktopSession.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDBusVariant>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <mutex>

using namespace brindlemoor;
using namespace Qt::StringLiterals;
using brindlemoor::test::DesktopSession;
using brindlemoor::test::ScriptedBusService;

namespace {

QIcon solidIcon(QColor color)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(color);
    return QIcon(pixmap);
}

/// GNOME Shell's extension interface, as far as the program asks it.
struct ShellStandIn {
    std::mutex mutex;
    double state = 2; // disabled
    int enableCalls = 0;
    ScriptedBusService service;

    explicit ShellStandIn(const QString& bus)
        : service(bus, QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
                  [this](const QDBusMessage& call) -> std::optional<QVariantList> {
                      const std::lock_guard lock(mutex);
                      if (call.arguments().value(0) != GnomeShellExtension::uuid)
                          return std::nullopt;
                      if (call.member() == u"GetExtensionInfo")
                          return QVariantList{QVariantMap{{QStringLiteral("state"), state}}};
                      if (call.member() == u"EnableExtension") {
                          ++enableCalls;
                          return QVariantList{true};
                      }
                      return std::nullopt;
                  })
    {
    }
};

/// The program's extension as the shell runs it: the focused window and the dot.
struct ExtensionStandIn {
    std::mutex mutex;
    ShellFocus focus;
    QList<QByteArray> dots; ///< each SetDot's image; an empty one for HideDot
    std::unique_ptr<ScriptedBusService> service;

    void start(const QString& bus)
    {
        service = std::make_unique<ScriptedBusService>(
            bus, GnomeShellExtension::serviceName, GnomeShellExtension::objectPath,
            [this](const QDBusMessage& call) -> std::optional<QVariantList> {
                const std::lock_guard lock(mutex);
                if (call.member() == u"GetFocus")
                    return QVariantList{focus.appId, focus.wmClass, focus.pid};
                if (call.member() == u"Get" && call.arguments().value(1).toString() == u"ScaleFactor")
                    return QVariantList{QVariant::fromValue(QDBusVariant(2U))};
                if (call.member() == u"SetDot" || call.member() == u"HideDot") {
                    dots.append(call.arguments().value(0).toByteArray());
                    return QVariantList{};
                }
                return std::nullopt;
            });
    }
    bool emitFocus(const QString& appId, const QString& wmClass, uint pid)
    {
        return service->emitSignal(GnomeShellExtension::objectPath, GnomeShellExtension::interfaceName,
                                   QStringLiteral("FocusChanged"), {appId, wmClass, pid});
    }
    QList<QByteArray> shownDots()
    {
        const std::lock_guard lock(mutex);
        return dots;
    }
};

} // namespace

TEST(SessionKind, ASocketMakesAWaylandSessionAndTheCompositorsNameOnTheBusSaysWhich)
{
    EXPECT_EQ(decideSession({.sessionType = u"wayland"_s, .x11Display = true}), SessionKind::X11);
    EXPECT_EQ(decideSession({.currentDesktop = u"sway"_s, .waylandDisplay = true, .gnomeShellOnBus = true}),
              SessionKind::GnomeWayland);
    EXPECT_EQ(decideSession({.currentDesktop = u"GNOME"_s, .waylandDisplay = true, .kwinOnBus = true}),
              SessionKind::KWinWayland);
    EXPECT_EQ(decideSession({.currentDesktop = u"ubuntu:GNOME"_s, .waylandDisplay = true}), SessionKind::GnomeWayland);
    EXPECT_EQ(decideSession({.waylandDisplay = true, .swaySocket = true}), SessionKind::WlrootsWayland);
    EXPECT_EQ(decideSession({.currentDesktop = u"Hyprland"_s, .waylandDisplay = true}), SessionKind::WlrootsWayland);
    EXPECT_EQ(decideSession({.currentDesktop = u"Unity"_s, .waylandDisplay = true}), SessionKind::OtherWayland);

    // The windows go through XWayland where it runs, unless the user chose.
    EXPECT_EQ(windowPlatformFor("", "wayland-0", ":0"), "xcb");
    EXPECT_EQ(windowPlatformFor("wayland", "wayland-0", ":0"), "");
    EXPECT_EQ(windowPlatformFor("", "wayland-0", ""), "");
    EXPECT_EQ(windowPlatformFor("", "", ":0"), "");
}

TEST(GnomeShellExtension, CarriesTheFocusAndTheDotOnlyWhileTheExtensionRuns)
{
    DesktopSession session(DesktopSession::Options{.display = false, .windowManager = false});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    const QDBusConnection bus = QDBusConnection::connectToBus(session.busAddress(), QStringLiteral("shell-extension"));
    QTemporaryDir data;
    test::writeFile(data.filePath(u"applications/org.example.Editor.desktop"_s),
                    "[Desktop Entry]\nType=Application\nName=Editor\nExec=editor\n");
    test::writeFile(data.filePath(u"applications/debian-xterm.desktop"_s),
                    "[Desktop Entry]\nType=Application\nName=XTerm\nExec=xterm\nStartupWMClass=XTerm\n");
    ManualClock clock(QDateTime::currentDateTime());
    ManualScheduler scheduler(clock);
    const DesktopEntryRegistry registry(scheduler, {data.path()}, QStringLiteral("C"));

    ShellStandIn shell(session.busAddress());
    ASSERT_TRUE(shell.service.isReady());
    GnomeShellExtension extension(bus);
    GnomeShellActiveAppSource apps(registry, extension);
    QList<std::optional<QString>> activations;
    QObject::connect(&apps, &ActiveAppSource::activated,
                     [&](const std::optional<RunningApp>& app) { activations.append(app ? app->bundleID : u"-"_s); });
    LinuxTrayIcon tray(bus, QStringLiteral("Brindlemoor"), {}, &extension);
    QList<TrayClick> clicks;
    QObject::connect(&tray, &TrayIcon::clicked, [&](const TrayClick& click) { clicks.append(click); });

    // Switched off: the user's click, and only that, asks the shell to switch it on.
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return extension.state() == DesktopExtension::State::Off; }));
    EXPECT_EQ(shell.enableCalls, 0);
    extension.enable();
    EXPECT_EQ(shell.enableCalls, 1);

    ExtensionStandIn running;
    running.focus = {u"org.example.Editor"_s, u"org.example.Editor"_s, 4242};
    running.start(session.busAddress());
    ASSERT_TRUE(running.service->isReady());
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !activations.isEmpty(); }));
    EXPECT_EQ(activations, (QList<std::optional<QString>>{u"org.example.Editor"_s}));
    EXPECT_EQ(extension.state(), DesktopExtension::State::NotNeeded);

    // The dot, drawn at the top bar's scale, is handed over once per image.
    tray.setIcon(solidIcon(Qt::red));
    tray.setIcon(solidIcon(Qt::red));
    tray.setIcon(solidIcon(Qt::blue));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return running.shownDots().size() == 2; }));
    const QImage first = QImage::fromData(running.shownDots().constFirst(), "PNG");
    EXPECT_EQ(first.size(), QSize(32, 32));
    EXPECT_EQ(first.pixelColor(16, 16), QColor(Qt::red));

    // A window of no desktop entry of its own is matched by its class; nothing in focus is no activation.
    ASSERT_TRUE(running.emitFocus({}, u"XTerm"_s, 0));
    ASSERT_TRUE(running.emitFocus({}, u"XTerm"_s, 0));
    ASSERT_TRUE(running.emitFocus({}, {}, 0));
    // The program's own windows are the program, whatever the shell makes of them, and so are
    // those named after its desktop entry where their process is not told.
    ASSERT_TRUE(
        running.emitFocus({}, QStringLiteral("popover"), static_cast<uint>(QCoreApplication::applicationPid())));
    ASSERT_TRUE(running.emitFocus(u"io.github.brindlemoor.Brindlemoor"_s, {}, 0));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return activations.size() == 4; }));
    EXPECT_EQ(activations.mid(1),
              (QList<std::optional<QString>>{u"debian-xterm"_s, u"brindlemoor"_s, u"brindlemoor"_s}));

    ASSERT_TRUE(running.service->emitSignal(GnomeShellExtension::objectPath, GnomeShellExtension::interfaceName,
                                            u"DotClicked"_s, {1190, 12, 1180, 0, 30, 26, 3U, false}));
    ASSERT_TRUE(running.service->emitSignal(GnomeShellExtension::objectPath, GnomeShellExtension::interfaceName,
                                            u"DotClicked"_s, {1195, 12, 1180, 0, 30, 26, 1U, true}));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !clicks.isEmpty(); }));
    EXPECT_EQ(clicks, (QList<TrayClick>{{TrayClick::Button::Primary, {1195, 12}, {1180, 0, 30, 26}, true}}));

    // Gone: nothing is in front any more, and the shell is asked why.
    running.service.reset();
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return activations.size() == 5; }));
    EXPECT_EQ(activations.last(), std::nullopt);
    EXPECT_FALSE(apps.frontmostApp()->bundleID);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return extension.state() == DesktopExtension::State::Off; }));
}
