// SPDX-License-Identifier: MIT
#include "views/components/ViewsLogging.h"

Q_LOGGING_CATEGORY(lcViews, "brindlemoor.views", QtInfoMsg)
