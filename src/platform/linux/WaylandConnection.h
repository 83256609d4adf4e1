// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

struct wl_display;
struct wl_interface;
struct wl_registry;
struct wl_seat;
class QSocketNotifier;

namespace brindlemoor {

/// The program's own connection to the Wayland compositor (WAYLAND_DISPLAY), whatever Qt
/// platform its windows use: they may be on XWayland while the senses need the compositor.
/// Read from Qt's event loop; the compositor's globals are listed once, at the start.
class WaylandConnection final : public QObject {
    Q_OBJECT

public:
    struct Global {
        quint32 name = 0;
        QString interface;
        quint32 version = 0;
    };

    /// Connects and lists the globals; isConnected() says whether it worked.
    WaylandConnection();
    ~WaylandConnection() override;
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    /// True until the compositor is gone or the connection failed.
    bool isConnected() const { return m_display != nullptr && !m_lost; }
    /// Why there is no connection (any more); empty while there is one.
    QString errorText() const { return m_error; }
    QList<Global> globals() const { return m_globals; }
    /// The offered version of a global, 0 when the compositor has none by that name.
    quint32 version(const char* interface) const;
    /// Binds the first global of this interface at the highest version both sides know;
    /// null when the compositor offers none.
    void* bind(const wl_interface& interface, quint32 highestKnown);
    /// The first seat, bound once; null when there is none.
    wl_seat* seat();
    /// Waits for the compositor to answer everything asked so far, handling the events it sends
    /// meanwhile; false when the connection is lost.
    bool roundtrip();
    /// Sends what is queued.
    void flush();

Q_SIGNALS:
    /// The compositor went away or the connection broke; emitted once, and nothing is read after it.
    void lost();

private:
    static void onGlobal(void* data, wl_registry* registry, quint32 name, const char* interface, quint32 version);
    static void onGlobalRemove(void* data, wl_registry* registry, quint32 name);
    void readEvents();
    void fail(const QString& why);

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QList<Global> m_globals;
    QString m_error;
    bool m_lost = false;
};

} // namespace brindlemoor
