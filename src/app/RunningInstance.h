// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/AppId.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <chrono>

namespace brindlemoor {

/// The running program's door on the session bus. A second start of the program asks
/// through it for a popover, which is how a desktop without a tray reaches the program.
class RunningInstance final : public QObject {
    Q_OBJECT
    // The program's one name on the session bus is also its interface's name.
    Q_CLASSINFO("D-Bus Interface", BRINDLEMOOR_APP_ID)

public:
    enum class Request { Usage, Settings };

    static inline const QString serviceName = QStringLiteral(BRINDLEMOOR_APP_ID);
    static inline const QString objectPath = QStringLiteral("/io/github/brindlemoor/Brindlemoor");

    using QObject::QObject;

    /// Takes the name and offers the object on `bus`; false (and says why) when it cannot.
    bool registerOn(QDBusConnection bus);

    /// Asks the running program for `request`, waiting up to `timeout` for its name to
    /// appear (it may be starting right now); false when it cannot, and `errorText()` then says why.
    bool ask(const QDBusConnection& bus, Request request, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    QString errorText() const { return m_error; }

public Q_SLOTS:
    // The bus's method names.
    Q_SCRIPTABLE void ShowUsage();
    Q_SCRIPTABLE void ShowSettings();

Q_SIGNALS:
    void requested(brindlemoor::RunningInstance::Request request);

private:
    QString m_error;
};

} // namespace brindlemoor
