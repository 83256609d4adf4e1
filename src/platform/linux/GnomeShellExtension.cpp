// SPDX-License-Identifier: MIT
#include "platform/linux/GnomeShellExtension.h"

#include "platform/linux/PlatformLogging.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QProcess>
#include <QRegularExpression>

namespace brindlemoor {

namespace {

const QString shellService = QStringLiteral("org.gnome.Shell");
const QString shellPath = QStringLiteral("/org/gnome/Shell");
const QString shellExtensions = QStringLiteral("org.gnome.Shell.Extensions");

// GNOME Shell's extension states; 45 renamed ENABLED and DISABLED to ACTIVE and INACTIVE.
enum ShellExtensionState {
    shellEnabled = 1,
    shellDisabled = 2,
    shellError = 3,
    shellOutOfDate = 4,
    shellInitialized = 6,
    shellActivating = 8,
    shellUninstalled = 99,
};

// The user's click waits on it; gsettings answers at once or not at all.
constexpr int gsettingsTimeoutMs = 3000;

std::optional<QString> gsettings(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("gsettings"), arguments);
    if (!process.waitForFinished(gsettingsTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

GnomeShellExtension::GnomeShellExtension(QDBusConnection bus, QObject* parent)
    : DesktopExtension(parent)
    , m_bus(std::move(bus))
{
    if (!m_bus.isConnected())
        return;
    auto* watcher = new QDBusServiceWatcher(serviceName, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) { onOwnerChanged(owner); });
    m_bus.connect(serviceName, objectPath, interfaceName, QStringLiteral("FocusChanged"), this,
                  SLOT(onFocusChanged(QString, QString, uint)));
    m_bus.connect(serviceName, objectPath, interfaceName, QStringLiteral("DotClicked"), this,
                  SLOT(onDotClicked(int, int, int, int, int, int, uint, bool)));
    m_bus.connect(shellService, shellPath, shellExtensions, QStringLiteral("ExtensionStateChanged"), this,
                  SLOT(onExtensionStateChanged(QString, QVariantMap)));
    const QDBusReply<QString> owner = m_bus.interface()->serviceOwner(serviceName);
    if (owner.isValid() && !owner.value().isEmpty())
        onOwnerChanged(owner.value());
    else
        askShellForState();
}

GnomeShellExtension::~GnomeShellExtension()
{
    // The extension drops the dot by itself when the program's name goes; a tidy quit need not wait for that.
    if (m_present && !m_dot.isEmpty())
        hideDot();
}

void GnomeShellExtension::onOwnerChanged(const QString& owner)
{
    const bool present = !owner.isEmpty();
    if (present == m_present)
        return;
    m_present = present;
    // A new instance of the extension shows nothing until asked.
    m_dot.clear();
    if (present) {
        const QDBusMessage call = QDBusMessage::createMethodCall(
            serviceName, objectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        const QDBusMessage reply =
            m_bus.call(QDBusMessage(call) << interfaceName << QStringLiteral("ScaleFactor"), QDBus::Block, 1000);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            m_scaleFactor = std::clamp(
                static_cast<int>(qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toUInt()), 1, 8);
        setState(State::NotNeeded);
        askForFocus();
    } else {
        m_focus.reset();
        askShellForState();
    }
    Q_EMIT presenceChanged(present);
}

void GnomeShellExtension::askForFocus()
{
    const QDBusMessage call =
        QDBusMessage::createMethodCall(serviceName, objectPath, interfaceName, QStringLiteral("GetFocus"));
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* watcher) {
        watcher->deleteLater();
        const QDBusPendingReply<QString, QString, uint> reply = *watcher;
        // A FocusChanged may have come first; it is newer than this answer.
        if (reply.isValid() && m_present && !m_focus)
            onFocusChanged(reply.argumentAt<0>(), reply.argumentAt<1>(), reply.argumentAt<2>());
    });
}

void GnomeShellExtension::onFocusChanged(const QString& appId, const QString& wmClass, uint pid)
{
    if (!m_present)
        return;
    const ShellFocus focus{appId, wmClass, pid};
    if (m_focus == focus)
        return;
    m_focus = focus;
    Q_EMIT focusChanged(focus);
}

void GnomeShellExtension::onDotClicked(int x, int y, int left, int top, int width, int height, uint button, bool alt)
{
    if (button != 1 && button != 2)
        return;
    TrayClick click;
    click.button = button == 2 ? TrayClick::Button::Middle : TrayClick::Button::Primary;
    click.position = QPoint(x, y);
    click.iconGeometry = QRect(left, top, width, height);
    click.altHeld = alt;
    Q_EMIT dotClicked(click);
}

void GnomeShellExtension::setDot(const QByteArray& png)
{
    if (!m_present || png == m_dot)
        return;
    m_dot = png;
    m_bus.asyncCall(QDBusMessage::createMethodCall(serviceName, objectPath, interfaceName, QStringLiteral("SetDot"))
                    << png);
}

void GnomeShellExtension::hideDot()
{
    if (!m_present || m_dot.isEmpty())
        return;
    m_dot.clear();
    m_bus.asyncCall(QDBusMessage::createMethodCall(serviceName, objectPath, interfaceName, QStringLiteral("HideDot")));
}

void GnomeShellExtension::askShellForState()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(shellService, shellPath, shellExtensions, QStringLiteral("GetExtensionInfo"));
    call << uuid;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* watcher) {
        watcher->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *watcher;
        if (m_present)
            return;
        if (reply.isError()) {
            // No GNOME Shell to ask: nothing the user can switch on from here.
            qCWarning(lcPlatform).noquote() << QStringLiteral("cannot ask GNOME Shell about its extension %1: %2")
                                                   .arg(uuid, reply.error().message());
            setState(State::Failed);
            return;
        }
        setStateFromShell(reply.value());
    });
}

void GnomeShellExtension::onExtensionStateChanged(const QString& extension, const QVariantMap& info)
{
    if (extension == uuid && !m_present)
        setStateFromShell(info);
}

void GnomeShellExtension::setStateFromShell(const QVariantMap& info)
{
    // An extension the shell did not find at log-in is unknown to it: an empty answer.
    const int shellState =
        info.isEmpty() ? shellUninstalled : static_cast<int>(info.value(QStringLiteral("state")).toDouble());
    switch (shellState) {
    case shellEnabled:
    case shellActivating:
        // Switched on: its name follows in a moment.
        setState(State::NotNeeded);
        break;
    case shellDisabled:
    case shellInitialized:
        setState(State::Off);
        break;
    case shellError:
    case shellOutOfDate:
        setState(State::Failed);
        break;
    default:
        setState(m_askedForNextLogIn ? State::WaitingForLogIn : State::NotLoaded);
        break;
    }
}

void GnomeShellExtension::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    if (!m_stateReported && state != State::NotNeeded && state != State::WaitingForLogIn) {
        m_stateReported = true;
        const char* why = state == State::Off ? "is switched off; the usage popover has a button to turn it on"
                          : state == State::Failed
                              ? "could not be loaded by GNOME Shell"
                              : "is not loaded by GNOME Shell, which loads a newly installed extension at the next "
                                "log-in; the usage popover has a button to turn it on from then";
        qCWarning(lcPlatform).noquote() << QStringLiteral(
                                               "GNOME Shell on Wayland: no application is counted: Brindlemoor's "
                                               "extension (%1) %2")
                                               .arg(uuid, QLatin1String(why));
    }
    Q_EMIT stateChanged();
}

void GnomeShellExtension::enable()
{
    if (m_state != State::Off && m_state != State::NotLoaded)
        return;
    if (m_state == State::Off) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(shellService, shellPath, shellExtensions, QStringLiteral("EnableExtension"));
        call << uuid;
        const QDBusReply<bool> reply = m_bus.call(call, QDBus::Block, 3000);
        if (reply.isValid() && reply.value()) {
            qCInfo(lcPlatform).noquote() << QStringLiteral("turned on Brindlemoor's GNOME Shell extension");
            // Its name, or a state change, follows.
            return;
        }
    }
    // The shell switches on only what it loaded; the list it reads at log-in takes the rest.
    if (enableForNextLogIn()) {
        m_askedForNextLogIn = true;
        qCInfo(lcPlatform).noquote() << QStringLiteral(
            "Brindlemoor's GNOME Shell extension is turned on from the next log-in");
        setState(State::WaitingForLogIn);
        return;
    }
    qCWarning(lcPlatform).noquote() << QStringLiteral(
        "could not turn on Brindlemoor's GNOME Shell extension (gsettings did not answer)");
    setState(State::Failed);
}

bool GnomeShellExtension::enableForNextLogIn()
{
    const QString schema = QStringLiteral("org.gnome.shell");
    const QString key = QStringLiteral("enabled-extensions");
    const std::optional<QString> current = gsettings({QStringLiteral("get"), schema, key});
    if (!current)
        return false;
    // GVariant text of a string array: "@as []" or "['a@b', 'c@d']"; ids have no quotes in them.
    QStringList enabled;
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    for (const QRegularExpressionMatch& match : quoted.globalMatch(*current))
        enabled.append(match.captured(1));
    if (enabled.contains(uuid))
        return true;
    enabled.append(uuid);
    QStringList literal;
    for (const QString& id : std::as_const(enabled))
        literal.append(QLatin1Char('\'') + id + QLatin1Char('\''));
    return gsettings({QStringLiteral("set"), schema, key,
                      QLatin1Char('[') + literal.join(QStringLiteral(", ")) + QLatin1Char(']')})
        .has_value();
}

} // namespace brindlemoor
