// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

namespace brindlemoor {

/// A part of the desktop that the program needs and only the user may switch on: its GNOME
/// Shell extension, on GNOME's Wayland session, without which it cannot see the application
/// in front. Nothing is switched on but by enable(), the user's click.
class DesktopExtension : public QObject {
    Q_OBJECT

public:
    enum class State {
        NotNeeded, ///< this desktop needs none, or it runs
        Off,       ///< the shell has it, switched off: enable() switches it on now
        NotLoaded, ///< the shell has not loaded it (installed after this log-in): enable() asks for it at the next
        WaitingForLogIn, ///< switched on, to be loaded at the next log-in
        Failed,          ///< the shell could not load it (an error, or a shell version it does not support)
    };

    using QObject::QObject;

    virtual State state() const = 0;
    /// Switches the extension on, for the user's click: at once where the shell has loaded it,
    /// else from the next log-in. Says stateChanged() when the state moves.
    virtual void enable() = 0;

Q_SIGNALS:
    void stateChanged();
};

} // namespace brindlemoor
