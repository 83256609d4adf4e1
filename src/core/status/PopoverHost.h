// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/PopoverAnchor.h"

#include <QObject>
#include <QString>

namespace brindlemoor {

enum class PopoverKind {
    Usage,    ///< today's usage; transient, its content built afresh at each opening
    Info,     ///< what the program does; transient
    Settings, ///< the settings; transient
    Welcome,  ///< the first-launch greeting; only the program closes it
};

/// The tray item's popovers as the controller that decides when they open sees them. The
/// views implement it; the user's actions inside the popovers come back as its signals.
class PopoverHost : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool isShown(PopoverKind kind) const = 0;
    /// Shows the popover pointing at `anchor` and gives it the keyboard focus.
    virtual void show(PopoverKind kind, const PopoverAnchor& anchor) = 0;
    virtual void close(PopoverKind kind) = 0;
    /// Closes the settings now and shows them again a moment later: the application
    /// chooser took the focus, and the transient popover closed when it did.
    virtual void reshowSettings(const PopoverAnchor& anchor) = 0;
    /// A button press anywhere on the screen, at the pointer's position now: the transient
    /// popover closes unless the press is inside it (or inside a window it opened).
    virtual void pressedAnywhere(PopoverKind kind) = 0;

Q_SIGNALS:
    /// A popover opened or closed, whoever asked (Escape and a lost focus close them too).
    void visibilityChanged();

    void welcomeContinued();
    void appPickerFinished();
    void settingsRequested();
    void infoRequested();
    /// The usage history, which opens in a window of its own.
    void historyRequested();
    void quitRequested();
};

} // namespace brindlemoor
