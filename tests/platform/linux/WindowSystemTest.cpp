// SPDX-License-Identifier: MIT
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XcbConnection.h"
#include "support/DesktopSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using namespace std::chrono_literals;

namespace {

QList<quint32> cardinals(const XcbConnection& x, xcb_window_t window, const char* property)
{
    const QByteArray value = x.property(window, x.atom(property)).value_or(QByteArray());
    QList<quint32> numbers(value.size() / 4);
    if (!numbers.isEmpty()) // an absent property leaves nothing to copy, and no buffer to copy into
        std::memcpy(numbers.data(), value.constData(), static_cast<size_t>(numbers.size()) * 4);
    return numbers;
}

} // namespace

TEST(X11WindowSystem, TheWindowManagerTakesEveryHintBeforeAndAfterMapping)
{
    DesktopSession session(DesktopSession::Options{.bus = false});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    XcbConnection x(session.display());
    X11WindowSystem windows(std::make_unique<XcbConnection>(session.display()));
    const QList<quint32> hinted = {x.atom("_NET_WM_STATE_ABOVE"), x.atom("_NET_WM_STATE_SKIP_TASKBAR"),
                                   x.atom("_NET_WM_STATE_SKIP_PAGER")};
    const auto hasHints = [&](xcb_window_t window) {
        const QList<quint32> states = cardinals(x, window, "_NET_WM_STATE");
        return std::all_of(hinted.begin(), hinted.end(), [&](quint32 state) { return states.count(state) == 1; });
    };
    const auto hint = [&](xcb_window_t window) {
        windows.keepAbove(window);
        windows.skipTaskbarAndPager(window);
        windows.keepAbove(window);
    };

    // Not yet mapped: the properties wait for the window manager, which takes them on mapping.
    const xcb_window_t hidden = xcb_generate_id(x.get());
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, hidden, x.root(), 0, 0, 100, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_flush(x.get()); // the window must exist before the other connection names it
    hint(hidden);
    EXPECT_TRUE(hasHints(hidden)) << "each state once";
    // Openbox drops a map request that comes while it is still starting; ask again until it listens.
    ASSERT_TRUE(DesktopSession::waitUntil([&] {
        xcb_map_window(x.get(), hidden);
        xcb_flush(x.get());
        return DesktopSession::waitUntil([&] { return session.isManaged(hidden); }, 300ms);
    }));
    EXPECT_TRUE(hasHints(hidden));

    // Mapped and managed: the window manager is asked by message.
    const quint32 shown =
        session.startWindow(QStringLiteral(BRINDLEMOOR_TEST_WINDOW),
                            {QStringLiteral("--title"), QStringLiteral("shown")}, QStringLiteral("shown"));
    ASSERT_NE(shown, 0U) << session.error().toStdString();
    hint(shown);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return hasHints(shown); }));

    // A compositing manager announces itself by owning the screen's selection.
    EXPECT_FALSE(windows.compositorRunning());
    xcb_set_selection_owner(x.get(), hidden, x.atom("_NET_WM_CM_S0"), XCB_CURRENT_TIME);
    xcb_flush(x.get());
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return windows.compositorRunning(); }));
}
