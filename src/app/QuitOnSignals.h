// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QObject;

namespace brindlemoor {

/// Turns SIGTERM, SIGINT and SIGHUP into a normal end of the event loop, so the program
/// leaves through the same path as a quit from the menu.
void quitOnTerminationSignals();

/// Runs `flush` when the process ends through exit() while `owner` lives: an X server that goes
/// away makes Qt exit() without unwinding to main. One flush at a time; a later call replaces it.
void flushAtExit(QObject& owner, std::function<void()> flush);

} // namespace brindlemoor
