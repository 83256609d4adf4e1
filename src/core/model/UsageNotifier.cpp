// SPDX-License-Identifier: MIT
#include "core/model/UsageNotifier.h"

namespace brindlemoor {

UsageNotifier& UsageNotifier::instance()
{
    static UsageNotifier notifier;
    return notifier;
}

} // namespace brindlemoor
