// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include "app/AppLogging.h"
#include "core/foundation/Clock.h"
#include "core/foundation/Scheduler.h"
#include "core/model/PreferencesStore.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageHistory.h"
#include "core/model/UsageStore.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/sqlite/SqliteKeyValueStore.h"

#include <QDBusConnection>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace brindlemoor {

namespace {

void writeOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}
} // namespace

Command parseCommandLine(const QStringList& arguments)
{
    std::optional<Command> command;
    const auto setOnce = [&](Command chosen) -> std::optional<CommandError> {
        if (command)
            return CommandError{QStringLiteral("--settings, --status and --export go alone")};
        command = std::move(chosen);
        return std::nullopt;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const auto next = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments.at(++i);
        };
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return HelpCommand{};
        std::optional<CommandError> error;
        if (argument == QLatin1String("--settings")) {
            error = setOnce(RunCommand{RunningInstance::Request::Settings});
        } else if (argument == QLatin1String("--status")) {
            error = setOnce(StatusCommand{});
        } else if (argument == QLatin1String("--export")) {
            const auto name = next();
            const auto format = name ? exportFormatNamed(*name) : std::nullopt;
            if (!format)
                return CommandError{QStringLiteral("--export needs a format: csv or json")};
            error = setOnce(ExportCommand{*format, 0, {}});
        } else if (argument == QLatin1String("--format")) {
            auto* status = command ? std::get_if<StatusCommand>(&*command) : nullptr;
            const auto name = next();
            const auto format = name ? statusFormatNamed(*name) : std::nullopt;
            if (!status)
                return CommandError{QStringLiteral("--format goes after --status")};
            if (!format)
                return CommandError{QStringLiteral("--format is text, json or waybar")};
            status->format = *format;
        } else if (argument == QLatin1String("--days")) {
            auto* exporting = command ? std::get_if<ExportCommand>(&*command) : nullptr;
            const auto text = next();
            bool ok = false;
            const qint64 days = text ? text->toLongLong(&ok) : 0;
            if (!exporting)
                return CommandError{QStringLiteral("--days goes after --export")};
            if (!ok || days < 1 || days > UsageHistory::maxKeptDays)
                return CommandError{
                    QStringLiteral("--days is a number of days from 1 to %1").arg(UsageHistory::maxKeptDays)};
            exporting->days = days;
        } else if (auto* exporting = command ? std::get_if<ExportCommand>(&*command) : nullptr;
                   exporting && exporting->file.isEmpty() && !argument.startsWith(u'-')) {
            exporting->file = argument;
        } else {
            return CommandError{QStringLiteral("unknown option '%1'").arg(argument)};
        }
        if (error)
            return *error;
    }
    return command.value_or(RunCommand{});
}

QString usageText()
{
    return QStringLiteral("Usage:\n"
                          "  brindlemoor [--settings]\n"
                          "  brindlemoor --status [--format text|json|waybar]\n"
                          "  brindlemoor --export csv|json [--days N] [FILE]\n"
                          "\n"
                          "  --settings  open the settings (of the running program, or start it)\n"
                          "  --status    print today's figures from the running program\n"
                          "  --export    write the kept history with today so far, to FILE or standard output;\n"
                          "              --days N keeps the last N days, today included\n");
}

int runStatus(const StatusCommand& command)
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    RunningInstance running;
    const auto status = RunningInstance::isRunning(bus) ? running.status(bus) : std::nullopt;
    if (status) {
        writeOut(StatusText::format(*status, command.format));
        return 0;
    }
    const QString why = running.errorText().isEmpty() ? QStringLiteral("it is not running") : running.errorText();
    if (command.format == StatusFormat::Waybar) {
        // A panel hides a module whose text is empty, which is what a program that is not running should get.
        writeOut(QByteArrayLiteral(R"({"text":"","tooltip":"","class":"stopped"})") + '\n');
    }
    qCWarning(lcApp).noquote() << QStringLiteral("cannot read today's figures: %1").arg(why);
    return command.format == StatusFormat::Waybar ? 0 : 1;
}

int runExport(const ExportCommand& command)
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    std::optional<QByteArray> document;
    if (RunningInstance::isRunning(bus)) {
        RunningInstance running;
        document = running.exportHistory(bus, command.format, command.days);
        if (!document) {
            qCWarning(lcApp).noquote()
                << QStringLiteral("the running program could not export: %1").arg(running.errorText());
            return 1;
        }
    } else {
        // No program counts now: what it saved is all there is, read without writing a byte.
        const QString path = SqliteKeyValueStore::defaultLocation();
        std::unique_ptr<KeyValueStore> store;
        if (QFile::exists(path)) {
            auto sqlite = SqliteKeyValueStore::openForReading(path);
            if (!sqlite->isOpen()) {
                qCWarning(lcApp).noquote() << QStringLiteral("cannot read %1 (%2)").arg(path, sqlite->errorText());
                return 1;
            }
            store = std::move(sqlite);
        } else {
            store = std::make_unique<MemoryKeyValueStore>();
        }
        SystemClock clock;
        QtScheduler scheduler;
        PreferencesStore prefs(*store);
        UsageStore usage(*store, clock);
        TodayModel today(prefs, usage);
        DesktopEntryRegistry catalog(scheduler);
        document = exportHistory(today.history(), command.format, command.days, clock.now().date(),
                                 [&catalog](const QString& id) { return applicationDisplayName(catalog, id); });
    }
    if (command.file.isEmpty() || command.file == QLatin1String("-")) {
        writeOut(*document);
        return 0;
    }
    // Written whole or not at all: an export that failed half-way must not pass for a short history.
    QSaveFile file(command.file);
    if (!file.open(QIODevice::WriteOnly) || file.write(*document) != document->size() || !file.commit()) {
        qCWarning(lcApp).noquote() << QStringLiteral("cannot write %1 (%2)").arg(command.file, file.errorString());
        return 1;
    }
    return 0;
}

} // namespace brindlemoor
