// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace brindlemoor {

/// One line on standard error about a platform service, e.g. that it is unavailable.
/// Written straight to the file descriptor so that Qt's message pattern cannot reshape it.
void printPlatformNote(const QString& text);

} // namespace brindlemoor
