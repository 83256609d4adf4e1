// SPDX-License-Identifier: MIT
#pragma once

#include "support/DesktopSession.h"

#include <QString>

#include <ostream>
#include <string>
#include <vector>

namespace brindlemoor::test {

/// One window manager with its compositor on or off: a parameter for tests that must hold
/// on every desktop.
struct WindowManagerSetup {
    WindowManager manager = WindowManager::Openbox;
    bool compositor = false;

    /// "kwin_x11 composited", "xfwm4 plain", ...
    QString name() const;
    /// The same as a test name: "kwin_x11_composited".
    std::string testName() const;
    DesktopSession::Options options() const;

    /// The setups of every CI run; all of them when BRINDLEMOOR_EVERY_WINDOW_MANAGER is set
    /// (scripts/check-window-managers.sh).
    static std::vector<WindowManagerSetup> chosen();
};

inline void PrintTo(const WindowManagerSetup& setup, std::ostream* out)
{
    *out << setup.testName();
}

/// For INSTANTIATE_TEST_SUITE_P's name generator.
struct WindowManagerSetupName {
    template <typename Info> std::string operator()(const Info& info) const { return info.param.testName(); }
};

/// Says one line per behaviour, "<setup> | <behaviour> | yes|NO", for the hand-run script
/// to collect, and makes each a test expectation.
class BehaviourReport final {
public:
    explicit BehaviourReport(const WindowManagerSetup& setup);
    /// Returns `holds`, so that a test can stop where later behaviours depend on this one.
    bool record(const char* behaviour, bool holds, const QString& detail = {});
    /// A line that is not a requirement, e.g. where the focus went.
    void note(const char* what, const QString& value);

private:
    QString m_setup;
};

} // namespace brindlemoor::test
