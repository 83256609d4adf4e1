// SPDX-License-Identifier: MIT
#include "platform/linux/XdgAutostart.h"

#include "platform/linux/AppId.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace brindlemoor {

namespace {

QString configHome()
{
    // The basedir rules: an unset, empty or relative XDG_CONFIG_HOME is ignored.
    QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return configured;
    return QDir::home().filePath(QStringLiteral(".config"));
}

// Hidden=true in the [Desktop Entry] group is how desktops switch an entry off.
bool saysHidden(const QByteArray& text)
{
    bool inEntry = false;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry || line.startsWith('#'))
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        if (line.left(equals).trimmed() == "Hidden" && line.mid(equals + 1).trimmed() == "true")
            return true;
    }
    return false;
}

QString earlierEntryPath()
{
    return QDir(configHome()).filePath(QStringLiteral("autostart/brindlemoor.desktop"));
}

bool startsAtLogin(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    return !saysHidden(file.readAll());
}

std::optional<QString> removeEntry(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    if (info.isDir())
        return QStringLiteral("%1 is a folder, not an autostart entry").arg(path);
    QFile file(path);
    if (!file.remove())
        return QStringLiteral("Cannot remove %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

} // namespace

XdgAutostart::XdgAutostart(QString executable)
    : m_executable(std::move(executable))
{
}

QString XdgAutostart::runningExecutable()
{
    QString appImage = qEnvironmentVariable("APPIMAGE");
    if (!appImage.isEmpty() && QDir::isAbsolutePath(appImage))
        return appImage;
    return QCoreApplication::applicationFilePath();
}

QString XdgAutostart::entryPath()
{
    return QDir(configHome()).filePath(QStringLiteral("autostart/" BRINDLEMOOR_APP_ID ".desktop"));
}

QString XdgAutostart::quoteExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted = argument;
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool needsQuotes = std::any_of(quoted.begin(), quoted.end(), [](QChar c) { return reserved.contains(c); });
    if (!needsQuotes)
        return quoted;
    QString escaped;
    for (const QChar c : quoted) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QByteArray XdgAutostart::entryText(const QString& executable)
{
    // Exec is a string value too, so each backslash of the quoting is escaped once more.
    QString exec = quoteExecArgument(executable);
    exec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    QByteArray text;
    text += "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=Brindlemoor\n";
    text += "Comment=Notice how long you spend in the applications you choose\n";
    text += "Exec=" + exec.toUtf8() + "\n";
    text += "Icon=" BRINDLEMOOR_APP_ID "\n";
    text += "Terminal=false\n";
    text += "X-GNOME-Autostart-enabled=true\n";
    return text;
}

bool XdgAutostart::isEnabled() const
{
    // The desktop starts each entry that is not hidden; Hidden=true switches off its own file only.
    return startsAtLogin(entryPath()) || startsAtLogin(earlierEntryPath());
}

bool XdgAutostart::setEnabled(bool enabled)
{
    m_error = change(enabled).value_or(QString());
    return m_error.isEmpty();
}

std::optional<QString> XdgAutostart::change(bool enabled)
{
    const QString path = entryPath();
    if (!enabled) {
        if (std::optional<QString> error = removeEntry(path))
            return error;
        return removeEntry(earlierEntryPath());
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("Cannot create the folder %1").arg(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    file.write(entryText(m_executable));
    if (!file.commit())
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    // Left beside the new one, it would start the program a second time, which opens the popover.
    return removeEntry(earlierEntryPath());
}

} // namespace brindlemoor
