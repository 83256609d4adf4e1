// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/DesktopExtension.h"
#include "core/status/TrayIcon.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QString>

#include <optional>

class QDBusMessage;

namespace brindlemoor {

/// The window in focus as the extension sees it; empty fields where the shell did not tell.
struct ShellFocus {
    QString appId;   ///< the window tracker's desktop-entry id
    QString wmClass; ///< a native window's app_id, an X11 window's class
    quint32 pid = 0;

    bool isEmpty() const { return appId.isEmpty() && wmClass.isEmpty() && pid == 0; }
    friend bool operator==(const ShellFocus&, const ShellFocus&) = default;
};

/// The program's GNOME Shell extension as seen from the program: present while it holds
/// its name on the session bus (it does so only while the program runs), the window in
/// focus, and the top-bar dot. While it is absent, why: switched off, not loaded by the
/// shell yet, or failed; enable() is the user's way to switch it on.
class GnomeShellExtension final : public DesktopExtension {
    Q_OBJECT

public:
    static inline const QString uuid = QStringLiteral("brindlemoor@brindlemoor.github.io");
    static inline const QString serviceName = QStringLiteral("io.github.brindlemoor.GnomeShell");
    static inline const QString objectPath = QStringLiteral("/io/github/brindlemoor/GnomeShell");
    static inline const QString interfaceName = QStringLiteral("io.github.brindlemoor.GnomeShell1");
    /// The dot's edge in the top bar, in logical pixels.
    static constexpr int dotSize = 16;

    explicit GnomeShellExtension(QDBusConnection bus, QObject* parent = nullptr);
    ~GnomeShellExtension() override;

    bool isPresent() const { return m_present; }
    /// The window in focus at the last report; none while the extension is absent.
    std::optional<ShellFocus> focus() const { return m_focus; }

    /// Shows the dot in the top bar with this image, drawn `dotPixels()` square; sent only when it changed.
    void setDot(const QByteArray& png);
    void hideDot();
    /// The dot's edge in the image's pixels: the top bar's scale times the logical size.
    int dotPixels() const { return dotSize * m_scaleFactor; }

    State state() const override { return m_state; }
    void enable() override;

Q_SIGNALS:
    void presenceChanged(bool present);
    /// Each report of the extension's, repeats left out.
    void focusChanged(const brindlemoor::ShellFocus& focus);
    void dotClicked(const brindlemoor::TrayClick& click);

private Q_SLOTS:
    void onFocusChanged(const QString& appId, const QString& wmClass, uint pid);
    void onDotClicked(int x, int y, int left, int top, int width, int height, uint button, bool alt);
    void onExtensionStateChanged(const QString& uuid, const QVariantMap& info);

private:
    void onOwnerChanged(const QString& owner);
    void askForFocus();
    void askShellForState();
    void setStateFromShell(const QVariantMap& info);
    void setState(State state);
    bool enableForNextLogIn();

    QDBusConnection m_bus;
    bool m_present = false;
    std::optional<ShellFocus> m_focus;
    QByteArray m_dot; ///< the image the extension shows; empty while it shows none
    int m_scaleFactor = 1;
    State m_state = State::NotNeeded;
    bool m_askedForNextLogIn = false;
    bool m_stateReported = false;
};

} // namespace brindlemoor
