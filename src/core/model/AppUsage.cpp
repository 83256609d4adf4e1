// SPDX-License-Identifier: MIT
#include "core/model/AppUsage.h"

#include "core/model/PreferencesStore.h"
#include "core/model/UsageStore.h"
#include "core/settings/ApplicationCatalog.h"

#include <algorithm>

namespace brindlemoor {

QList<AppUsage> monitoredUsage(const PreferencesStore& prefs, const UsageStore& usageStore,
                               const ApplicationCatalog& catalog)
{
    // Walking the watched list, not the entries' hash, gives equal times a fixed order, so
    // rows with the same time do not swap places from one second to the next.
    QList<AppUsage> rows;
    const auto& entries = usageStore.entries();
    for (const MonitoredAppConfig& config : prefs.monitoredApps()) {
        const auto entry = entries.constFind(config.bundleID);
        if (entry != entries.cend())
            rows.append({config.bundleID, applicationDisplayName(catalog, config.bundleID), entry->sessionSeconds});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const AppUsage& a, const AppUsage& b) { return a.seconds > b.seconds; });
    return rows;
}

} // namespace brindlemoor
