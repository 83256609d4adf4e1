// SPDX-License-Identifier: MIT
// Brindlemoor's KWin script. On Wayland KWin tells no other program which window is
// active, so the program loads this script into KWin, which then tells the program over
// the session bus: once at load and at every activation. A focus on nothing is sent
// as empty strings and pid 0. Plasma 6 renamed clients to windows.
"use strict";

function report(window) {
    callDBus("io.github.brindlemoor.Brindlemoor", "/io/github/brindlemoor/KWin", "io.github.brindlemoor.KWin1",
        "ReportActiveWindow",
        window ? String(window.desktopFileName || "") : "",
        window ? String(window.resourceClass || "") : "",
        window && window.pid > 0 ? window.pid : 0);
}

if (workspace.windowActivated !== undefined) {
    workspace.windowActivated.connect(report);
    report(workspace.activeWindow);
} else {
    workspace.clientActivated.connect(report);
    report(workspace.activeClient);
}
