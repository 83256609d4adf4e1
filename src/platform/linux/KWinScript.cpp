// SPDX-License-Identifier: MIT
#include "platform/linux/KWinScript.h"

#include "platform/linux/PlatformLogging.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QFileInfo>
#include <QStandardPaths>

namespace brindlemoor {

namespace {

const QString kwinService = QStringLiteral("org.kde.KWin");
const QString scriptingPath = QStringLiteral("/Scripting");
const QString scriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString scriptFile = QStringLiteral("brindlemoor/kwin/active-window.js");
// KWin answers at once; the program's start waits on it.
constexpr int callTimeoutMs = 3000;

} // namespace

QString KWinScript::installedPath()
{
    QStringList candidates{QCoreApplication::applicationDirPath() + QStringLiteral("/../share/") + scriptFile};
    if (const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation, scriptFile); !found.isEmpty())
        candidates.append(found);
    candidates.append(QStringLiteral(BRINDLEMOOR_INSTALL_DATADIR "/") + scriptFile);
    for (const QString& candidate : std::as_const(candidates)) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

KWinScript::KWinScript(QDBusConnection bus, QString scriptPath, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_path(std::move(scriptPath))
{
    if (!m_bus.isConnected()) {
        fail(QStringLiteral("there is no session bus"));
        return;
    }
    if (m_path.isEmpty()) {
        fail(QStringLiteral("Brindlemoor's KWin script is not installed"));
        return;
    }
    if (!m_bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots)) {
        fail(QStringLiteral("the object the script calls cannot be offered: ") + m_bus.lastError().message());
        return;
    }
    auto* watcher = new QDBusServiceWatcher(kwinService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) { onKWinOwnerChanged(owner); });
    const QDBusReply<QString> owner = m_bus.interface()->serviceOwner(kwinService);
    if (owner.isValid() && !owner.value().isEmpty())
        onKWinOwnerChanged(owner.value());
    else
        fail(QStringLiteral("KWin is not on the session bus"));
}

KWinScript::~KWinScript()
{
    if (m_loaded)
        unload();
    if (m_bus.isConnected())
        m_bus.unregisterObject(objectPath);
}

void KWinScript::onKWinOwnerChanged(const QString& owner)
{
    m_kwinOwner = owner;
    const bool loaded = !owner.isEmpty() && load();
    if (loaded == m_loaded)
        return;
    m_loaded = loaded;
    Q_EMIT loadedChanged(loaded);
}

bool KWinScript::load()
{
    // A killed run left its script behind, and KWin refuses a second one of the same name.
    unload();
    int id = -1;
    // KWin drops an unloaded script at its next turn of the event loop; each call is a turn.
    for (int attempt = 0; attempt < 20 && id < 0; ++attempt) {
        const QDBusMessage reply = callScripting(QStringLiteral("loadScript"), {m_path, pluginName});
        if (reply.type() != QDBusMessage::ReplyMessage) {
            fail(QStringLiteral("KWin offers no scripting interface (%1)").arg(reply.errorMessage()));
            return false;
        }
        id = reply.arguments().value(0).toInt();
    }
    if (id < 0) {
        fail(QStringLiteral("KWin did not load %1").arg(m_path));
        return false;
    }
    // Plasma 6 names the script's object /Scripting/ScriptN, Plasma 5 /N.
    QString error;
    for (const QString& path : {QStringLiteral("/Scripting/Script%1").arg(id), QStringLiteral("/%1").arg(id)}) {
        const QDBusMessage reply =
            m_bus.call(QDBusMessage::createMethodCall(kwinService, path, QStringLiteral("org.kde.kwin.Script"),
                                                      QStringLiteral("run")),
                       QDBus::Block, callTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return true;
        error = reply.errorMessage();
    }
    unload();
    fail(QStringLiteral("KWin loaded the script but did not run it (%1)").arg(error));
    return false;
}

void KWinScript::unload()
{
    callScripting(QStringLiteral("unloadScript"), {pluginName});
}

QDBusMessage KWinScript::callScripting(const QString& method, const QVariantList& arguments) const
{
    QDBusMessage call = QDBusMessage::createMethodCall(kwinService, scriptingPath, scriptingInterface, method);
    call.setArguments(arguments);
    return m_bus.call(call, QDBus::Block, callTimeoutMs);
}

void KWinScript::fail(const QString& why)
{
    if (m_failureSaid)
        return;
    m_failureSaid = true;
    qCWarning(lcPlatform).noquote()
        << QStringLiteral("KDE Plasma on Wayland: no application is counted, because %1").arg(why);
}

void KWinScript::ReportActiveWindow(const QString& desktopFileName, const QString& resourceClass, int pid)
{
    // Anyone on the bus could call; only KWin knows which window is active.
    if (m_kwinOwner.isEmpty() || message().service() != m_kwinOwner)
        return;
    Q_EMIT activeWindowReported(
        ReportedWindow{desktopFileName, resourceClass, pid > 0 ? static_cast<quint32>(pid) : 0U});
}

} // namespace brindlemoor
