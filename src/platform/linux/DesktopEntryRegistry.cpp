// SPDX-License-Identifier: MIT
#include "platform/linux/DesktopEntryRegistry.h"

#include "core/foundation/Scheduler.h"
#include "platform/linux/DesktopEntryParser.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace brindlemoor {

namespace {

const QString applicationsFolder = QStringLiteral("/applications");
const QString desktopSuffix = QStringLiteral(".desktop");

// Distributions that once renamed upstream entries with their own prefix.
const QStringList vendorPrefixes = {QStringLiteral("gnome-"), QStringLiteral("fedora-"), QStringLiteral("mozilla-"),
                                    QStringLiteral("debian-")};

// Java's toolkit names every window after the program's main class, its dots as dashes
// ("org-gjt-sp-jedit-jEdit"); some versions put their own peer class in the instance.
const QRegularExpression javaMainClass(QStringLiteral("^[A-Za-z_$][\\w$]*(-[A-Za-z_$][\\w$]*)+$"));
const QString javaPeerInstance = QStringLiteral("sun-awt-X11-");
const QString javaLauncher = QStringLiteral("java");

QString canonicalName(const QString& name)
{
    QString result = name.toLower();
    result.replace(u' ', u'-');
    return result;
}

QString idForRelativePath(QString relativePath)
{
    relativePath.chop(desktopSuffix.size());
    relativePath.replace(u'/', u'-');
    return relativePath;
}

struct ScannedEntry {
    ApplicationInfo info;
    DesktopEntry entry;

    friend bool operator==(const ScannedEntry&, const ScannedEntry&) = default;
};

} // namespace

struct DesktopEntryRegistry::Index {
    QHash<QString, ScannedEntry> entries; // Hidden and non-application entries left out
    QHash<QString, QString> idByStartupWMClass;
    QHash<QString, QString> idByExecutablePath;
    QHash<QString, QString> idByExecutableName;
    QHash<QString, QString> idByFilePath;
    QHash<QString, QSet<QString>> idsByFoldedName; // ids and StartupWMClass, lower-cased
    QStringList watchedFolders;

    void indexPrograms(const QList<const ScannedEntry*>& ordered);
};

void DesktopEntryRegistry::Index::indexPrograms(const QList<const ScannedEntry*>& ordered)
{
    // Visible entries before NoDisplay ones, so that a helper entry sharing the main
    // program (a URL handler, say) does not take its place; Exec before TryExec.
    for (const bool byTryExec : {false, true}) {
        for (const bool hiddenFromMenus : {false, true}) {
            for (const ScannedEntry* scanned : ordered) {
                if (scanned->entry.noDisplay != hiddenFromMenus)
                    continue;
                const QString program =
                    DesktopEntryParser::programOf(byTryExec ? scanned->entry.tryExec : scanned->entry.exec);
                if (program.isEmpty())
                    continue;
                const QString& id = scanned->info.id;
                if (program.startsWith(u'/')) {
                    idByExecutablePath.insert(program, idByExecutablePath.value(program, id));
                    const QString resolved = QFileInfo(program).canonicalFilePath();
                    if (!resolved.isEmpty())
                        idByExecutablePath.insert(resolved, idByExecutablePath.value(resolved, id));
                }
                const QString name = program.section(u'/', -1);
                idByExecutableName.insert(name, idByExecutableName.value(name, id));
            }
        }
    }
    for (const bool hiddenFromMenus : {false, true}) {
        for (const ScannedEntry* scanned : ordered) {
            const QString& wmClass = scanned->entry.startupWMClass;
            if (scanned->entry.noDisplay == hiddenFromMenus && !wmClass.isEmpty())
                idByStartupWMClass.insert(wmClass, idByStartupWMClass.value(wmClass, scanned->info.id));
        }
    }
}

QStringList DesktopEntryRegistry::standardDataDirs()
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    // Qt drops repeats within XDG_DATA_DIRS only; the home folder may be listed there too.
    dirs.removeDuplicates();
    return dirs;
}

QString DesktopEntryRegistry::userLocale()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

DesktopEntryRegistry::DesktopEntryRegistry(Scheduler& scheduler, QStringList dataDirs, QString locale)
    : m_scheduler(scheduler)
    , m_dataDirs(std::move(dataDirs))
    , m_locale(std::move(locale))
    , m_index(scan())
    , m_watcher(std::make_unique<QFileSystemWatcher>())
{
    QObject::connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, m_watcher.get(),
                     [this] { scheduleRescan(); });
    watchFolders();
}

DesktopEntryRegistry::~DesktopEntryRegistry() = default;

std::unique_ptr<DesktopEntryRegistry::Index> DesktopEntryRegistry::scan() const
{
    auto index = std::make_unique<Index>();
    const DesktopEntryParser parser(m_locale);
    QSet<QString> claimed;
    QList<QString> order;
    for (const QString& dataDir : m_dataDirs) {
        const QString folder = QDir::cleanPath(dataDir + applicationsFolder);
        if (QFileInfo(dataDir).isDir())
            index->watchedFolders << QDir::cleanPath(dataDir);
        if (!QFileInfo(folder).isDir())
            continue;
        index->watchedFolders << folder;

        QStringList relativePaths;
        const QDir base(folder);
        QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo file(it.next());
            if (file.isDir())
                index->watchedFolders << file.filePath();
            else if (file.fileName().endsWith(desktopSuffix))
                relativePaths << base.relativeFilePath(file.filePath());
        }
        relativePaths.sort();

        for (const QString& relativePath : std::as_const(relativePaths)) {
            const QString id = idForRelativePath(relativePath);
            if (claimed.contains(id))
                continue;
            const QString path = base.filePath(relativePath);
            const std::optional<DesktopEntry> entry = parser.parseFile(path);
            if (!entry)
                continue; // malformed: as if it were not there
            claimed.insert(id);
            if (entry->hidden || entry->type != u"Application" || entry->name.isEmpty())
                continue;
            index->entries.insert(id, {ApplicationInfo{id, entry->name, entry->icon, path, entry->noDisplay}, *entry});
            index->idByFilePath.insert(path, id);
            index->idsByFoldedName[id.toLower()].insert(id);
            if (!entry->startupWMClass.isEmpty())
                index->idsByFoldedName[entry->startupWMClass.toLower()].insert(id);
            order << id;
        }
    }

    QList<const ScannedEntry*> ordered;
    ordered.reserve(order.size());
    for (const QString& id : std::as_const(order))
        ordered << &index->entries[id];
    index->indexPrograms(ordered);
    return index;
}

void DesktopEntryRegistry::watchFolders()
{
    const QStringList current = m_watcher->directories();
    if (!current.isEmpty())
        m_watcher->removePaths(current);
    if (!m_index->watchedFolders.isEmpty())
        m_watcher->addPaths(m_index->watchedFolders);
}

void DesktopEntryRegistry::scheduleRescan()
{
    const quint64 generation = ++m_changeGeneration;
    m_scheduler.runAfter(rescanDelay, m_watcher.get(), [this, generation] {
        if (generation == m_changeGeneration)
            rescan();
    });
}

void DesktopEntryRegistry::rescan()
{
    std::unique_ptr<Index> fresh = scan();
    const bool changed = fresh->entries != m_index->entries;
    m_index = std::move(fresh);
    watchFolders();
    if (changed)
        Q_EMIT applicationsChanged();
}

QList<ApplicationInfo> DesktopEntryRegistry::applications() const
{
    QList<ApplicationInfo> result;
    for (const ScannedEntry& scanned : std::as_const(m_index->entries)) {
        if (!scanned.info.noDisplay)
            result << scanned.info;
    }
    std::sort(result.begin(), result.end(), [](const ApplicationInfo& a, const ApplicationInfo& b) {
        const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.id < b.id;
    });
    return result;
}

std::optional<ApplicationInfo> DesktopEntryRegistry::application(const QString& id) const
{
    const auto it = m_index->entries.constFind(id);
    if (it == m_index->entries.constEnd())
        return std::nullopt;
    return it->info;
}

std::optional<ApplicationInfo> DesktopEntryRegistry::applicationForFile(const QString& path) const
{
    const QFileInfo file(path);
    if (!file.fileName().endsWith(desktopSuffix))
        return std::nullopt;
    const std::optional<DesktopEntry> entry = DesktopEntryParser(m_locale).parseFile(path);
    if (!entry || entry->type != u"Application" || entry->name.isEmpty())
        return std::nullopt;

    const QString absolute = file.absoluteFilePath();
    QString id = idForRelativePath(file.fileName());
    for (const QString& dataDir : m_dataDirs) {
        const QString folder = QDir::cleanPath(dataDir + applicationsFolder) + u'/';
        if (absolute.startsWith(folder)) {
            id = idForRelativePath(absolute.mid(folder.size()));
            break;
        }
    }
    return ApplicationInfo{id, entry->name, entry->icon, absolute, entry->noDisplay};
}

std::optional<QString> DesktopEntryRegistry::existing(const QString& id) const
{
    if (!id.isEmpty() && m_index->entries.contains(id))
        return id;
    return std::nullopt;
}

std::optional<QString> DesktopEntryRegistry::javaApplication(const WindowProperties& window) const
{
    const bool isJava =
        window.instance.startsWith(javaPeerInstance) || window.executable.section(u'/', -1) == javaLauncher;
    if (!isJava || !javaMainClass.match(window.windowClass).hasMatch())
        return std::nullopt;
    // Only a name that points at one entry: "Main" or "App" may well be several programs'.
    const QSet<QString> ids = m_index->idsByFoldedName.value(window.windowClass.section(u'-', -1).toLower());
    if (ids.size() != 1)
        return std::nullopt;
    return *ids.begin();
}

std::optional<QString> DesktopEntryRegistry::entryNamedAfter(const QString& name) const
{
    if (name.isEmpty())
        return std::nullopt;
    if (auto id = existing(name))
        return id;
    const QString canonical = canonicalName(name);
    if (auto id = existing(canonical))
        return id;
    for (const QString& prefix : vendorPrefixes) {
        if (auto id = existing(prefix + canonical))
            return id;
    }
    return std::nullopt;
}

std::optional<QString> DesktopEntryRegistry::idForWindow(const WindowProperties& window) const
{
    const Index& index = *m_index;
    for (const QString* wmClass : {&window.instance, &window.windowClass}) {
        const auto it = index.idByStartupWMClass.constFind(*wmClass);
        if (!wmClass->isEmpty() && it != index.idByStartupWMClass.constEnd())
            return *it;
    }
    for (const QString* wmClass : {&window.instance, &window.windowClass}) {
        if (auto id = entryNamedAfter(*wmClass))
            return id;
    }
    if (auto id = existing(window.flatpakId))
        return id;
    if (auto id = existing(window.gtkApplicationId))
        return id;

    if (auto id = javaApplication(window))
        return id;

    QString kdeDesktopFile = window.kdeDesktopFile;
    if (kdeDesktopFile.startsWith(u'/')) {
        if (const auto it = index.idByFilePath.constFind(kdeDesktopFile); it != index.idByFilePath.constEnd())
            return *it;
    } else {
        if (kdeDesktopFile.endsWith(desktopSuffix))
            kdeDesktopFile.chop(desktopSuffix.size());
        if (auto id = existing(kdeDesktopFile))
            return id;
    }

    if (!window.executable.isEmpty()) {
        if (const auto it = index.idByExecutablePath.constFind(window.executable);
            it != index.idByExecutablePath.constEnd())
            return *it;
        const QString name = window.executable.section(u'/', -1);
        if (const auto it = index.idByExecutableName.constFind(name); it != index.idByExecutableName.constEnd())
            return *it;
    }
    if (!window.windowClass.isEmpty())
        return window.windowClass;
    return std::nullopt;
}

} // namespace brindlemoor
