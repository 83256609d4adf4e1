// SPDX-License-Identifier: MIT
#include "platform/fake/ManualScheduler.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/X11ActiveAppSource.h"
#include "support/DesktopSession.h"
#include "support/QtPrinting.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using namespace Qt::StringLiterals;

namespace {

void writeEntry(const QString& dataHome, const QString& id, const QByteArray& keys)
{
    QDir().mkpath(dataHome + QStringLiteral("/applications"));
    QFile file(dataHome + QStringLiteral("/applications/") + id + QStringLiteral(".desktop"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\n" + keys);
}

/// The test's own X client: a window of this very process, and a hand on the root window.
class OwnClient {
public:
    explicit OwnClient(const QByteArray& display)
        : m_c(xcb_connect(display.constData(), nullptr))
        , m_screen(xcb_setup_roots_iterator(xcb_get_setup(m_c)).data)
    {
        const char* name = "_NET_ACTIVE_WINDOW";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        m_activeWindow = reply->atom;
        std::free(reply);
    }
    ~OwnClient() { xcb_disconnect(m_c); }
    OwnClient(const OwnClient&) = delete;
    OwnClient& operator=(const OwnClient&) = delete;

    void createWindow(const QByteArray& title)
    {
        const xcb_window_t window = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, window, m_screen->root, 0, 0, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual, 0, nullptr);
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            static_cast<uint32_t>(title.size()), title.constData());
        xcb_map_window(m_c, window);
        xcb_flush(m_c);
    }

    /// Writes _NET_ACTIVE_WINDOW as a window manager would.
    void setActiveWindow(xcb_window_t window)
    {
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_screen->root, m_activeWindow, XCB_ATOM_WINDOW, 32, 1,
                            &window);
        free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr)); // a round trip: it is done
    }

private:
    xcb_connection_t* m_c;
    xcb_screen_t* m_screen;
    xcb_atom_t m_activeWindow = XCB_ATOM_NONE;
};

} // namespace

TEST(X11ActiveAppSource, ReportsTheApplicationOfEachActivatedWindowOnce)
{
    DesktopSession session;
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    writeEntry(session.dataHome(), QStringLiteral("org.example.Alpha"), "Name=Alpha\nStartupWMClass=AlphaWindow\n");
    writeEntry(session.dataHome(), QStringLiteral("beta"), "Name=Beta\n");
    writeEntry(session.dataHome(), QStringLiteral("org.example.Gamma"), "Name=Gamma\n");
    ManualClock clock(QDateTime::currentDateTime());
    ManualScheduler scheduler(clock);
    const DesktopEntryRegistry registry(scheduler, {session.dataHome()}, QStringLiteral("C"));

    const QString helper = QStringLiteral(BRINDLEMOOR_TEST_WINDOW);
    const quint32 alpha =
        session.startXterm(QStringLiteral("alpha"), QStringLiteral("AlphaWindow"), QStringLiteral("alpha"));
    const quint32 beta = session.startXterm(QStringLiteral("beta"), QStringLiteral("Beta"), QStringLiteral("beta"));
    const quint32 bare =
        session.startWindow(helper, {QStringLiteral("--title"), QStringLiteral("bare")}, QStringLiteral("bare"));
    const quint32 gamma =
        session.startWindow(helper,
                            {QStringLiteral("--title"), QStringLiteral("gamma"), QStringLiteral("--class"),
                             QStringLiteral("Nomatch"), QStringLiteral("--instance"), QStringLiteral("nomatch"),
                             QStringLiteral("--gtk-app-id"), QStringLiteral("org.example.Gamma")},
                            QStringLiteral("gamma"));
    ASSERT_NE(gamma, 0U) << session.error().toStdString();
    const quint32 dialog = session.startWindow(helper,
                                               {QStringLiteral("--title"), QStringLiteral("dialog"),
                                                QStringLiteral("--transient-for"), QString::number(gamma)},
                                               QStringLiteral("dialog"));
    OwnClient own(session.display());
    own.createWindow("own window");
    quint32 ownWindow = 0;
    DesktopSession::waitUntil([&] {
        ownWindow = session.findWindow(QStringLiteral("own window"));
        return session.isManaged(ownWindow);
    });
    for (const quint32 window : {alpha, beta, bare, gamma, dialog, ownWindow})
        ASSERT_NE(window, 0U) << session.error().toStdString();

    X11ActiveAppSource source(registry, session.display());
    ASSERT_TRUE(source.isAvailable());
    std::vector<std::optional<RunningApp>> reports;
    QObject::connect(&source, &ActiveAppSource::activated, &source,
                     [&](const std::optional<RunningApp>& app) { reports.push_back(app); });

    // New windows do not take the focus in the session: nothing is active until a test says so.
    EXPECT_EQ(source.frontmostApp(), std::nullopt);
    const auto expectReport = [&](quint32 window, const std::optional<QString>& id) {
        const size_t before = reports.size();
        ASSERT_TRUE(
            session.xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)}));
        ASSERT_TRUE(DesktopSession::waitUntil([&] { return reports.size() > before; }));
        EXPECT_EQ(reports.back(), RunningApp{id});
    };
    expectReport(alpha, u"org.example.Alpha"_s);
    expectReport(beta, u"beta"_s);
    EXPECT_EQ(source.frontmostApp(), RunningApp{u"beta"_s});
    expectReport(alpha, u"org.example.Alpha"_s);
    expectReport(bare, std::nullopt);
    EXPECT_EQ(source.frontmostApp(), RunningApp{std::nullopt});
    expectReport(gamma, u"org.example.Gamma"_s);
    expectReport(alpha, u"org.example.Alpha"_s);
    expectReport(dialog, u"org.example.Gamma"_s);

    // None is no activation, and the window that was active before it is no new one. The
    // round trip of frontmostApp() brings the change's event in; one pass of the event loop
    // hands it to the source before the next change could be folded into it.
    const auto setActiveWindow = [&](xcb_window_t window) {
        own.setActiveWindow(window);
        const std::optional<RunningApp> frontmost = source.frontmostApp();
        QCoreApplication::processEvents();
        return frontmost;
    };
    EXPECT_EQ(setActiveWindow(XCB_WINDOW_NONE), std::nullopt);
    EXPECT_EQ(setActiveWindow(dialog), RunningApp{u"org.example.Gamma"_s});
    EXPECT_EQ(setActiveWindow(gamma), RunningApp{u"org.example.Gamma"_s});
    EXPECT_EQ(reports.size(), 7U);

    expectReport(ownWindow, u"brindlemoor"_s);
    expectReport(beta, u"beta"_s);

    const std::vector<std::optional<RunningApp>> expected = {RunningApp{u"org.example.Alpha"_s},
                                                             RunningApp{u"beta"_s},
                                                             RunningApp{u"org.example.Alpha"_s},
                                                             RunningApp{std::nullopt},
                                                             RunningApp{u"org.example.Gamma"_s},
                                                             RunningApp{u"org.example.Alpha"_s},
                                                             RunningApp{u"org.example.Gamma"_s},
                                                             RunningApp{u"brindlemoor"_s},
                                                             RunningApp{u"beta"_s}};
    EXPECT_EQ(reports, expected);
}
