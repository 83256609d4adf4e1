// SPDX-License-Identifier: MIT
#pragma once

#include "core/settings/ApplicationCatalog.h"

#include <QHash>

namespace brindlemoor {

/// A catalogue of made-up applications for tests and the gallery. It lists what it
/// is given, NoDisplay entries included, so that a view's own filtering shows; and
/// it counts lookups, so that caches can be seen working.
class FakeApplicationCatalog final : public ApplicationCatalog {
public:
    FakeApplicationCatalog() = default;
    explicit FakeApplicationCatalog(QList<ApplicationInfo> entries)
        : m_entries(std::move(entries))
    {
    }

    /// Adds or replaces the entry with the same id, and says so.
    void put(const ApplicationInfo& entry);
    void remove(const QString& id);
    /// The entry a .desktop file at `path` describes.
    void putFile(const QString& path, const ApplicationInfo& entry) { m_files.insert(path, entry); }

    QList<ApplicationInfo> applications() const override;
    std::optional<ApplicationInfo> application(const QString& id) const override;
    std::optional<ApplicationInfo> applicationForFile(const QString& path) const override;

    int lookups(const QString& id) const { return m_lookups.value(id); }

private:
    QList<ApplicationInfo> m_entries;
    QHash<QString, ApplicationInfo> m_files;
    mutable QHash<QString, int> m_lookups;
};

} // namespace brindlemoor
