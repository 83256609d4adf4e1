// SPDX-License-Identifier: MIT
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/fake/ManualScheduler.h"
#include "support/DesktopSession.h"
#include "support/QtPrinting.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;

namespace {

/// Three XDG data folders in precedence order: home, then two system ones.
struct XdgTree {
    XdgTree()
    {
        for (const char* name : {"home", "local", "system"})
            dirs << root.filePath(QString::fromLatin1(name));
    }

    QString path(int dir, const QString& relativePath) const
    {
        return dirs[dir] + QStringLiteral("/applications/") + relativePath;
    }
    void write(int dir, const QString& relativePath, const QByteArray& content) const
    {
        ASSERT_TRUE(test::writeFile(path(dir, relativePath), content));
    }

    QTemporaryDir root;
    QStringList dirs;
};

QByteArray app(const char* name, const char* extra = "")
{
    return QByteArray("[Desktop Entry]\nType=Application\nName=") + name + "\n" + extra;
}

// One tree for the resolution and listing tests; each entry is there for a case below.
void populate(const XdgTree& tree)
{
    constexpr int home = 0;
    constexpr int local = 1;
    constexpr int system = 2;
    tree.write(home, QStringLiteral("org.example.Editor.desktop"),
               app("Editor", "StartupWMClass=editor-main\nExec=/opt/editor/bin/editor %F\nIcon=editor\n"));
    // Sorts before the editor and starts the same program, but is hidden from menus.
    tree.write(home, QStringLiteral("editor-url-handler.desktop"),
               app("Editor URL handler", "NoDisplay=true\nExec=/opt/editor/bin/editor --url %u\n"));
    tree.write(home, QStringLiteral("browser.desktop"), app("Browser", "Exec=browser\n"));
    tree.write(home, QStringLiteral("webapp.desktop"), app("Web App", "StartupWMClass=browser\n"));
    tree.write(home, QStringLiteral("my-term.desktop"), app("My Term"));
    tree.write(home, QStringLiteral("kde/org.kde.viewer.desktop"), app("Viewer"));
    tree.write(home, QStringLiteral("shadowed.desktop"), app("Home copy"));
    tree.write(home, QStringLiteral("removed.desktop"), "[Desktop Entry]\nHidden=true\n");
    tree.write(home, QStringLiteral("broken.desktop"), "[Desktop Entry]\nName=Broken\nnot a key line\n");
    tree.write(home, QStringLiteral("notes.desktop"), "[Desktop Entry\nName=Malformed notes\n");
    tree.write(home, QStringLiteral("readme.txt"), app("Not an entry"));
    tree.write(local, QStringLiteral("notes.desktop"), app("Notes", "Exec=env NOTES_DEBUG=1 /opt/notes/run\n"));
    tree.write(local, QStringLiteral("shadowed.desktop"), app("System copy"));
    tree.write(local, QStringLiteral("removed.desktop"), app("Removed"));
    tree.write(local, QStringLiteral("link.desktop"), "[Desktop Entry]\nType=Link\nName=Link\nURL=https://x/\n");
    tree.write(local, QStringLiteral("tool.desktop"), app("Tool", "Exec=sh -c tool-launcher\nTryExec=tool-bin\n"));
    tree.write(local, QStringLiteral("org.example.Flat.desktop"), app("Flat"));
    // A Java program's entries, hidden from menus only to keep them out of the listing below.
    tree.write(local, QStringLiteral("jedit.desktop"), app("jEdit", "StartupWMClass=jedit\nNoDisplay=true\n"));
    tree.write(local, QStringLiteral("policytool.desktop"), app("Policy", "Exec=java -jar p.jar\nNoDisplay=true\n"));
    tree.write(system, QStringLiteral("debian-xterm.desktop"), app("XTerm", "Exec=xterm\n"));
    tree.write(system, QStringLiteral("gnome-calculator.desktop"), app("Calculator"));
    tree.write(system, QStringLiteral("mozilla-mail.desktop"), app("Mail"));
}

/// The registry over the populated tree, in the locale given.
class PopulatedRegistry : public ::testing::Test {
protected:
    PopulatedRegistry() { populate(tree); }
    DesktopEntryRegistry open(const char* locale = "C")
    {
        return DesktopEntryRegistry(scheduler, tree.dirs, QString::fromLatin1(locale));
    }

    XdgTree tree;
    ManualClock clock{QDateTime::currentDateTime()};
    ManualScheduler scheduler{clock};
};

/// A window known by its WM_CLASS instance and class alone.
WindowProperties classed(const char* instance, const char* windowClass)
{
    return {.instance = QString::fromUtf8(instance), .windowClass = QString::fromUtf8(windowClass)};
}

} // namespace

TEST_F(PopulatedRegistry, MatchesWindowsToEntriesInTheDesktopShellsOrder)
{
    const DesktopEntryRegistry registry = open();
    struct Case {
        const char* name;
        WindowProperties window;
        std::optional<QString> expected;
    };
    const auto id = [](const char* text) { return std::optional<QString>(QString::fromUtf8(text)); };
    const auto s = [](const char* text) { return QString::fromUtf8(text); };
    const Case cases[] = {
        {"StartupWMClass of the instance", classed("editor-main", "Other"), id("org.example.Editor")},
        {"StartupWMClass of the class", classed("x", "editor-main"), id("org.example.Editor")},
        {"StartupWMClass beats an entry named after the class", classed("browser", "Browser"), id("webapp")},
        {"instance before class", classed("editor-main", "browser"), id("org.example.Editor")},
        {"entry named exactly after the class", classed("unknown", "org.example.Flat"), id("org.example.Flat")},
        {"sub-folder id", classed("kde-org.kde.viewer", "Viewer"), id("kde-org.kde.viewer")},
        {"lower case with spaces as dashes", classed("x", "My Term"), id("my-term")},
        {"debian- prefix on the canonical class", classed("xterm-256", "XTerm"), id("debian-xterm")},
        {"gnome- prefix on the instance", classed("Calculator", "Calc"), id("gnome-calculator")},
        {"mozilla- prefix", classed("mail", "Mail"), id("mozilla-mail")},
        {"Flatpak id",
         {.instance = s("a"), .windowClass = s("B"), .flatpakId = s("org.example.Flat")},
         id("org.example.Flat")},
        {"GTK application id",
         {.instance = s("nomatch"), .windowClass = s("Nomatch"), .gtkApplicationId = s("org.example.Editor")},
         id("org.example.Editor")},
        {"a GTK id naming no entry falls through",
         {.instance = s("nomatch"), .windowClass = s("Nomatch"), .gtkApplicationId = s("org.none")},
         id("Nomatch")},
        {"KDE desktop file with suffix", {.kdeDesktopFile = s("kde-org.kde.viewer.desktop")}, id("kde-org.kde.viewer")},
        {"KDE desktop file without suffix", {.kdeDesktopFile = s("my-term")}, id("my-term")},
        {"executable path against Exec, visible entry first",
         {.executable = s("/opt/editor/bin/editor")},
         id("org.example.Editor")},
        {"executable name against Exec", {.executable = s("/usr/bin/xterm")}, id("debian-xterm")},
        {"executable behind env", {.executable = s("/opt/notes/run")}, id("notes")},
        {"executable against TryExec", {.executable = s("/usr/libexec/tool-bin")}, id("tool")},
        {"a Java main class by its last part", classed("sun-awt-X11-XFramePeer", "org-gjt-sp-jedit-jEdit"),
         id("jedit")},
        {"a Java main class of a program the java launcher runs, before Exec=java",
         {.instance = s("x"), .windowClass = s("org-gjt-sp-jedit-jEdit"), .executable = s("/usr/lib/jvm/bin/java")},
         id("jedit")},
        {"a Java main class whose last part names two entries",
         classed("sun-awt-X11-XFramePeer", "org-example-Browser"), id("org-example-Browser")},
        {"a dashed class of a program that is no Java one", classed("gnome-jedit", "Gnome-jedit"), id("Gnome-jedit")},
        {"an unknown class is the id itself", classed("foo", "Foo"), id("Foo")},
        {"a hidden entry is deleted", classed("Removed", "Removed"), id("Removed")},
        {"a Link entry is no application", classed("Link", "Link"), id("Link")},
        {"nothing at all", {}, std::nullopt},
        {"an instance without a class", {.instance = s("orphan")}, std::nullopt},
        {"an executable nobody starts", {.executable = s("/usr/bin/unknown")}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(registry.idForWindow(c.window), c.expected);
    }
}

TEST_F(PopulatedRegistry, ListsEntriesWithShadowingHidingAndMalformedFilesSkipped)
{
    const DesktopEntryRegistry registry = open();

    QStringList listed;
    for (const ApplicationInfo& info : registry.applications())
        listed << info.id;
    // Sorted by name; NoDisplay, Hidden, Link and malformed entries left out.
    EXPECT_EQ(listed,
              (QStringList{QStringLiteral("browser"), QStringLiteral("gnome-calculator"),
                           QStringLiteral("org.example.Editor"), QStringLiteral("org.example.Flat"),
                           QStringLiteral("shadowed"), QStringLiteral("mozilla-mail"), QStringLiteral("my-term"),
                           QStringLiteral("notes"), QStringLiteral("tool"), QStringLiteral("kde-org.kde.viewer"),
                           QStringLiteral("webapp"), QStringLiteral("debian-xterm")}));

    const auto shadowed = registry.application(QStringLiteral("shadowed"));
    ASSERT_TRUE(shadowed);
    EXPECT_EQ(shadowed->name, u"Home copy");
    EXPECT_EQ(shadowed->filePath, tree.path(0, QStringLiteral("shadowed.desktop")));

    // A malformed file does not hide a good one further down.
    const auto notes = registry.application(QStringLiteral("notes"));
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->filePath, tree.path(1, QStringLiteral("notes.desktop")));

    EXPECT_FALSE(registry.application(QStringLiteral("removed")));
    EXPECT_FALSE(registry.application(QStringLiteral("broken")));
    EXPECT_FALSE(registry.application(QStringLiteral("link")));
    const auto handler = registry.application(QStringLiteral("editor-url-handler"));
    ASSERT_TRUE(handler) << "NoDisplay entries are still applications";
    EXPECT_TRUE(handler->noDisplay);
    EXPECT_EQ(registry.application(QStringLiteral("org.example.Editor"))->icon, u"editor");
}

TEST_F(PopulatedRegistry, DescribesADesktopFileWithTheIdItHasOrWouldHave)
{
    const DesktopEntryRegistry registry = open("de_DE.UTF-8");
    const auto inside = registry.applicationForFile(tree.path(0, QStringLiteral("kde/org.kde.viewer.desktop")));
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->id, u"kde-org.kde.viewer");

    const QString outside = tree.root.filePath(QStringLiteral("downloads/Some App.desktop"));
    ASSERT_TRUE(test::writeFile(outside, app("Some App", "Name[de]=Eine App\nIcon=/tmp/icon.png\n")));
    const auto loose = registry.applicationForFile(outside);
    ASSERT_TRUE(loose);
    EXPECT_EQ(*loose, (ApplicationInfo{QStringLiteral("Some App"), QStringLiteral("Eine App"),
                                       QStringLiteral("/tmp/icon.png"), outside, false}));

    EXPECT_FALSE(registry.applicationForFile(tree.path(0, QStringLiteral("broken.desktop"))));
    EXPECT_FALSE(registry.applicationForFile(tree.path(0, QStringLiteral("readme.txt"))));
    EXPECT_FALSE(registry.applicationForFile(tree.root.filePath(QStringLiteral("missing.desktop"))));
}

TEST(DesktopEntryRegistry, NoticesEntriesInstalledAndRemovedWhileRunning)
{
    XdgTree tree; // the home folder has no applications folder yet
    tree.write(2, QStringLiteral("base.desktop"), app("Base"));
    QDir().mkpath(tree.dirs[0]);
    QtScheduler scheduler;
    DesktopEntryRegistry registry(scheduler, tree.dirs, QStringLiteral("C"));
    int changes = 0;
    QObject::connect(&registry, &ApplicationCatalog::applicationsChanged, &registry, [&] { ++changes; });

    tree.write(0, QStringLiteral("vendor/fresh.desktop"), app("Fresh", "StartupWMClass=FreshWin\n"));
    ASSERT_TRUE(
        DesktopSession::waitUntil([&] { return registry.application(QStringLiteral("vendor-fresh")).has_value(); }));
    EXPECT_EQ(registry.idForWindow(classed("x", "FreshWin")), u"vendor-fresh");
    EXPECT_GE(changes, 1);

    // A folder found by the last scan is watched too.
    const int before = changes;
    tree.write(0, QStringLiteral("vendor/second.desktop"), app("Second"));
    ASSERT_TRUE(
        DesktopSession::waitUntil([&] { return registry.application(QStringLiteral("vendor-second")).has_value(); }));
    EXPECT_GT(changes, before);

    ASSERT_TRUE(QFile::remove(tree.path(0, QStringLiteral("vendor/fresh.desktop"))));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !registry.application(QStringLiteral("vendor-fresh")); }));
    EXPECT_EQ(registry.idForWindow(classed("x", "FreshWin")), u"FreshWin");
    EXPECT_TRUE(registry.application(QStringLiteral("base")));
}
