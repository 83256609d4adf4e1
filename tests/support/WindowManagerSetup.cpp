// SPDX-License-Identifier: MIT
#include "support/WindowManagerSetup.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace brindlemoor::test {

QString WindowManagerSetup::name() const
{
    const QString program = DesktopSession::programName(manager);
    if (!DesktopSession::hasCompositorSwitch(manager))
        return program;
    return program + (compositor ? QStringLiteral(" composited") : QStringLiteral(" plain"));
}

std::string WindowManagerSetup::testName() const
{
    return name().replace(u' ', u'_').toStdString();
}

DesktopSession::Options WindowManagerSetup::options() const
{
    DesktopSession::Options options;
    options.manager = manager;
    options.compositor = compositor;
    return options;
}

std::vector<WindowManagerSetup> WindowManagerSetup::chosen()
{
    std::vector<WindowManagerSetup> setups = {
        {WindowManager::Openbox, false}, {WindowManager::Xfwm4, false}, {WindowManager::Xfwm4, true},
        {WindowManager::KWin, false},    {WindowManager::KWin, true},   {WindowManager::Mutter, true},
    };
    if (qEnvironmentVariableIsSet("BRINDLEMOOR_EVERY_WINDOW_MANAGER")) {
        setups.push_back({WindowManager::Marco, false});
        setups.push_back({WindowManager::Marco, true});
    }
    return setups;
}

BehaviourReport::BehaviourReport(const WindowManagerSetup& setup)
    : m_setup(setup.name())
{
}

void BehaviourReport::note(const char* what, const QString& value)
{
    std::printf("%-20s | %-36s | %s\n", qPrintable(m_setup), what, qPrintable(value));
    std::fflush(stdout);
}

bool BehaviourReport::record(const char* behaviour, bool holds, const QString& detail)
{
    std::printf("%-20s | %-36s | %s%s\n", qPrintable(m_setup), behaviour, holds ? "yes" : "NO",
                detail.isEmpty() ? "" : qPrintable(QStringLiteral(" (%1)").arg(detail)));
    std::fflush(stdout);
    EXPECT_TRUE(holds) << behaviour << " on " << m_setup.toStdString() << ' ' << detail.toStdString();
    return holds;
}

} // namespace brindlemoor::test
