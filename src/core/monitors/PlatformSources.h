// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace brindlemoor {

/// An application that came to the front; the identifier is its desktop-entry id,
/// absent when the window could not be matched to any application.
struct RunningApp {
    std::optional<QString> bundleID;

    friend bool operator==(const RunningApp&, const RunningApp&) = default;
};

/// Where activations of applications come from (X11: the root window's active window).
class ActiveAppSource : public QObject {
    Q_OBJECT

public:
    /// The application in front now, if any.
    virtual std::optional<RunningApp> frontmostApp() const = 0;

Q_SIGNALS:
    /// Each activation, on the main thread; none when the activation carries no application.
    void activated(const std::optional<RunningApp>& app);
};

/// Seconds since the user's last input; a source that cannot tell answers 0 (never idle).
class IdleTimeSource {
public:
    virtual ~IdleTimeSource() = default;
    virtual double secondsSinceLastInput() = 0;
};

/// Lock and unlock signals of the session, each delivered as it comes, repeats included.
class LockSignalSource : public QObject {
    Q_OBJECT

Q_SIGNALS:
    void lockSignalled(bool locked);
};

/// A global observer of left and right button presses; it never grabs the pointer.
class ClickSource : public QObject {
    Q_OBJECT

public:
    /// Starts observing; false when it cannot.
    virtual bool start() = 0;
    virtual void stop() = 0;

Q_SIGNALS:
    /// A press anywhere, between start() and stop().
    void pressed();
};

} // namespace brindlemoor
