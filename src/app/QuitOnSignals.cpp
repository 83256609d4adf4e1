// SPDX-License-Identifier: MIT
#include "app/QuitOnSignals.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace brindlemoor {

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int /*signal*/)
{
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

struct ExitFlush {
    QPointer<QObject> owner;
    std::function<void()> flush;
};
ExitFlush exitFlush;

void runExitFlush()
{
    if (exitFlush.owner)
        exitFlush.flush();
}

} // namespace

void quitOnTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
        notifier->setEnabled(false);
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    // The end of a session may hang up instead of terminating.
    ::sigaction(SIGHUP, &action, nullptr);
}

void flushAtExit(QObject& owner, std::function<void()> flush)
{
    static const bool registered = std::atexit(runExitFlush) == 0;
    Q_UNUSED(registered);
    exitFlush = {&owner, std::move(flush)};
}

} // namespace brindlemoor
