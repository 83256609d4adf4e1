// SPDX-License-Identifier: MIT
#include "app/AppLogging.h"
#include "app/BrindlemoorApp.h"
#include "app/CommandLine.h"
#include "app/PlainMessages.h"
#include "app/QuitOnSignals.h"
#include "app/RunningInstance.h"
#include "app/SingleInstance.h"
#include "core/foundation/BuildInfo.h"
#include "core/foundation/ProgramIdentity.h"
#include "platform/linux/AppId.h"
#include "platform/linux/SessionKind.h"
#include "platform/sqlite/SqliteKeyValueStore.h"
#include "views/components/Translations.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>
#include <variant>

int main(int argc, char** argv)
{
    brindlemoor::printOwnMessagesPlainly();
    using brindlemoor::RunningInstance;
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const brindlemoor::Command command = brindlemoor::parseCommandLine(arguments);
    if (const auto* error = std::get_if<brindlemoor::CommandError>(&command)) {
        qCWarning(lcApp).noquote() << error->text + QStringLiteral(" (brindlemoor --help shows the options)");
        return 2;
    }
    if (std::holds_alternative<brindlemoor::HelpCommand>(command)) {
        std::fputs(qPrintable(brindlemoor::usageText()), stdout);
        return 0;
    }
    // Panels and scripts ask without a display: these need the session bus alone.
    if (!std::holds_alternative<brindlemoor::RunCommand>(command)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(brindlemoor::programId);
        brindlemoor::installTranslations();
        if (const auto* status = std::get_if<brindlemoor::StatusCommand>(&command))
            return brindlemoor::runStatus(*status);
        return brindlemoor::runExport(std::get<brindlemoor::ExportCommand>(command));
    }
    const std::optional<RunningInstance::Request> request = std::get<brindlemoor::RunCommand>(command).request;

    // Without a display Qt aborts with a core dump; a plain sentence serves the user better.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qCWarning(lcApp) << "no graphical session to run in (DISPLAY is not set)";
        return 1;
    }
    const QByteArray windowPlatform =
        brindlemoor::windowPlatformFor(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!windowPlatform.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", windowPlatform);
        // Qt 6.8's XInput 2 handling crashes on a device change for a device it has not set up,
        // which XWayland sends when the compositor adds one (KWin 6 does for its fake input).
        // The program's windows need only clicks, motion and keys, which core events carry.
        if (qEnvironmentVariableIsEmpty("QT_XCB_NO_XI2"))
            qputenv("QT_XCB_NO_XI2", "1");
    }
    QApplication app(argc, argv);
    // The store's folder is named after the application, so the name stays short; Qt gives the
    // windows the desktop id, as X11 properties and as Wayland app_id.
    QApplication::setApplicationName(brindlemoor::programId);
    QApplication::setDesktopFileName(QStringLiteral(BRINDLEMOOR_APP_ID));
    QApplication::setApplicationVersion(QString::fromLatin1(brindlemoor::build::version));
    // No main window: closing a popover or the overlay must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    brindlemoor::installTranslations();

    const QString storePath = brindlemoor::SqliteKeyValueStore::ensureDefaultLocation();
    brindlemoor::SingleInstance instance(QFileInfo(storePath).dir().filePath(QStringLiteral("instance.lock")));
    if (!instance.isPrimary()) {
        // The running one shows itself: this is how a desktop without a tray reaches it.
        const RunningInstance::Request asked = request.value_or(RunningInstance::Request::Usage);
        const char* what = asked == RunningInstance::Request::Settings ? "its settings" : "its usage popover";
        RunningInstance running;
        if (!running.ask(QDBusConnection::sessionBus(), asked)) {
            qCWarning(lcApp).noquote()
                << QStringLiteral("already running for this user, but it could not be asked to open %1 (%2)")
                       .arg(QLatin1String(what), running.errorText());
            return 1;
        }
        qCInfo(lcApp).noquote()
            << QStringLiteral("already running for this user; asked it to open %1").arg(QLatin1String(what));
        return 0;
    }

    std::unique_ptr<brindlemoor::KeyValueStore> defaults;
    auto sqlite = std::make_unique<brindlemoor::SqliteKeyValueStore>(storePath);
    if (sqlite->isOpen() || sqlite->retriesOpening()) {
        // Until a store that could not be created opens, the app keeps every change in memory
        // and says so once, at the first change it cannot save.
        defaults = std::move(sqlite);
    } else {
        qCWarning(lcApp).noquote() << QStringLiteral("cannot open %1 (%2); settings and usage are kept in memory only")
                                          .arg(storePath, sqlite->errorText());
        defaults = std::make_unique<brindlemoor::MemoryKeyValueStore>();
    }

    RunningInstance door;
    brindlemoor::BrindlemoorApp brindlemoor(*defaults, door);
    QObject::connect(&door, &RunningInstance::requested, &brindlemoor, &brindlemoor::BrindlemoorApp::handleRequest);
    door.registerOn(QDBusConnection::sessionBus());
    brindlemoor::quitOnTerminationSignals();
    // The controller is built once the event loop runs and the window system is ready.
    QTimer::singleShot(0, &brindlemoor, [&brindlemoor, request] { brindlemoor.finishLaunching(request); });
    return QApplication::exec();
}
