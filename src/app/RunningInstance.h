// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/HistoryExport.h"
#include "core/status/TodayStatus.h"
#include "platform/linux/AppId.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace brindlemoor {

class ApplicationCatalog;
class Clock;
class Scheduler;
class TodayModel;

/// The running program on the session bus: a second start asks through it for a popover (which
/// is how a desktop without a tray reaches the program), and panels and scripts read today's
/// figures, pause, resume, reset and export. The interface is described by the XML installed
/// beside the program, which is also what it answers to introspection.
class RunningInstance final : public QDBusVirtualObject {
    Q_OBJECT

public:
    enum class Request { Usage, Settings };

    static inline const QString serviceName = QStringLiteral(BRINDLEMOOR_APP_ID);
    static inline const QString interfaceName = QStringLiteral(BRINDLEMOOR_APP_ID);
    static inline const QString objectPath = QStringLiteral("/io/github/brindlemoor/Brindlemoor");

    explicit RunningInstance(QObject* parent = nullptr);
    ~RunningInstance() override;

    /// Takes the name and offers the object on `bus`; false (and says why) when it cannot.
    bool registerOn(QDBusConnection bus);
    /// From now on answers with today's figures and acts on them; until then those calls fail.
    void serve(TodayModel& today, const ApplicationCatalog& catalog, const Clock& clock, Scheduler& scheduler);
    void stopServing();

    /// The interface as the installed XML describes it.
    static QString interfaceXml();

    // The asking side, in another process. Each returns false when it cannot, and `errorText()`
    // then says why.

    /// Asks the running program for `request`, waiting up to `timeout` for its name to
    /// appear (it may be starting right now).
    bool ask(const QDBusConnection& bus, Request request, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    /// Whether a program has the name on `bus` now.
    static bool isRunning(const QDBusConnection& bus);
    std::optional<TodayStatus> status(const QDBusConnection& bus);
    std::optional<QByteArray> exportHistory(const QDBusConnection& bus, ExportFormat format, qint64 days);
    QString errorText() const { return m_error; }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

Q_SIGNALS:
    void requested(brindlemoor::RunningInstance::Request request);

private:
    struct Served;

    QDBusMessage call(const QDBusConnection& bus, const QString& method, const QList<QVariant>& arguments = {});
    void sendStatusChanged(const TodayStatus& status);

    std::unique_ptr<Served> m_served;
    std::optional<QDBusConnection> m_bus;
    QString m_error;
};

} // namespace brindlemoor
