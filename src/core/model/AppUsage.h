// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

namespace brindlemoor {

class ApplicationCatalog;
class PreferencesStore;
class UsageStore;

/// One row of the usage popover: an application and the seconds that count against its limit.
struct AppUsage {
    QString id; ///< the application's identifier, also its floating widget's
    QString name;
    double seconds = 0;

    friend bool operator==(const AppUsage&, const AppUsage&) = default;
};

/// Today's rows: the watched applications that have an entry today, most used first.
/// Entries of applications no longer watched are left out.
QList<AppUsage> monitoredUsage(const PreferencesStore& prefs, const UsageStore& usageStore,
                               const ApplicationCatalog& catalog);

} // namespace brindlemoor
