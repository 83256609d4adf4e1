// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>

namespace brindlemoor {

/// What /proc says about a process that owns a window.
class ProcessInfo final {
public:
    /// The resolved path of the process's executable; empty when it cannot be read.
    static QString executablePath(qint64 pid);
    /// The Flatpak application id of a sandboxed process; empty for any other.
    static QString flatpakAppId(qint64 pid);
    /// The application name in the text of a .flatpak-info file.
    static QString flatpakAppIdFromInfo(QByteArrayView info);
};

} // namespace brindlemoor
