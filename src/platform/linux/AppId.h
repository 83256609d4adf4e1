// SPDX-License-Identifier: MIT
#pragma once

// The program's reverse domain name: the desktop entry's id, the icon's name and the name on
// the session bus. A macro, so that it can stand in string literals and Q_CLASSINFO.
#define BRINDLEMOOR_APP_ID "io.github.brindlemoor.Brindlemoor"
