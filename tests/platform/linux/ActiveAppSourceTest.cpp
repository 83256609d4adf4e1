// SPDX-License-Identifier: MIT
#include "platform/fake/ManualScheduler.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/X11ActiveAppSource.h"
#include "platform/linux/XcbConnection.h"
#include "support/DesktopSession.h"
#include "support/QtPrinting.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <vector>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using namespace Qt::StringLiterals;

namespace {

void writeEntry(const QString& dataHome, const QString& id, const QByteArray& keys)
{
    ASSERT_TRUE(brindlemoor::test::writeFile(dataHome + u"/applications/"_s + id + u".desktop"_s,
                                             "[Desktop Entry]\nType=Application\n" + keys));
}

/// A window of this very process, on a connection of the test's own.
xcb_window_t createOwnWindow(const XcbConnection& x, const QByteArray& title)
{
    const xcb_window_t window = xcb_generate_id(x.get());
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, window, x.root(), 0, 0, 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_change_property(x.get(), XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<uint32_t>(title.size()), title.constData());
    xcb_map_window(x.get(), window);
    xcb_flush(x.get());
    return window;
}

} // namespace

TEST(X11ActiveAppSource, ReportsTheApplicationOfEachActivatedWindowOnce)
{
    DesktopSession session;
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    writeEntry(session.dataHome(), u"org.example.Alpha"_s, "Name=Alpha\nStartupWMClass=AlphaWindow\n");
    writeEntry(session.dataHome(), u"beta"_s, "Name=Beta\n");
    writeEntry(session.dataHome(), u"org.example.Gamma"_s, "Name=Gamma\n");
    writeEntry(session.dataHome(), u"libreoffice-writer"_s, "Name=Writer\n");
    writeEntry(session.dataHome(), u"io.github.brindlemoor.Brindlemoor"_s, "Name=Brindlemoor\n");
    ManualClock clock(QDateTime::currentDateTime());
    ManualScheduler scheduler(clock);
    const DesktopEntryRegistry registry(scheduler, {session.dataHome()}, QStringLiteral("C"));

    const QString helper = QStringLiteral(BRINDLEMOOR_TEST_WINDOW);
    const quint32 alpha = session.startXterm(u"alpha"_s, u"AlphaWindow"_s, u"alpha"_s);
    const quint32 beta = session.startXterm(u"beta"_s, u"Beta"_s, u"beta"_s);
    const quint32 bare = session.startWindow(helper, {u"--title"_s, u"bare"_s}, u"bare"_s);
    const quint32 gamma = session.startWindow(helper,
                                              {u"--title"_s, u"gamma"_s, u"--class"_s, u"Nomatch"_s, u"--instance"_s,
                                               u"nomatch"_s, u"--gtk-app-id"_s, u"org.example.Gamma"_s},
                                              u"gamma"_s);
    ASSERT_NE(gamma, 0U) << session.error().toStdString();
    const quint32 dialog = session.startWindow(
        helper, {u"--title"_s, u"dialog"_s, u"--transient-for"_s, QString::number(gamma)}, u"dialog"_s);
    const quint32 named = session.startWindow(
        helper, {u"--title"_s, u"named"_s, u"--gtk-app-id"_s, u"io.github.brindlemoor.Brindlemoor"_s}, u"named"_s);
    const XcbConnection own(session.display());
    const quint32 ownWindow = createOwnWindow(own, "own window");
    DesktopSession::waitUntil([&] { return session.isManaged(ownWindow); });
    for (const quint32 window : {alpha, beta, bare, gamma, dialog, named, ownWindow})
        ASSERT_NE(window, 0U) << session.error().toStdString();

    X11ActiveAppSource source(registry, session.display());
    ASSERT_TRUE(source.isAvailable());
    std::vector<std::optional<RunningApp>> reports;
    QObject::connect(&source, &ActiveAppSource::activated, &source,
                     [&](const std::optional<RunningApp>& app) { reports.push_back(app); });

    // New windows do not take the focus in the session: nothing is active until a test says so.
    EXPECT_EQ(source.frontmostApp(), std::nullopt);
    // Each activation is reported once: the count at the end shows there were no others.
    const auto expectReport = [&](quint32 window, const std::optional<QString>& id) {
        const size_t before = reports.size();
        ASSERT_TRUE(session.xdotool({u"windowactivate"_s, u"--sync"_s, QString::number(window)}));
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
        // As a window manager would; the round trip makes sure it is done.
        xcb_change_property(own.get(), XCB_PROP_MODE_REPLACE, own.root(), own.atom("_NET_ACTIVE_WINDOW"),
                            XCB_ATOM_WINDOW, 32, 1, &window);
        own.property(own.root(), own.atom("_NET_ACTIVE_WINDOW"));
        std::optional<RunningApp> frontmost = source.frontmostApp();
        QCoreApplication::processEvents();
        return frontmost;
    };
    EXPECT_EQ(setActiveWindow(XCB_WINDOW_NONE), std::nullopt);
    EXPECT_EQ(setActiveWindow(dialog), RunningApp{u"org.example.Gamma"_s});
    EXPECT_EQ(setActiveWindow(gamma), RunningApp{u"org.example.Gamma"_s});
    EXPECT_EQ(reports.size(), 7U);

    expectReport(ownWindow, u"brindlemoor"_s);
    // Where the process does not tell, the desktop id that Qt gives the program's windows does.
    expectReport(named, u"brindlemoor"_s);
    expectReport(beta, u"beta"_s);

    // A window that renames itself once it is up is identified again while it is in front, and only then.
    QProcess* office = nullptr;
    const quint32 loading = session.startWindow(
        helper, {u"--title"_s, u"office"_s, u"--class"_s, u"LibreOffice 7.4"_s, u"--instance"_s, u"soffice"_s},
        u"office"_s, &office);
    ASSERT_NE(loading, 0U) << session.error().toStdString();
    expectReport(loading, u"LibreOffice 7.4"_s);
    office->write("class libreoffice-writer libreoffice-writer\n");
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return reports.back() == RunningApp{u"libreoffice-writer"_s}; }));
    expectReport(beta, u"beta"_s);
    office->write("class other other\n");
    ASSERT_TRUE(DesktopSession::waitUntil(
        [&] { return own.property(loading, XCB_ATOM_WM_CLASS).value_or(QByteArray()).startsWith("other"); }));
    expectReport(alpha, u"org.example.Alpha"_s); // its activation follows the rename: any report of it came first

    EXPECT_EQ(reports.size(), 14U);
}
