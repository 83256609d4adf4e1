// SPDX-License-Identifier: MIT
#pragma once

namespace brindlemoor {

/// The program's own messages (the brindlemoor.* logging categories) go to standard error
/// as plain lines, each after the program's name ("brindlemoor: cannot open ..."), as a
/// command-line tool's would; no message writes the name itself. Qt's and the libraries'
/// messages keep Qt's format. Standard error, because they are diagnostics:
/// a session started from the desktop keeps them in its journal, and standard output
/// stays free.
void printOwnMessagesPlainly();

} // namespace brindlemoor
