// SPDX-License-Identifier: MIT
#include "platform/linux/DesktopEntryParser.h"
#include "platform/linux/ProcessInfo.h"
#include "support/QtPrinting.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

QByteArray entryText(const char* keys)
{
    return QByteArray("# a comment\n\n[Desktop Entry]\nType=Application\n") + keys +
           "\n[Desktop Action new-window]\nName=New Window\nExec=other --new\n";
}

} // namespace

TEST(DesktopEntryParser, NamesFollowTheLocaleFromMostToLeastSpecific)
{
    const QByteArray text = entryText("Name=Color\n"
                                      "Name[de]=Farbe\n"
                                      "Name[de_AT]=Farbe (AT)\n"
                                      "Name[sr@latin]=Boja\n"
                                      "Name[sr_RS@latin]=Boja (RS)\n"
                                      "Name[pt_BR]=Cor\n");
    struct Case {
        const char* locale;
        const char* expected;
    };
    for (const Case c :
         {Case{"de_AT.UTF-8", "Farbe (AT)"}, Case{"de_DE.UTF-8", "Farbe"}, Case{"de", "Farbe"},
          Case{"sr_RS.UTF-8@latin", "Boja (RS)"}, Case{"sr_ME@latin", "Boja"}, Case{"pt_PT", "Color"},
          Case{"pt_BR.UTF-8", "Cor"}, Case{"C.UTF-8", "Color"}, Case{"POSIX", "Color"}, Case{"", "Color"}}) {
        SCOPED_TRACE(c.locale);
        const auto entry = DesktopEntryParser(QString::fromLatin1(c.locale)).parse(text);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->name, QString::fromUtf8(c.expected));
    }
}

TEST(DesktopEntryParser, ReadsOnlyTheDesktopEntryGroupAndKeepsCommasAndEscapes)
{
    const auto entry = DesktopEntryParser().parse(entryText("Name = Files, Folders and Drives\n"
                                                            "Icon=/usr/share/icons/files.png\n"
                                                            "Exec=files\\s--all %U\n"
                                                            "TryExec=files\n"
                                                            "StartupWMClass=Files-App\n"
                                                            "NoDisplay=true\n"
                                                            "Hidden=false\n"
                                                            "Comment=Line one\\nline two\n"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->type, u"Application");
    EXPECT_EQ(entry->name, u"Files, Folders and Drives");
    EXPECT_EQ(entry->icon, u"/usr/share/icons/files.png");
    EXPECT_EQ(entry->exec, u"files --all %U");
    EXPECT_EQ(entry->tryExec, u"files");
    EXPECT_EQ(entry->startupWMClass, u"Files-App");
    EXPECT_TRUE(entry->noDisplay);
    EXPECT_FALSE(entry->hidden);
    // Only the string escapes are undone; the Exec quoting is another layer's.
    EXPECT_EQ(DesktopEntryParser::unescape(uR"(back\\slash \t keep \$ \" trailing\)"),
              QStringLiteral("back\\slash \t keep \\$ \\\" trailing\\"));
}

TEST(DesktopEntryParser, RejectsTextThatIsNotAKeyFile)
{
    struct Case {
        const char* name;
        QByteArray text;
    };
    const Case cases[] = {
        {"no group at all", "Name=Loose\nType=Application\n"},
        {"another group only", "[Desktop Action x]\nName=X\n"},
        {"a line that is neither key, group nor comment", "[Desktop Entry]\nName=X\nthis is not a key\n"},
        {"an unterminated group header", "[Desktop Entry\nName=X\n"},
        {"an empty key", "[Desktop Entry]\n=X\n"},
        {"invalid UTF-8", "[Desktop Entry]\nName=\xff\xfe\n"},
        {"empty text", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(DesktopEntryParser().parse(c.text));
    }
}

TEST(DesktopEntryParser, FindsTheProgramOfACommandLine)
{
    struct Case {
        const char* commandLine;
        const char* program;
    };
    const Case cases[] = {
        {"gedit %U", "gedit"},
        {"  /usr/bin/gedit", "/usr/bin/gedit"},
        {"\"/opt/My App/bin/app\" --flag %F", "/opt/My App/bin/app"},
        {R"("/opt/quote\"d/app")", R"(/opt/quote"d/app)"},
        {"env GDK_BACKEND=x11 LANG=C /opt/tool/run --x", "/opt/tool/run"},
        {"/usr/bin/env FOO=1 tool", "tool"},
        {"env", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(DesktopEntryParser::programOf(QString::fromUtf8(c.commandLine)), QString::fromUtf8(c.program));
    }
}

TEST(ProcessInfo, ReadsTheApplicationNameOfAFlatpakInfoFile)
{
    EXPECT_EQ(ProcessInfo::flatpakAppIdFromInfo("[Application]\nname=org.example.Sandboxed\nruntime=runtime/x\n"
                                                "[Instance]\nname=not-this\n"),
              u"org.example.Sandboxed");
    EXPECT_EQ(ProcessInfo::flatpakAppIdFromInfo("[Instance]\nname=x\n"), QString());
    EXPECT_EQ(ProcessInfo::flatpakAppId(0), QString());
    EXPECT_EQ(ProcessInfo::flatpakAppId(QCoreApplication::applicationPid()), QString()) << "the test is no Flatpak";
    EXPECT_EQ(ProcessInfo::executablePath(QCoreApplication::applicationPid()), QCoreApplication::applicationFilePath());
}
