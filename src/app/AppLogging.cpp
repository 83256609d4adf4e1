// SPDX-License-Identifier: MIT
#include "app/AppLogging.h"

Q_LOGGING_CATEGORY(lcApp, "brindlemoor.app", QtInfoMsg)
