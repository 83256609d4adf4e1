// SPDX-License-Identifier: MIT
#include "support/SwaySession.h"

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
    // The unprivileged user reaches its folders inside.
    QFile::setPermissions(m_root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                             QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    m_userRuntime = m_root.filePath(QStringLiteral("user-runtime"));
    if (!isReady() || !makeUserFolder(m_userRuntime) || !makeUserFolder(m_root.filePath(QStringLiteral("user-home")))) {
        fail(QStringLiteral("cannot make the session's folders"));
        return;
    }
    m_environment.insert(QStringLiteral("HOME"), m_root.path());
    m_environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    m_environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
    const QString sessionBus = startBus(m_userRuntime + QStringLiteral("/bus"), {},
                                        [this](const QStringList& command) { return startAsUser(command); });
    m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBus);
    if (isReady() && (!options.logind || startLogind()))
        startSway();
}

bool SwaySession::isInstalled()
{
    for (const char* program : {"sway", "swaybar", "grim", "xhost", "Xwayland"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return false;
    return true;
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
    const QStringList full = wrapper + environment + command;
    return start(full.constFirst(), full.mid(1), QProcessEnvironment::systemEnvironment());
}

bool SwaySession::startLogind()
{
    m_systemBusAddress = startBus(m_root.filePath(QStringLiteral("system-bus")));
    if (m_systemBusAddress.isEmpty())
        return false;
    m_environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_systemBusAddress);
    // Debian's module, whatever python3 comes first on the PATH.
    if (start(QStringLiteral("/usr/bin/python3"),
              {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
               QStringLiteral("--template"), QStringLiteral("logind")}) == nullptr)
        return false;
    QDBusConnection bus = QDBusConnection::connectToBus(m_systemBusAddress, QStringLiteral("sway-session-system"));
    const auto addSession = [&] {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddSession"));
        call << QStringLiteral("auto") << QStringLiteral("seat0") << 0U << QStringLiteral("root") << true;
        return bus.call(call).type() == QDBusMessage::ReplyMessage;
    };
    return waitUntil(addSession, startTimeout) || fail(QStringLiteral("the mocked logind did not start"));
}

bool SwaySession::startSway()
{
    const QString config = m_root.filePath(QStringLiteral("user-home/sway.conf"));
    if (!writeFile(config, QString::fromLatin1(swayConfiguration).arg(m_userRuntime))) {
        return fail(QStringLiteral("cannot write sway's configuration"));
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
    if (!waitForStart(
            sway, QStringLiteral("sway"), [&] { return QFileInfo(displayFile).size() > 0; }, startTimeout))
        return false;
    QFile display(displayFile);
    display.open(QIODevice::ReadOnly);
    m_environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display.readAll()).trimmed());
    const QStringList wayland = QDir(m_userRuntime).entryList({QStringLiteral("wayland-?")}, QDir::System);
    const QStringList ipc = QDir(m_userRuntime).entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
    if (wayland.isEmpty() || ipc.isEmpty()) {
        return fail(QStringLiteral("sway made no sockets"));
    }
    m_environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_userRuntime + u'/' + wayland.constFirst());
    m_environment.insert(QStringLiteral("SWAYSOCK"), m_userRuntime + u'/' + ipc.constFirst());
    return true;
}

QProcess* SwaySession::startNativeWindow(const QString& appId, const QColor& colour)
{
    return startTestWindow(appId, appId, colour, false, [&] {
        QString tree;
        return swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")}, &tree) &&
               !findNode(QJsonDocument::fromJson(tree.toUtf8()).object(), [&](const QJsonObject& node) {
                    return node.value(QStringLiteral("app_id")).toString() == appId;
                }).isEmpty();
    });
}

bool SwaySession::swaymsg(const QStringList& arguments, QString* output) const
{
    return run(QStringLiteral("swaymsg"), arguments, output);
}

bool SwaySession::focus(const QString& appId) const
{
    return swaymsg({QStringLiteral("[app_id=\"%1\"] focus").arg(appId)}) &&
           waitUntil([&] { return focusedApp() == appId; });
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

} // namespace brindlemoor::test
