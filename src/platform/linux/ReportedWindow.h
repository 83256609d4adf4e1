// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QString>

namespace brindlemoor {

class DesktopEntryRegistry;

/// A window in front as a compositor's own extension or script reports it on Wayland;
/// empty fields where it did not tell.
struct ReportedWindow {
    QString appId;       ///< a desktop-entry id, if the compositor knows one
    QString windowClass; ///< a native window's app_id, an X11 window's class
    quint32 pid = 0;

    bool isEmpty() const { return appId.isEmpty() && windowClass.isEmpty() && pid == 0; }
};

/// The application of a reported window, matched to desktop entries as on X11; the
/// program's own windows are the program.
RunningApp applicationOf(const ReportedWindow& window, const DesktopEntryRegistry& registry);

} // namespace brindlemoor
