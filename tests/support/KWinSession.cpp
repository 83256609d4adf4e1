// SPDX-License-Identifier: MIT
#include "support/KWinSession.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

#include <protocols/fake-input-client-protocol.h>
#include <wayland-client.h>

#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace brindlemoor::test {

namespace {

using namespace std::chrono_literals;

const QString kwinService = QStringLiteral("org.kde.KWin");
const QString busName = QStringLiteral("brindlemoor-kwin-session");
const QString repliesPath = QStringLiteral("/io/github/brindlemoor/TestReplies");
const QString activeCaption = QStringLiteral(
    "(workspace.activeWindow !== undefined ? workspace.activeWindow : workspace.activeClient || {}).caption");

QDBusMessage callKWin(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(kwinService, path, interface, method);
    call.setArguments(arguments);
    return QDBusConnection(busName).call(call, QDBus::Block, 10000);
}

// Reads a pipe to its end; KWin writes the picture after it has answered.
QByteArray readToEnd(int fd)
{
    QByteArray data;
    char buffer[65536];
    pollfd waiting{fd, POLLIN, 0};
    while (::poll(&waiting, 1, 10000) > 0) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        data.append(buffer, got);
    }
    return data;
}

} // namespace

/// Where a script run inside KWin sends back what it found, as KWin's callDBus can.
class ScriptReplies final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.brindlemoor.TestReplies")

public:
    QStringList replies;

public Q_SLOTS:
    Q_SCRIPTABLE void Reply(const QString& value) { replies.append(value); }
};

bool KWinSession::isInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("kwin_wayland")).isEmpty();
}

KWinSession::KWinSession(const Options& options)
    : m_desktop(DesktopSession::Options{.display = false, .windowManager = false})
{
    if (m_desktop.isReady() && !startKWin(options))
        m_desktop.setEnvironmentVariable(QStringLiteral("WAYLAND_DISPLAY"), {});
}

KWinSession::~KWinSession()
{
    QDBusConnection::disconnectFromBus(busName);
}

bool KWinSession::startKWin(const Options& options)
{
    // The copy carries no file capability, and keeps the name KWin's platform plugin insists on.
    const QString kwin = m_root.filePath(QStringLiteral("kwin_wayland"));
    if (!QFile::copy(QStandardPaths::findExecutable(QStringLiteral("kwin_wayland")), kwin)) {
        m_error = QStringLiteral("cannot copy kwin_wayland");
        return false;
    }
    // KWin starts the programs it is given once XWayland is up, with its DISPLAY.
    const QString displayFile = m_root.filePath(QStringLiteral("display"));
    const QString tellDisplay =
        QStringLiteral("sh -c 'printf \"%s\\n%s\\n\" \"$DISPLAY\" \"$XAUTHORITY\" > %1.part && mv %1.part %1'")
            .arg(displayFile);
    // Without KWIN_WAYLAND_NO_PERMISSION_CHECKS, KWin offers fake input only to programs whose
    // desktop entry asks for it.
    const QStringList arguments{QStringLiteral("KWIN_COMPOSE=O2"),
                                QStringLiteral("KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1"),
                                QStringLiteral("KWIN_WAYLAND_NO_PERMISSION_CHECKS=1"),
                                kwin,
                                QStringLiteral("--virtual"),
                                QStringLiteral("--xwayland"),
                                QStringLiteral("--width"),
                                QString::number(options.screenSize.width()),
                                QStringLiteral("--height"),
                                QString::number(options.screenSize.height()),
                                QStringLiteral("--socket"),
                                QStringLiteral("wayland-0"),
                                tellDisplay};
    QProcess* process = m_desktop.start(QStringLiteral("env"), arguments);
    if (process == nullptr)
        return false;
    QStringList display;
    const bool started = DesktopSession::waitUntil(
        [&] {
            QFile file(displayFile);
            if (process->state() == QProcess::NotRunning || !file.open(QIODevice::ReadOnly))
                return false;
            display = QString::fromLocal8Bit(file.readAll()).split(u'\n');
            return true;
        },
        30s);
    if (!started || display.value(0).isEmpty()) {
        m_error = QStringLiteral("KWin did not start with XWayland: %1")
                      .arg(QString::fromLocal8Bit(process->readAllStandardError().right(2000)));
        return false;
    }
    const QDBusConnection bus = QDBusConnection::connectToBus(m_desktop.busAddress(), busName);
    if (!DesktopSession::waitUntil([&] { return bus.interface()->isServiceRegistered(kwinService).value(); })) {
        m_error = QStringLiteral("KWin is not on the bus");
        return false;
    }
    m_replies = std::make_unique<ScriptReplies>();
    if (!QDBusConnection(busName).registerObject(repliesPath, m_replies.get(),
                                                 QDBusConnection::ExportScriptableSlots)) {
        m_error = QStringLiteral("cannot offer the object KWin's scripts answer to");
        return false;
    }
    m_desktop.setEnvironmentVariable(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
    m_desktop.setEnvironmentVariable(QStringLiteral("DISPLAY"), display.value(0));
    if (!display.value(1).isEmpty())
        m_desktop.setEnvironmentVariable(QStringLiteral("XAUTHORITY"), display.value(1));
    m_desktop.setEnvironmentVariable(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    m_desktop.setEnvironmentVariable(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
    return true;
}

QProcess* KWinSession::startWindow(const QString& app, const QString& title, const QColor& colour, bool fullScreen)
{
    // KWin 6 activates a new window a moment after it has drawn itself, and would take the
    // focus back from a window activated in between.
    return m_desktop.startTestWindow(app, title, colour, fullScreen, [&] { return isActive(title); });
}

bool KWinSession::activate(const QString& title, QProcess* window)
{
    const QString quoted = QString::fromUtf8(QJsonDocument(QJsonArray{title}).toJson(QJsonDocument::Compact));
    const bool asked =
        runScript(QStringLiteral("const wanted = %1[0];\n"
                                 "const plasma6 = workspace.windowList !== undefined;\n"
                                 "for (const w of plasma6 ? workspace.windowList() : workspace.clientList()) {\n"
                                 "    if (w.caption !== wanted) continue;\n"
                                 "    if (plasma6) workspace.activeWindow = w; else workspace.activeClient = w;\n"
                                 "}\n")
                      .arg(quoted));
    // The window's own word that it has the keyboard, and KWin's.
    return asked && DesktopSession::waitUntil([&] {
               const QStringList said = Session::said(window);
               return said.lastIndexOf(QStringLiteral("active")) > said.lastIndexOf(QStringLiteral("inactive")) &&
                      isActive(title);
           });
}

bool KWinSession::isActive(const QString& title)
{
    return evaluate(activeCaption) == title;
}

std::optional<QString> KWinSession::evaluate(const QString& expression)
{
    const QString unique = QDBusConnection(busName).baseService();
    const qsizetype before = m_replies->replies.size();
    if (!runScript(QStringLiteral("callDBus(\"%1\", \"%2\", \"io.github.brindlemoor.TestReplies\", \"Reply\", "
                                  "String(%3));\n")
                       .arg(unique, repliesPath, expression)))
        return std::nullopt;
    if (!DesktopSession::waitUntil([&] { return m_replies->replies.size() > before; }, 10s))
        return std::nullopt;
    return m_replies->replies.last();
}

bool KWinSession::runScript(const QString& source)
{
    const QString name = QStringLiteral("brindlemoor-test-%1").arg(++m_scripts);
    QFile file(m_root.filePath(name + QStringLiteral(".js")));
    if (!file.open(QIODevice::WriteOnly) || file.write(source.toUtf8()) < 0)
        return false;
    file.close();
    const QString scripting = QStringLiteral("org.kde.kwin.Scripting");
    const QDBusMessage loaded =
        callKWin(QStringLiteral("/Scripting"), scripting, QStringLiteral("loadScript"), {file.fileName(), name});
    const int id = loaded.arguments().value(0, -1).toInt();
    bool ran = false;
    // Plasma 6 names the script /Scripting/ScriptN, Plasma 5 /N.
    for (const QString& path : {QStringLiteral("/Scripting/Script%1").arg(id), QStringLiteral("/%1").arg(id)}) {
        if (!ran && id >= 0)
            ran = callKWin(path, QStringLiteral("org.kde.kwin.Script"), QStringLiteral("run")).type() ==
                  QDBusMessage::ReplyMessage;
    }
    callKWin(QStringLiteral("/Scripting"), scripting, QStringLiteral("unloadScript"), {name});
    return ran;
}

bool KWinSession::isScriptLoaded(const QString& pluginName) const
{
    const QDBusMessage reply = callKWin(QStringLiteral("/Scripting"), QStringLiteral("org.kde.kwin.Scripting"),
                                        QStringLiteral("isScriptLoaded"), {pluginName});
    return reply.arguments().value(0).toBool();
}

QImage KWinSession::screenshot() const
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {};
    QDBusMessage reply;
    {
        const QDBusUnixFileDescriptor writeEnd(fds[1]);
        ::close(fds[1]);
        reply = callKWin(QStringLiteral("/org/kde/KWin/ScreenShot2"), QStringLiteral("org.kde.KWin.ScreenShot2"),
                         QStringLiteral("CaptureWorkspace"),
                         {QVariantMap{{QStringLiteral("include-cursor"), false}}, QVariant::fromValue(writeEnd)});
    }
    const QByteArray data = readToEnd(fds[0]);
    ::close(fds[0]);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {};
    const QVariantMap results = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    const int width = results.value(QStringLiteral("width")).toInt();
    const int height = results.value(QStringLiteral("height")).toInt();
    const int stride = results.value(QStringLiteral("stride")).toInt();
    const auto format = static_cast<QImage::Format>(results.value(QStringLiteral("format")).toInt());
    if (width <= 0 || height <= 0 || data.size() < qsizetype(stride) * height)
        return {};
    return QImage(reinterpret_cast<const uchar*>(data.constData()), width, height, stride, format).copy();
}

bool KWinSession::lock()
{
    const QString path = QStringLiteral("/ScreenSaver");
    const QString interface = QStringLiteral("org.freedesktop.ScreenSaver");
    callKWin(path, interface, QStringLiteral("Lock"));
    return DesktopSession::waitUntil(
        [&] { return callKWin(path, interface, QStringLiteral("GetActive")).arguments().value(0).toBool(); });
}

bool KWinSession::nudge()
{
    const QString runtime = m_desktop.environment().value(QStringLiteral("XDG_RUNTIME_DIR"));
    wl_display* display = wl_display_connect(QFile::encodeName(runtime + QStringLiteral("/wayland-0")).constData());
    if (display == nullptr)
        return false;
    org_kde_kwin_fake_input* input = nullptr;
    static const wl_registry_listener listener{
        .global =
            [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t /*version*/) {
                if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
                    *static_cast<org_kde_kwin_fake_input**>(data) = static_cast<org_kde_kwin_fake_input*>(
                        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 1));
            },
        .global_remove = [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &input);
    bool sent = wl_display_roundtrip(display) >= 0 && input != nullptr;
    if (sent) {
        org_kde_kwin_fake_input_authenticate(input, "Brindlemoor's tests", "input that ends idleness");
        org_kde_kwin_fake_input_pointer_motion(input, wl_fixed_from_int(1), 0);
        org_kde_kwin_fake_input_pointer_motion(input, wl_fixed_from_int(-1), 0);
        sent = wl_display_roundtrip(display) >= 0;
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(input));
    }
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return sent;
}

} // namespace brindlemoor::test

#include "KWinSession.moc"
