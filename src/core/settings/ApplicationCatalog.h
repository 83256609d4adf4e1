// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace brindlemoor {

/// One installed application as the desktop describes it.
struct ApplicationInfo {
    QString id;       ///< the desktop-entry id, the program's identifier for the app
    QString name;     ///< localised display name
    QString icon;     ///< icon theme name or absolute path; may be empty
    QString filePath; ///< the .desktop file
    bool noDisplay = false;

    friend bool operator==(const ApplicationInfo&, const ApplicationInfo&) = default;
};

/// The installed applications: names and icons for the views, the list for the chooser.
class ApplicationCatalog : public QObject {
    Q_OBJECT

public:
    /// Every visible application (NoDisplay and Hidden left out), sorted by name.
    virtual QList<ApplicationInfo> applications() const = 0;
    /// The entry with this id, visible or not.
    virtual std::optional<ApplicationInfo> application(const QString& id) const = 0;
    /// The entry a .desktop file on disk describes, with the id it has or would have.
    virtual std::optional<ApplicationInfo> applicationForFile(const QString& path) const = 0;

Q_SIGNALS:
    /// Entries were installed or removed while running.
    void applicationsChanged();
};

/// The name a person knows an application by: the entry's name, else its file's name
/// without extension, else the id itself.
QString applicationDisplayName(const ApplicationCatalog& catalog, const QString& id);

/// Launching at login (XDG autostart on Linux).
class LoginItemService {
public:
    virtual ~LoginItemService() = default;
    virtual bool isEnabled() const = 0;
    /// Registers or unregisters; false when that failed, and `errorText()` then says why.
    virtual bool setEnabled(bool enabled) = 0;
    virtual QString errorText() const = 0;
};

} // namespace brindlemoor
