// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// The core layer's messages; QT_LOGGING_RULES="brindlemoor.core.debug=true" shows its notes.
Q_DECLARE_LOGGING_CATEGORY(lcCore)
