// SPDX-License-Identifier: MIT
#pragma once

#include "core/settings/ApplicationCatalog.h"

#include <QHash>
#include <QStringList>

#include <chrono>
#include <memory>

class QFileSystemWatcher;

namespace brindlemoor {

class Scheduler;

/// What the X server and /proc tell about a window, for matching it to a desktop entry.
/// Each member may be left out of a designated initializer.
struct WindowProperties {
    // The empty initializers keep GCC from warning of members a designated initializer leaves out.
    // NOLINTBEGIN(readability-redundant-member-init)
    QString instance{};    ///< WM_CLASS instance part
    QString windowClass{}; ///< WM_CLASS class part
    QString flatpakId{};   ///< [Application] name of /proc/PID/root/.flatpak-info
    QString gtkApplicationId{};
    QString kdeDesktopFile{};
    QString executable{}; ///< /proc/PID/exe
    // NOLINTEND(readability-redundant-member-init)
};

/// The installed applications, from the desktop entries along XDG_DATA_HOME and
/// XDG_DATA_DIRS. Everything a lookup needs is indexed when the folders are scanned,
/// so matching a window never reads the disk.
class DesktopEntryRegistry final : public ApplicationCatalog {
public:
    /// The base folders in order of precedence: XDG_DATA_HOME, then XDG_DATA_DIRS.
    static QStringList standardDataDirs();
    /// LC_ALL, LC_MESSAGES or LANG, the first that is set.
    static QString userLocale();
    /// How long the folders must be quiet before a change is read: installs write many files.
    static constexpr std::chrono::milliseconds rescanDelay{500};

    explicit DesktopEntryRegistry(Scheduler& scheduler, QStringList dataDirs = standardDataDirs(),
                                  QString locale = userLocale());
    ~DesktopEntryRegistry() override;
    DesktopEntryRegistry(const DesktopEntryRegistry&) = delete;
    DesktopEntryRegistry& operator=(const DesktopEntryRegistry&) = delete;

    QList<ApplicationInfo> applications() const override;
    std::optional<ApplicationInfo> application(const QString& id) const override;
    std::optional<ApplicationInfo> applicationForFile(const QString& path) const override;

    /// The desktop-entry id of the application a window belongs to, the way desktop
    /// shells match them; none when nothing identifies it.
    std::optional<QString> idForWindow(const WindowProperties& window) const;

    /// Reads the folders again now; says applicationsChanged() if the entries differ.
    void rescan();

private:
    struct Index;

    std::unique_ptr<Index> scan() const;
    void watchFolders();
    void scheduleRescan();
    std::optional<QString> entryNamedAfter(const QString& name) const;
    /// The one entry a Java program's window names by its main class, if there is exactly one.
    std::optional<QString> javaApplication(const WindowProperties& window) const;
    std::optional<QString> existing(const QString& id) const;

    Scheduler& m_scheduler;
    QStringList m_dataDirs;
    QString m_locale;
    std::unique_ptr<Index> m_index;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    quint64 m_changeGeneration = 0;
};

} // namespace brindlemoor
