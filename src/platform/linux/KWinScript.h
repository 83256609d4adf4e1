// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/ReportedWindow.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>

class QDBusMessage;

namespace brindlemoor {

/// Brindlemoor's script inside KWin, on Plasma's Wayland session, where KWin tells no other
/// program which window is active: the program loads a script into KWin that tells it over
/// the session bus (data/kwin). Loaded at construction and again whenever KWin comes back,
/// unloaded at destruction. A script of the same name that a killed run left behind is
/// replaced, so KWin never runs two.
class KWinScript final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.brindlemoor.KWin1")

public:
    /// The name KWin knows the script by; the program's own, so that a later run finds it.
    static inline const QString pluginName = QStringLiteral("brindlemoor-active-window");
    static inline const QString objectPath = QStringLiteral("/io/github/brindlemoor/KWin");

    /// Where the script is installed: beside the binary (../share/brindlemoor/kwin, also in
    /// the build tree), along the XDG data folders, then under the install prefix. Empty
    /// when it is nowhere.
    static QString installedPath();

    /// Offers the object the script calls on `bus`, which must hold the program's name.
    KWinScript(QDBusConnection bus, QString scriptPath, QObject* parent = nullptr);
    ~KWinScript() override;
    KWinScript(const KWinScript&) = delete;
    KWinScript& operator=(const KWinScript&) = delete;

    /// Whether KWin runs the script now.
    bool isLoaded() const { return m_loaded; }

public Q_SLOTS:
    // The bus's method, called by the script; only KWin's calls count.
    Q_SCRIPTABLE void ReportActiveWindow(const QString& desktopFileName, const QString& resourceClass, int pid);

Q_SIGNALS:
    /// Each report of the script's; an empty window when none is active.
    void activeWindowReported(const brindlemoor::ReportedWindow& window);
    /// KWin went away, and the script with it, or it came back and runs the script again.
    void loadedChanged(bool loaded);

private:
    void onKWinOwnerChanged(const QString& owner);
    bool load();
    void unload();
    QDBusMessage callScripting(const QString& method, const QVariantList& arguments) const;
    void fail(const QString& why);

    QDBusConnection m_bus;
    QString m_path;
    QString m_kwinOwner;
    bool m_loaded = false;
    bool m_failureSaid = false;
};

} // namespace brindlemoor
