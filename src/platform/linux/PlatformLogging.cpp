// SPDX-License-Identifier: MIT
#include "platform/linux/PlatformLogging.h"

Q_LOGGING_CATEGORY(lcPlatform, "brindlemoor.platform", QtInfoMsg)
