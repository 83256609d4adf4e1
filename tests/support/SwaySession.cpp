// SPDX-License-Identifier: MIT
#include "support/SwaySession.h"

#include "support/DesktopSession.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <csignal>
#include <functional>
#include <unistd.h>

namespace brindlemoor::test {

namespace {

using namespace std::chrono_literals;

// The unprivileged user that sway runs as: nobody.
constexpr uint user = 65534;
constexpr auto startTimeout = 20s;
constexpr int toolTimeoutMs = 10000;

const char* const swayConfiguration = R"(output HEADLESS-1 resolution 1280x800
xwayland enable
# The tests move the pointer as input; the focus stays where they put it.
focus_follows_mouse no
mouse_warping none
bar {
    position top
    tray_output *
}
exec "xhost +si:localuser:root >/dev/null && echo $DISPLAY > %1/display"
)";

// Any user may connect: the desktop's side runs as the unprivileged user, the test's as root.
const char* const busConfiguration = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

bool makeUserFolder(const QString& path)
{
    return QDir().mkpath(path) && ::chown(QFile::encodeName(path).constData(), user, user) == 0 &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

/// The first node of sway's tree (depth first, floating windows included) that `match` accepts.
QJsonObject findNode(const QJsonObject& node, const std::function<bool(const QJsonObject&)>& match)
{
    if (match(node))
        return node;
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node.value(QLatin1String(children)).toArray()) {
            const QJsonObject found = findNode(child.toObject(), match);
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

QString appOf(const QJsonObject& node)
{
    const QString appId = node.value(QStringLiteral("app_id")).toString();
    return appId.isEmpty()
               ? node.value(QStringLiteral("window_properties")).toObject().value(QStringLiteral("class")).toString()
               : appId;
}

} // namespace

SwaySession::SwaySession(const Options& options)
{
    if (!m_root.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    // The unprivileged user reaches its folders inside.
    QFile::setPermissions(m_root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                             QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    m_userRuntime = m_root.filePath(QStringLiteral("user-runtime"));
    const QString runtime = m_root.filePath(QStringLiteral("runtime"));
    if (!makeUserFolder(m_userRuntime) || !makeUserFolder(m_root.filePath(QStringLiteral("user-home"))) ||
        !QDir().mkpath(runtime) ||
        !QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
        !QDir().mkpath(dataHome()) || !QDir().mkpath(configHome())) {
        m_error = QStringLiteral("cannot make the session's folders");
        return;
    }
    m_environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin")));
    m_environment.insert(QStringLiteral("HOME"), m_root.path());
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    m_environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    m_environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
    QString sessionBus;
    if (!startBus(m_userRuntime + QStringLiteral("/bus"), true, &sessionBus))
        return;
    m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBus);
    if (options.logind && !startLogind())
        return;
    startSway();
}

SwaySession::~SwaySession()
{
    stopAll();
}

bool SwaySession::isInstalled()
{
    for (const char* program : {"sway", "swaybar", "grim", "xhost", "Xwayland"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return false;
    return true;
}

QString SwaySession::dataHome() const
{
    return m_root.filePath(QStringLiteral("data"));
}

QString SwaySession::configHome() const
{
    return m_root.filePath(QStringLiteral("config"));
}

QProcess* SwaySession::start(const QString& program, const QStringList& arguments)
{
    return start(QStringList{program} + arguments, m_environment);
}

QProcess* SwaySession::start(const QStringList& command, const QProcessEnvironment& environment)
{
    auto process = DesktopSession::launch(command.constFirst(), command.mid(1), environment, &m_error);
    if (!process)
        return nullptr;
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

QProcess* SwaySession::startAsUser(const QStringList& command, const QStringList& environment)
{
    // A change of user clears the parent-death signal; setpriv sets it again after the change.
    const QStringList wrapper{QStringLiteral("setpriv"),
                              QStringLiteral("--reuid=%1").arg(user),
                              QStringLiteral("--regid=%1").arg(user),
                              QStringLiteral("--clear-groups"),
                              QStringLiteral("--pdeathsig=SIGKILL"),
                              QStringLiteral("env"),
                              QStringLiteral("-i"),
                              QStringLiteral("PATH=/usr/bin:/bin"),
                              QStringLiteral("HOME=") + m_root.filePath(QStringLiteral("user-home")),
                              QStringLiteral("XDG_RUNTIME_DIR=") + m_userRuntime};
    return start(wrapper + environment + command, QProcessEnvironment::systemEnvironment());
}

bool SwaySession::startBus(const QString& socket, bool asUser, QString* address)
{
    const QString config = socket + QStringLiteral(".conf");
    if (!writeFile(config, QString::fromLatin1(busConfiguration).arg(socket))) {
        m_error = QStringLiteral("cannot write the bus configuration");
        return false;
    }
    const QStringList command{QStringLiteral("dbus-daemon"), QStringLiteral("--config-file=") + config,
                              QStringLiteral("--nofork"), QStringLiteral("--nopidfile")};
    QProcess* bus = asUser ? startAsUser(command, {}) : start(command, QProcessEnvironment::systemEnvironment());
    if (bus == nullptr)
        return false;
    if (!DesktopSession::waitUntil([&] { return QFile::exists(socket) || bus->state() != QProcess::Running; },
                                   startTimeout) ||
        !QFile::exists(socket)) {
        m_error =
            QStringLiteral("dbus-daemon did not start: %1").arg(QString::fromLocal8Bit(bus->readAllStandardError()));
        return false;
    }
    *address = QStringLiteral("unix:path=") + socket;
    return true;
}

bool SwaySession::startLogind()
{
    if (!startBus(m_root.filePath(QStringLiteral("system-bus")), false, &m_systemBusAddress))
        return false;
    m_environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_systemBusAddress);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_systemBusAddress);
    // Debian's module, whatever python3 comes first on the PATH.
    if (start({QStringLiteral("/usr/bin/python3"), QStringLiteral("-m"), QStringLiteral("dbusmock"),
               QStringLiteral("--system"), QStringLiteral("--template"), QStringLiteral("logind")},
              environment) == nullptr)
        return false;
    QDBusConnection bus = QDBusConnection::connectToBus(m_systemBusAddress, QStringLiteral("sway-session-system"));
    const auto addSession = [&] {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddSession"));
        call << QStringLiteral("auto") << QStringLiteral("seat0") << 0U << QStringLiteral("root") << true;
        return bus.call(call).type() == QDBusMessage::ReplyMessage;
    };
    if (!DesktopSession::waitUntil(addSession, startTimeout)) {
        m_error = QStringLiteral("the mocked logind did not start");
        return false;
    }
    return true;
}

bool SwaySession::startSway()
{
    const QString config = m_root.filePath(QStringLiteral("user-home/sway.conf"));
    if (!writeFile(config, QString::fromLatin1(swayConfiguration).arg(m_userRuntime))) {
        m_error = QStringLiteral("cannot write sway's configuration");
        return false;
    }
    QProcess* sway = startAsUser(
        {QStringLiteral("sway"), QStringLiteral("-c"), config},
        {QStringLiteral("DBUS_SESSION_BUS_ADDRESS=") + m_environment.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")),
         QStringLiteral("WLR_BACKENDS=headless"), QStringLiteral("WLR_LIBINPUT_NO_DEVICES=1"),
         QStringLiteral("WLR_RENDERER=pixman"), QStringLiteral("WLR_HEADLESS_OUTPUTS=1")});
    if (sway == nullptr)
        return false;
    // The display file comes last: sway runs its config's exec once it accepts clients, and xhost
    // needs XWayland up.
    const QString displayFile = m_userRuntime + QStringLiteral("/display");
    if (!DesktopSession::waitUntil(
            [&] { return QFileInfo(displayFile).size() > 0 || sway->state() != QProcess::Running; }, startTimeout) ||
        QFileInfo(displayFile).size() == 0) {
        m_error = QStringLiteral("sway did not start: %1")
                      .arg(QString::fromLocal8Bit(sway->readAllStandardError().right(3000)));
        return false;
    }
    QFile display(displayFile);
    display.open(QIODevice::ReadOnly);
    m_environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display.readAll()).trimmed());
    const QStringList wayland = QDir(m_userRuntime).entryList({QStringLiteral("wayland-?")}, QDir::System);
    const QStringList ipc = QDir(m_userRuntime).entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
    if (wayland.isEmpty() || ipc.isEmpty()) {
        m_error = QStringLiteral("sway made no sockets");
        return false;
    }
    m_environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_userRuntime + u'/' + wayland.constFirst());
    m_environment.insert(QStringLiteral("SWAYSOCK"), m_userRuntime + u'/' + ipc.constFirst());
    return true;
}

QProcess* SwaySession::startNativeWindow(const QString& appId, const QString& colour)
{
    QProcess* window = start(QStringLiteral(BRINDLEMOOR_NATIVE_TEST_WINDOW), {appId, appId, colour});
    if (window == nullptr)
        return nullptr;
    const auto listed = [&] {
        QString tree;
        return swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")}, &tree) &&
               !findNode(QJsonDocument::fromJson(tree.toUtf8()).object(), [&](const QJsonObject& node) {
                    return node.value(QStringLiteral("app_id")).toString() == appId;
                }).isEmpty();
    };
    if (!DesktopSession::waitUntil(listed, startTimeout)) {
        m_error = QStringLiteral("the window %1 did not show: %2")
                      .arg(appId, QString::fromLocal8Bit(window->readAllStandardError()));
        return nullptr;
    }
    return window;
}

bool SwaySession::swaymsg(const QStringList& arguments, QString* output) const
{
    return run(QStringLiteral("swaymsg"), arguments, output);
}

bool SwaySession::focus(const QString& appId) const
{
    return swaymsg({QStringLiteral("[app_id=\"%1\"] focus").arg(appId)}) &&
           DesktopSession::waitUntil([&] { return focusedApp() == appId; });
}

QString SwaySession::focusedApp() const
{
    QString tree;
    if (!swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")}, &tree))
        return {};
    return appOf(findNode(QJsonDocument::fromJson(tree.toUtf8()).object(), [](const QJsonObject& node) {
        return node.value(QStringLiteral("focused")).toBool() && node.contains(QStringLiteral("pid"));
    }));
}

bool SwaySession::nudge()
{
    // Back and forth, so that the pointer stays where it was.
    const QString step = ++m_nudges % 2 == 0 ? QStringLiteral("-1") : QStringLiteral("1");
    return swaymsg({QStringLiteral("--"), QStringLiteral("seat"), QStringLiteral("-"), QStringLiteral("cursor"),
                    QStringLiteral("move"), step, step});
}

bool SwaySession::lockSession(bool locked) const
{
    QDBusConnection bus = QDBusConnection::connectToBus(m_systemBusAddress, QStringLiteral("sway-session-system"));
    const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1/session/auto"),
        QStringLiteral("org.freedesktop.login1.Session"), locked ? QStringLiteral("Lock") : QStringLiteral("Unlock")));
    return reply.type() == QDBusMessage::ReplyMessage;
}

QImage SwaySession::grab() const
{
    QProcess grim;
    grim.setProcessEnvironment(m_environment);
    grim.start(QStringLiteral("grim"), {QStringLiteral("-")});
    if (!grim.waitForFinished(toolTimeoutMs) || grim.exitCode() != 0)
        return {};
    return QImage::fromData(grim.readAllStandardOutput(), "PNG");
}

bool SwaySession::run(const QString& program, const QStringList& arguments, QString* output) const
{
    return DesktopSession::runTool(program, arguments, m_environment, output);
}

void SwaySession::stopAll()
{
    // Clients first, sway and the buses last.
    for (auto index = m_processes.size(); index-- > 0;)
        DesktopSession::stop(m_processes[index].get());
    m_processes.clear();
}

} // namespace brindlemoor::test
