// SPDX-License-Identifier: MIT
#include "platform/linux/PlatformNote.h"

#include <cstdio>

namespace brindlemoor {

void printPlatformNote(const QString& text)
{
    const QByteArray line = QStringLiteral("brindlemoor: %1\n").arg(text).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace brindlemoor
