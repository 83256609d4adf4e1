// SPDX-License-Identifier: MIT
#include "platform/linux/DesktopEntryParser.h"

#include <QFile>
#include <QStringDecoder>

namespace brindlemoor {

namespace {

// Real entries are a few kilobytes; anything far larger is not one.
constexpr qint64 maximumFileSize = qint64{1024} * 1024;

bool parseBoolean(const QString& value)
{
    return value == u"true" || value == u"1";
}

} // namespace

DesktopEntryParser::DesktopEntryParser(const QString& locale)
{
    QString rest = locale;
    QString modifier;
    if (const qsizetype at = rest.indexOf(u'@'); at >= 0) {
        modifier = rest.mid(at + 1);
        rest.truncate(at);
    }
    if (const qsizetype dot = rest.indexOf(u'.'); dot >= 0)
        rest.truncate(dot);
    if (rest.isEmpty() || rest == u"C" || rest == u"POSIX")
        return;
    QString language = rest;
    QString country;
    if (const qsizetype underscore = rest.indexOf(u'_'); underscore >= 0) {
        language = rest.left(underscore);
        country = rest.mid(underscore + 1);
    }
    if (!country.isEmpty() && !modifier.isEmpty())
        m_localeSuffixes << language + u'_' + country + u'@' + modifier;
    if (!country.isEmpty())
        m_localeSuffixes << language + u'_' + country;
    if (!modifier.isEmpty())
        m_localeSuffixes << language + u'@' + modifier;
    m_localeSuffixes << language;
}

std::optional<QHash<QString, QString>> DesktopEntryParser::readGroup(QByteArrayView text, QStringView group)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(text);
    if (decoder.hasError())
        return std::nullopt;

    QHash<QString, QString> values;
    bool inGroup = false;
    bool found = false;
    for (QStringView line : QStringView(decoded).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return std::nullopt;
            inGroup = line.sliced(1, line.size() - 2) == group;
            found = found || inGroup;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            return std::nullopt;
        const QStringView key = line.left(equals).trimmed();
        if (key.isEmpty())
            return std::nullopt;
        if (inGroup)
            values.insert(key.toString(), line.sliced(equals + 1).trimmed().toString());
    }
    if (!found)
        return std::nullopt;
    return values;
}

QString DesktopEntryParser::unescape(QStringView value)
{
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            result += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's':
            result += u' ';
            break;
        case 'n':
            result += u'\n';
            break;
        case 't':
            result += u'\t';
            break;
        case 'r':
            result += u'\r';
            break;
        case '\\':
            result += u'\\';
            break;
        default:
            // Exec lines carry their own \" and \$ quoting for the next stage.
            result += c;
            result += next;
        }
    }
    return result;
}

QString DesktopEntryParser::programOf(const QString& commandLine)
{
    QStringList arguments;
    QString current;
    bool inQuotes = false;
    bool hasArgument = false;
    for (qsizetype i = 0; i < commandLine.size(); ++i) {
        const QChar c = commandLine[i];
        if (inQuotes) {
            if (c == u'\\' && i + 1 < commandLine.size())
                current += commandLine[++i];
            else if (c == u'"')
                inQuotes = false;
            else
                current += c;
        } else if (c == u'"') {
            inQuotes = true;
            hasArgument = true;
        } else if (c.isSpace()) {
            if (hasArgument)
                arguments << current;
            current.clear();
            hasArgument = false;
        } else {
            current += c;
            hasArgument = true;
        }
    }
    if (hasArgument)
        arguments << current;

    qsizetype first = 0;
    if (!arguments.isEmpty() && (arguments[0] == u"env" || arguments[0] == u"/usr/bin/env")) {
        first = 1;
        while (first < arguments.size()) {
            const QString& argument = arguments[first];
            const qsizetype equals = argument.indexOf(u'=');
            if (equals <= 0 || argument.left(equals).contains(u'/'))
                break;
            ++first;
        }
    }
    return first < arguments.size() ? arguments[first] : QString();
}

QString DesktopEntryParser::localised(const QHash<QString, QString>& group, const QString& key) const
{
    for (const QString& suffix : m_localeSuffixes) {
        const auto it = group.constFind(key + u'[' + suffix + u']');
        if (it != group.constEnd())
            return unescape(*it);
    }
    return unescape(group.value(key));
}

std::optional<DesktopEntry> DesktopEntryParser::parse(QByteArrayView text) const
{
    const auto group = readGroup(text, u"Desktop Entry");
    if (!group)
        return std::nullopt;
    DesktopEntry entry;
    entry.type = unescape(group->value(QStringLiteral("Type")));
    entry.name = localised(*group, QStringLiteral("Name"));
    entry.icon = localised(*group, QStringLiteral("Icon"));
    entry.exec = unescape(group->value(QStringLiteral("Exec")));
    entry.tryExec = unescape(group->value(QStringLiteral("TryExec")));
    entry.startupWMClass = unescape(group->value(QStringLiteral("StartupWMClass")));
    entry.noDisplay = parseBoolean(group->value(QStringLiteral("NoDisplay")));
    entry.hidden = parseBoolean(group->value(QStringLiteral("Hidden")));
    return entry;
}

std::optional<DesktopEntry> DesktopEntryParser::parseFile(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maximumFileSize)
        return std::nullopt;
    return parse(file.readAll());
}

} // namespace brindlemoor
