// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// The app layer's messages; QT_LOGGING_RULES="brindlemoor.app.debug=true" shows its notes.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
