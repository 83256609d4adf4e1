// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace brindlemoor {

/// The keys of a [Desktop Entry] group that the program uses, unescaped and localised.
struct DesktopEntry {
    QString type;
    QString name;
    QString icon;
    QString exec;
    QString tryExec;
    QString startupWMClass;
    bool noDisplay = false;
    bool hidden = false;

    friend bool operator==(const DesktopEntry&, const DesktopEntry&) = default;
};

/// Reads desktop entries and similar key files. QSettings is no use here: it splits
/// values at commas and treats backslashes its own way.
class DesktopEntryParser final {
public:
    /// `locale` as in LANG, e.g. "de_AT.UTF-8@euro"; "C", "POSIX" or empty for no translation.
    explicit DesktopEntryParser(const QString& locale = {});

    /// The entry, or none when the text is not a well-formed key file with a [Desktop Entry] group.
    std::optional<DesktopEntry> parse(QByteArrayView text) const;
    std::optional<DesktopEntry> parseFile(const QString& path) const;

    /// The raw values of one group, keys with their locale suffix ("Name[de]");
    /// none when the text is malformed or lacks the group.
    static std::optional<QHash<QString, QString>> readGroup(QByteArrayView text, QStringView group);
    /// Undoes the string escapes \s \n \t \r and \\.
    static QString unescape(QStringView value);
    /// The program an Exec or TryExec line starts, with quoting undone and any leading
    /// "env VAR=value" skipped; empty when there is none.
    static QString programOf(const QString& commandLine);

private:
    QString localised(const QHash<QString, QString>& group, const QString& key) const;

    QStringList m_localeSuffixes; // tried for a localised key, most specific first
};

} // namespace brindlemoor
