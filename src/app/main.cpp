// SPDX-License-Identifier: MIT
#include "app/AppLogging.h"
#include "app/BrindlemoorApp.h"
#include "app/PlainMessages.h"
#include "app/QuitOnSignals.h"
#include "app/SingleInstance.h"
#include "platform/sqlite/SqliteKeyValueStore.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    brindlemoor::printOwnMessagesPlainly();
    // Without a display Qt aborts with a core dump; a plain sentence serves the user better.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qCWarning(lcApp) << "brindlemoor: no graphical session to run in (DISPLAY is not set)";
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brindlemoor"));
    QApplication::setDesktopFileName(QStringLiteral("brindlemoor"));
    // No main window: closing a popover or the overlay must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString storePath = brindlemoor::SqliteKeyValueStore::defaultPath();
    brindlemoor::SingleInstance instance(QFileInfo(storePath).dir().filePath(QStringLiteral("instance.lock")));
    if (!instance.isPrimary()) {
        qCInfo(lcApp) << "brindlemoor: already running for this user; this second start exits";
        return 0;
    }

    std::unique_ptr<brindlemoor::KeyValueStore> defaults;
    auto sqlite = std::make_unique<brindlemoor::SqliteKeyValueStore>(storePath);
    if (sqlite->isOpen()) {
        defaults = std::move(sqlite);
    } else {
        qCWarning(lcApp).noquote()
            << QStringLiteral("brindlemoor: cannot open %1 (%2); settings and usage are kept in memory only")
                   .arg(storePath, sqlite->errorText());
        defaults = std::make_unique<brindlemoor::MemoryKeyValueStore>();
    }

    brindlemoor::BrindlemoorApp brindlemoor(*defaults);
    brindlemoor::quitOnTerminationSignals();
    // The controller is built once the event loop runs and the window system is ready.
    QTimer::singleShot(0, &brindlemoor, [&brindlemoor] { brindlemoor.finishLaunching(); });
    return QApplication::exec();
}
