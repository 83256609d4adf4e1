// SPDX-License-Identifier: MIT
#pragma once

#include "support/DesktopSession.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>

class QProcess;

namespace brindlemoor::test {

class ScriptReplies;

/// A private headless KDE Plasma Wayland session for tests: KWin 5 or 6 on a virtual screen,
/// with XWayland, on the private bus and XDG folders of a DesktopSession without X server of
/// its own. KWin runs from a copy of its binary: the packaged one carries a file capability
/// that an unprivileged container refuses. Native windows, activation, screenshots and the
/// lock go through KWin's own interfaces.
class KWinSession final {
public:
    struct Options {
        QSize screenSize{1280, 800};
    };

    static bool isInstalled();

    explicit KWinSession(const Options& options);
    ~KWinSession();
    KWinSession(const KWinSession&) = delete;
    KWinSession& operator=(const KWinSession&) = delete;

    bool isReady() const { return m_error.isEmpty() && m_desktop.isReady(); }
    QString error() const { return m_error.isEmpty() ? m_desktop.error() : m_error; }
    /// The bus, the XDG folders and starting programs, with WAYLAND_DISPLAY and XWayland's DISPLAY set.
    DesktopSession& desktop() { return m_desktop; }
    const DesktopSession& desktop() const { return m_desktop; }

    /// Starts the native test window, solid `colour`, whose app_id is `app`; returns once it has
    /// drawn itself and KWin has made it the active window. Null when it does not show.
    QProcess* startWindow(const QString& app, const QString& title, const QColor& colour, bool fullScreen = false);
    /// Makes KWin activate the window with this title, and waits until the window has the keyboard.
    bool activate(const QString& title, QProcess* window);
    /// Runs a script inside KWin once (loaded, run and unloaded again); false when KWin refused it.
    bool runScript(const QString& source);
    bool isScriptLoaded(const QString& pluginName) const;
    /// The value of a JavaScript expression inside KWin, as a string; nothing when KWin refused it.
    std::optional<QString> evaluate(const QString& expression);
    /// The whole workspace (org.kde.KWin.ScreenShot2); a null image when it fails.
    QImage screenshot() const;
    /// Locks the screen as a user would (org.freedesktop.ScreenSaver Lock); true once KWin says it is locked.
    bool lock();
    /// Moves the pointer there and back through KWin's fake-input device, which KWin takes as the
    /// user's input: the one input a headless KWin has.
    bool nudge();

private:
    bool startKWin(const Options& options);
    bool isActive(const QString& title);

    DesktopSession m_desktop;
    QTemporaryDir m_root;
    QString m_error;
    int m_scripts = 0;
    std::unique_ptr<ScriptReplies> m_replies;
};

} // namespace brindlemoor::test
