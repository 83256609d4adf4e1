// SPDX-License-Identifier: MIT
#include "app/RunningInstance.h"

#include "app/AppLogging.h"
#include "core/foundation/Clock.h"
#include "core/model/TodayModel.h"
#include "core/settings/ApplicationCatalog.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

namespace brindlemoor::bus {

// The figures of one limit, (x seconds, x limit_seconds, s level); no limit travels as 0.
struct BusFigures {
    qint64 seconds = 0;
    qint64 limitSeconds = 0;
    QString level;
};
// One application's, flat: (s id, s name, x seconds, x limit_seconds, s level).
struct BusApp {
    QString id;
    QString name;
    BusFigures figures;
};

QDBusArgument& operator<<(QDBusArgument& argument, const BusFigures& figures)
{
    argument.beginStructure();
    argument << figures.seconds << figures.limitSeconds << figures.level;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusFigures& figures)
{
    argument.beginStructure();
    argument >> figures.seconds >> figures.limitSeconds >> figures.level;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const BusApp& app)
{
    argument.beginStructure();
    argument << app.id << app.name << app.figures.seconds << app.figures.limitSeconds << app.figures.level;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusApp& app)
{
    argument.beginStructure();
    argument >> app.id >> app.name >> app.figures.seconds >> app.figures.limitSeconds >> app.figures.level;
    argument.endStructure();
    return argument;
}

} // namespace brindlemoor::bus

namespace brindlemoor {

namespace {

using bus::BusApp;
using bus::BusFigures;

void registerBusTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<BusFigures>();
        qDBusRegisterMetaType<BusApp>();
        qDBusRegisterMetaType<QList<BusApp>>();
        return true;
    }();
    Q_UNUSED(registered);
}

BusFigures toBus(const StatusFigures& figures)
{
    return {figures.seconds, figures.limitSeconds.value_or(0), figures.level};
}

StatusFigures fromBus(const BusFigures& figures)
{
    return {figures.seconds, figures.limitSeconds > 0 ? std::optional<qint64>(figures.limitSeconds) : std::nullopt,
            figures.level};
}

QList<QVariant> statusArguments(const TodayStatus& status)
{
    QList<BusApp> apps;
    for (const AppStatus& app : status.apps)
        apps.append({app.id, app.name, toBus(app.figures)});
    return {status.paused, QVariant::fromValue(toBus(status.total)), QVariant::fromValue(apps)};
}

// The other instance holds the lock from its first moments but takes its name a little later.
bool waitForName(const QDBusConnection& bus, std::chrono::milliseconds timeout)
{
    // Watching before asking, so that a name taken in between is not missed.
    QDBusServiceWatcher watcher(RunningInstance::serviceName, bus, QDBusServiceWatcher::WatchForRegistration);
    if (RunningInstance::isRunning(bus))
        return true;
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    loop.exec();
    return RunningInstance::isRunning(bus);
}

const QString invalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");

} // namespace

struct RunningInstance::Served {
    Served(TodayModel& today, const ApplicationCatalog& catalog, const Clock& clock, Scheduler& scheduler)
        : today(today)
        , catalog(catalog)
        , clock(clock)
        , broadcast(today, catalog, scheduler)
    {
    }

    TodayModel& today;
    const ApplicationCatalog& catalog;
    const Clock& clock;
    StatusBroadcast broadcast;
};

RunningInstance::RunningInstance(QObject* parent)
    : QDBusVirtualObject(parent)
{
    registerBusTypes();
}

RunningInstance::~RunningInstance() = default;

QString RunningInstance::interfaceXml()
{
    QFile file(QStringLiteral(":/brindlemoor/%1.xml").arg(interfaceName));
    file.open(QIODevice::ReadOnly);
    // Introspection answers the interface alone; the bus adds the node and the standard interfaces.
    static const QRegularExpression interface(QStringLiteral("<interface .*</interface>"),
                                              QRegularExpression::DotMatchesEverythingOption);
    return interface.match(QString::fromUtf8(file.readAll())).captured();
}

bool RunningInstance::registerOn(QDBusConnection bus)
{
    if (!bus.isConnected()) {
        qCWarning(lcApp) << "no session bus: a second start cannot reach this one";
        return false;
    }
    if (!bus.registerVirtualObject(objectPath, this)) {
        qCWarning(lcApp).noquote()
            << QStringLiteral("cannot offer %1 on the session bus: %2").arg(objectPath, bus.lastError().message());
        return false;
    }
    if (!bus.registerService(serviceName)) {
        qCWarning(lcApp).noquote() << QStringLiteral("cannot take the name %1 on the session bus: %2")
                                          .arg(serviceName, bus.lastError().message());
        return false;
    }
    m_bus = bus;
    return true;
}

void RunningInstance::serve(TodayModel& today, const ApplicationCatalog& catalog, const Clock& clock,
                            Scheduler& scheduler)
{
    m_served = std::make_unique<Served>(today, catalog, clock, scheduler);
    connect(&m_served->broadcast, &StatusBroadcast::statusChanged, this, &RunningInstance::sendStatusChanged);
}

void RunningInstance::stopServing()
{
    m_served.reset();
}

void RunningInstance::sendStatusChanged(const TodayStatus& status)
{
    if (!m_bus)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(objectPath, interfaceName, QStringLiteral("StatusChanged"));
    signal.setArguments(statusArguments(status));
    m_bus->send(signal);
}

QString RunningInstance::introspect(const QString& path) const
{
    return path == objectPath ? interfaceXml() : QString();
}

bool RunningInstance::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage || message.path() != objectPath ||
        (!message.interface().isEmpty() && message.interface() != interfaceName))
        return false;
    const QString member = message.member();
    const QString signature = message.signature();
    const auto reply = [&](const QList<QVariant>& arguments = {}) {
        connection.send(message.createReply(arguments));
        return true;
    };
    const auto fail = [&](const QString& name, const QString& text) {
        connection.send(message.createErrorReply(name, text));
        return true;
    };

    if (signature.isEmpty() && (member == QLatin1String("ShowUsage") || member == QLatin1String("ShowSettings"))) {
        Q_EMIT requested(member == QLatin1String("ShowSettings") ? Request::Settings : Request::Usage);
        return reply();
    }
    const bool known =
        (signature.isEmpty() && (member == QLatin1String("GetStatus") || member == QLatin1String("Pause") ||
                                 member == QLatin1String("Resume"))) ||
        (signature == QLatin1String("s") && member == QLatin1String("Reset")) ||
        (signature == QLatin1String("su") && member == QLatin1String("Export"));
    if (!known)
        return false;
    if (!m_served)
        return fail(interfaceName + QStringLiteral(".Error.Starting"), QStringLiteral("the program is still starting"));
    TodayModel& today = m_served->today;

    if (member == QLatin1String("GetStatus"))
        return reply(statusArguments(todayStatus(today, m_served->catalog)));
    if (member == QLatin1String("Pause") || member == QLatin1String("Resume")) {
        today.setPaused(member == QLatin1String("Pause"));
        return reply();
    }
    if (member == QLatin1String("Reset")) {
        const QString id = message.arguments().at(0).toString();
        if (!today.isWatched(id))
            return fail(invalidArgs, QStringLiteral("'%1' is not a watched application").arg(id));
        today.resetApp(id);
        return reply();
    }
    const auto format = exportFormatNamed(message.arguments().at(0).toString());
    if (!format)
        return fail(invalidArgs, QStringLiteral("the format is \"csv\" or \"json\""));
    const ApplicationCatalog& catalog = m_served->catalog;
    const QByteArray document = brindlemoor::exportHistory(
        today.history(), *format, message.arguments().at(1).toUInt(), m_served->clock.now().date(),
        [&catalog](const QString& id) { return applicationDisplayName(catalog, id); });
    return reply({QString::fromUtf8(document)});
}

bool RunningInstance::isRunning(const QDBusConnection& bus)
{
    return bus.isConnected() && bus.interface()->isServiceRegistered(serviceName).value();
}

QDBusMessage RunningInstance::call(const QDBusConnection& bus, const QString& method, const QList<QVariant>& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(serviceName, objectPath, interfaceName, method);
    message.setArguments(arguments);
    QDBusMessage reply = bus.call(message, QDBus::Block, 10000);
    m_error = reply.type() == QDBusMessage::ErrorMessage ? reply.errorMessage() : QString();
    return reply;
}

bool RunningInstance::ask(const QDBusConnection& bus, Request request, std::chrono::milliseconds timeout)
{
    m_error.clear();
    if (!bus.isConnected()) {
        m_error = QStringLiteral("no session bus");
        return false;
    }
    if (!waitForName(bus, timeout)) {
        m_error = QStringLiteral("it has no name on the session bus");
        return false;
    }
    return call(bus, request == Request::Settings ? QStringLiteral("ShowSettings") : QStringLiteral("ShowUsage"))
               .type() != QDBusMessage::ErrorMessage;
}

std::optional<TodayStatus> RunningInstance::status(const QDBusConnection& bus)
{
    const QDBusMessage reply = call(bus, QStringLiteral("GetStatus"));
    if (reply.type() == QDBusMessage::ErrorMessage)
        return std::nullopt;
    if (reply.signature() != QLatin1String("b(xxs)a(ssxxs)")) {
        m_error = QStringLiteral("it answered with %1").arg(reply.signature());
        return std::nullopt;
    }
    TodayStatus status{reply.arguments().at(0).toBool(), fromBus(qdbus_cast<BusFigures>(reply.arguments().at(1))), {}};
    for (const BusApp& app : qdbus_cast<QList<BusApp>>(reply.arguments().at(2)))
        status.apps.append({app.id, app.name, fromBus(app.figures)});
    return status;
}

std::optional<QByteArray> RunningInstance::exportHistory(const QDBusConnection& bus, ExportFormat format, qint64 days)
{
    const QString name = format == ExportFormat::Csv ? QStringLiteral("csv") : QStringLiteral("json");
    const QDBusMessage reply =
        call(bus, QStringLiteral("Export"), {name, QVariant::fromValue(static_cast<uint>(days))});
    if (reply.type() == QDBusMessage::ErrorMessage)
        return std::nullopt;
    if (reply.signature() != QLatin1String("s")) {
        m_error = QStringLiteral("it answered with %1").arg(reply.signature());
        return std::nullopt;
    }
    return reply.arguments().at(0).toString().toUtf8();
}

} // namespace brindlemoor
