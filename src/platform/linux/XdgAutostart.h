// SPDX-License-Identifier: MIT
#pragma once

#include "core/settings/ApplicationCatalog.h"

#include <QString>

namespace brindlemoor {

/// Launch at login through XDG autostart: $XDG_CONFIG_HOME/autostart/ with the desktop id.
/// Enabled means the file exists and does not say Hidden=true; disabling deletes it. The
/// file earlier versions wrote, brindlemoor.desktop, counts the same and goes at any change.
class XdgAutostart final : public LoginItemService {
public:
    /// `executable` goes into Exec; it must be absolute, as autostart runs without our PATH.
    explicit XdgAutostart(QString executable = runningExecutable());

    bool isEnabled() const override;
    bool setEnabled(bool enabled) override;
    QString errorText() const override { return m_error; }

    /// The program as it was started: the AppImage file when it runs from one (its
    /// mounted copy is gone after the session), else the executable itself.
    static QString runningExecutable();
    /// The autostart file for the environment as it is now.
    static QString entryPath();
    /// The entry's text for an executable.
    static QByteArray entryText(const QString& executable);
    /// One Exec argument, quoted as the desktop-entry format wants when it needs to be.
    static QString quoteExecArgument(const QString& argument);

private:
    std::optional<QString> change(bool enabled);

    QString m_executable;
    QString m_error;
};

} // namespace brindlemoor
