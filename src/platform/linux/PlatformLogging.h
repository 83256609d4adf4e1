// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// The platform layer's messages; QT_LOGGING_RULES="brindlemoor.platform.debug=true" shows its notes.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
