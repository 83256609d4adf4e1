// SPDX-License-Identifier: MIT
#pragma once

#include "support/DesktopSession.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <optional>

class QProcess;

// What tests of the real program share: its store in the session, its tray dot on the screen,
// and driving it from outside.
namespace brindlemoor::test {

/// The program's store in the session's XDG_CONFIG_HOME; its folder exists.
QString storePath(const Session& session);
/// A desktop entry with this id for the windows with `wmClass` as their class (or app_id).
void writeDesktopEntry(const Session& session, const QString& id, const QString& wmClass);
/// A returning user's store watching `apps`: no welcome takes the keyboard or shows the dot's teal.
void prepareReturningUser(const Session& session, const QStringList& apps = {});
/// A one-minute limit, and today's count raised to `seconds` with the app in front.
void seedDayNearTheLimit(const Session& session, const QString& app, double seconds);
/// What the store on disk holds for the app today, read as a second process would.
double countedSeconds(const Session& session, const QString& app);
/// Waits until the app has `seconds` more on disk than it has now.
bool countsOn(const Session& session, const QString& app, double seconds);
/// Waits until the app's count on disk has stood still for longer than a save takes to come,
/// which a counting program never does. `within` bounds the wait, for a stop that takes long
/// to come; by default two saves' time.
bool stopsCounting(const Session& session, const QString& app,
                   std::optional<std::chrono::seconds> within = std::nullopt);

/// Where the tray dot's default colour (its gradient's foot) shows within `area`: by default
/// the top panel, since the welcome's logo has the same teal. Empty when it does not show.
QRect trayDotArea(const QImage& screen, const QRect& area = QRect(0, 0, INT_MAX, 24));
bool showsTrayDot(const DesktopSession& session);
/// The share of the screen in exactly this colour; 0 for a null image.
double shareOf(const QImage& screen, QRgb colour);

/// Moves the pointer to `at` and clicks `button` there, with Alt held if asked. Clicks come
/// no closer together than the program's window for one click, as a person's would.
bool clickAt(const DesktopSession& session, QPoint at, int button = 1, bool alt = false);
/// Activates the window and waits until the window manager reports it active.
bool activate(const DesktopSession& session, quint32 window);
/// Waits until a window with this title is shown, or with `shown` false, until none is.
bool waitForShown(const DesktopSession& session, const QString& title, bool shown = true,
                  std::chrono::milliseconds within = std::chrono::seconds(10));
/// Sends `signal` and expects a clean exit; otherwise says how it ended and what it printed.
::testing::AssertionResult stopsCleanly(QProcess* program, int signal = SIGTERM);

} // namespace brindlemoor::test
