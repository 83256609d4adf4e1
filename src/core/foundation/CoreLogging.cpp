// SPDX-License-Identifier: MIT
#include "core/foundation/CoreLogging.h"

Q_LOGGING_CATEGORY(lcCore, "brindlemoor.core", QtInfoMsg)
