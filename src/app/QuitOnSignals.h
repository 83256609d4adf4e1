// SPDX-License-Identifier: MIT
#pragma once

namespace brindlemoor {

/// Turns SIGTERM, SIGINT and SIGHUP into a normal end of the event loop, so the program
/// leaves through the same path as a quit from the menu.
void quitOnTerminationSignals();

} // namespace brindlemoor
