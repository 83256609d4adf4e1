// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

// Only named here: the views draw the icon, the platform hands it to the tray host.
class QIcon;

namespace brindlemoor {

/// A click on the tray icon, with what the popovers need to open where the user clicked.
struct TrayClick {
    enum class Button {
        Primary, ///< the usage popover's toggle
        Middle,  ///< the info click, like a click with Alt held
    };

    Button button = Button::Primary;
    QPoint position;    ///< global, in device-independent pixels
    QRect iconGeometry; ///< global; empty where the tray host does not tell
    bool altHeld = false;

    friend bool operator==(const TrayClick&, const TrayClick&) = default;
};

/// The program's icon in the desktop's tray, whichever protocol carries it.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    /// The icon is drawn at whatever size the host asks for; the first icon shows the item.
    virtual void setIcon(const QIcon& icon) = 0;
    /// The icon's global geometry where the tray tells; empty otherwise (no tray, or a
    /// StatusNotifierItem host, which tells only where a click was).
    virtual QRect iconGeometry() const { return {}; }
    /// The day's state in a sentence, shown beside the program's name where the host shows
    /// tooltips; hosts without them ignore it.
    virtual void setToolTip(const QString& /*text*/) {}

Q_SIGNALS:
    void clicked(const brindlemoor::TrayClick& click);
};

} // namespace brindlemoor
