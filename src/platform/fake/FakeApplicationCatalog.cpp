// SPDX-License-Identifier: MIT
#include "platform/fake/FakeApplicationCatalog.h"

#include <algorithm>

namespace brindlemoor {

void FakeApplicationCatalog::put(const ApplicationInfo& entry)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const ApplicationInfo& known) { return known.id == entry.id; });
    if (it != m_entries.end())
        *it = entry;
    else
        m_entries.append(entry);
    Q_EMIT applicationsChanged();
}

void FakeApplicationCatalog::remove(const QString& id)
{
    m_entries.removeIf([&](const ApplicationInfo& entry) { return entry.id == id; });
    Q_EMIT applicationsChanged();
}

QList<ApplicationInfo> FakeApplicationCatalog::applications() const
{
    QList<ApplicationInfo> sorted = m_entries;
    std::stable_sort(sorted.begin(), sorted.end(), [](const ApplicationInfo& a, const ApplicationInfo& b) {
        return a.name.localeAwareCompare(b.name) < 0;
    });
    return sorted;
}

std::optional<ApplicationInfo> FakeApplicationCatalog::application(const QString& id) const
{
    ++m_lookups[id];
    for (const ApplicationInfo& entry : m_entries) {
        if (entry.id == id)
            return entry;
    }
    return std::nullopt;
}

std::optional<ApplicationInfo> FakeApplicationCatalog::applicationForFile(const QString& path) const
{
    const auto it = m_files.constFind(path);
    if (it == m_files.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace brindlemoor
