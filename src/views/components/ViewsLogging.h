// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// The views layer's messages; QT_LOGGING_RULES="brindlemoor.views.debug=true" shows its notes.
Q_DECLARE_LOGGING_CATEGORY(lcViews)
